// The VCP selection given on the command line instead of ticking the tree: whole groups by their
// letter in the log ("a" to "u") and single codes, each in every group that lists it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "project/vcp_tree.h"

namespace kestrova::app::console {

struct SelectionChoice {
    bool given = false;       // --groups or --codes was given; otherwise the tree stays as built
    std::vector<int> groups;  // group indexes 0-20
    std::vector<uint8_t> codes;
};

// "a,c,u" (letters as the log labels the groups, any case), "all" or "none". False with a
// one-line `error` for anything else.
bool ParseGroupList(const std::string& text, std::vector<int>& groups, std::string& error);
// "0x10,12,0xDF" (hexadecimal, "0x" optional) or "none". A code no group lists is refused, since
// no run could test it.
bool ParseCodeList(const std::string& text, std::vector<uint8_t>& codes, std::string& error);

// The groups that list `code`, in index order.
std::vector<int> GroupsListing(uint8_t code);

// Without a choice the tree keeps what the selection dialog pre-ticks. With one, every tick goes
// and then each chosen group is ticked with all its codes, and each chosen code is ticked in every
// group that lists it together with that group (a code under an unticked group would never run),
// as a project's saved codes are applied.
void ApplySelectionChoice(const SelectionChoice& choice, project::VcpTree& tree);

// "a) Lumetra OSD Requirements: 0x04 0x05 ...", one line per group.
std::vector<std::string> GroupListing();

}  // namespace kestrova::app::console
