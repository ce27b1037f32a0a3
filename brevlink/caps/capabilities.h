// An MCCS capabilities string taken apart: every field the monitor sent, the commands and the VCP
// codes it lists, and a note of every repair the parser had to make. Monitors send broken strings;
// the parser keeps each well-formed part and records the damage in `quirks` instead of failing.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brevlink::caps {

enum class Keyword : uint8_t {
    kUnknown,  // kept with its name as written
    kProt,
    kType,
    kModel,
    kCmds,
    kVcp,
    kVcpPage,  // vcp_pNN: the codes of VCP page NN
    kMccsVer,
    kMswhql,
    kMpu,
    kMpuVer,
    kAssetEep,
    kVcpName,
    kWindow,  // window, window1, window2, ...
    kEdid,
};

// What was wrong with the string. Only repairs are noted, not harmless spacing.
enum Quirk : uint32_t {
    kNoOuterParentheses = 1u << 0,
    kUnbalancedParentheses = 1u << 1,    // a ")" with no "(" or a "(" never closed
    kTextAfterEnd = 1u << 2,             // anything after the closing outer ")"
    kBareText = 1u << 3,                 // text outside every keyword(value)
    kModelWithoutKeyword = 1u << 4,      // the model was taken from bare text
    kValueWithoutParentheses = 1u << 5,  // e.g. "model LCDPB287 cmds(...)"
    kKeywordSpelling = 1u << 6,          // "VCP", "ms whql", ...
    kUnknownKeyword = 1u << 7,
    kPackedHex = 1u << 8,  // hex bytes written without spaces between them
    kWideValue = 1u << 9,  // a value above FF
    kNestedValues = 1u << 10,
    kDuplicateCode = 1u << 11,
    kBadToken = 1u << 12,   // something in a hex list that is not hex
    kTruncated = 1u << 13,  // the string ends inside a field
    kDuplicateValue = 1u << 14,
    kOutOfMemory = 1u << 31,
};

// Values listed in parentheses right after one value of a code, e.g. DC(00 (00 10 13) 01). They
// qualify that value and are not values of the code themselves, so they stay out of `values`.
struct VcpSubList {
    uint16_t parent = 0;
    std::vector<uint16_t> values;
};

struct VcpEntry {
    uint8_t code = 0;
    // Listed with a value list: a discrete (non-continuous) control.
    bool hasValueList = false;
    // The values of the list in order of first appearance, each once.
    std::vector<uint16_t> values;
    std::vector<VcpSubList> subLists;
};

struct VcpPage {
    uint8_t page = 0;
    std::vector<VcpEntry> entries;
};

struct CapsField {
    Keyword keyword = Keyword::kUnknown;
    std::string name;   // as written; empty when the parser inferred the field
    std::string value;  // raw text between the field's parentheses (binary fields: the payload)
};

struct VcpName {
    uint8_t code = 0;
    std::string names;
};

struct Capabilities {
    std::string raw;
    std::vector<CapsField> fields;  // in string order
    std::vector<uint8_t> commands;  // cmds, as listed
    std::vector<VcpEntry> vcp;      // page 0, one entry per code, in order of first listing
    // Other pages: their codes are other controls than the same numbers on page 0, which is the
    // only page the VCP commands address, so they are kept apart.
    std::vector<VcpPage> pages;
    std::vector<VcpName> vcpNames;
    std::vector<std::string> bareText;
    std::vector<uint8_t> duplicateCodes;  // page-0 codes listed more than once
    std::vector<uint8_t> discrete;        // positions in vcp of the entries with a value list
    std::vector<uint8_t> continuous;      // positions in vcp of the others
    std::bitset<256> listed;              // page-0 codes
    uint32_t quirks = 0;
};

// Never fails: whatever cannot be read is skipped and noted in quirks.
Capabilities ParseCapabilities(std::string_view text) noexcept;

}  // namespace brevlink::caps
