#include "app/console/selection_choice.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "catalogue/vcp_group_definitions.h"
#include "engine/test_run.h"

namespace kestrova::app::console {

namespace {

constexpr int kGroupCount = static_cast<int>(catalogue::kVcpGroupCount);

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        size_t begin = 0;
        size_t end = item.size();
        while (begin < end && std::isspace(static_cast<unsigned char>(item[begin]))) {
            ++begin;
        }
        while (end > begin && std::isspace(static_cast<unsigned char>(item[end - 1]))) {
            --end;
        }
        items.push_back(item.substr(begin, end - begin));
    }
    return items;
}

bool IsWord(const std::string& text, const char* word) {
    if (text.size() != std::char_traits<char>::length(word)) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) {
            return false;
        }
    }
    return true;
}

std::optional<uint8_t> ParseCode(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text = text.substr(2);
    }
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return static_cast<uint8_t>(value);
}

std::string CodeText(int32_t code) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", static_cast<unsigned>(code & 0xFF));
    return text;
}

}  // namespace

bool ParseGroupList(const std::string& text, std::vector<int>& groups, std::string& error) {
    groups.clear();
    if (IsWord(text, "none")) {
        return true;
    }
    if (IsWord(text, "all")) {
        for (int g = 0; g < kGroupCount; ++g) {
            groups.push_back(g);
        }
        return true;
    }
    for (const std::string& item : SplitList(text)) {
        const int letter = item.size() == 1 ? std::tolower(static_cast<unsigned char>(item[0])) : 0;
        if (letter < 'a' || letter >= 'a' + kGroupCount) {
            error = "\"" + item + "\" is no group (the letters a to u of 'kestrova groups', \"all\" or \"none\")";
            return false;
        }
        groups.push_back(letter - 'a');
    }
    return true;
}

bool ParseCodeList(const std::string& text, std::vector<uint8_t>& codes, std::string& error) {
    codes.clear();
    if (IsWord(text, "none")) {
        return true;
    }
    for (const std::string& item : SplitList(text)) {
        const std::optional<uint8_t> code = ParseCode(item);
        if (!code) {
            error = "\"" + item + "\" is no VCP code (hexadecimal 0x00 to 0xFF)";
            return false;
        }
        if (GroupsListing(*code).empty()) {
            error = "VCP code " + CodeText(*code) + " stands in no group, so no run tests it";
            return false;
        }
        codes.push_back(*code);
    }
    return true;
}

std::vector<int> GroupsListing(uint8_t code) {
    std::vector<int> groups;
    for (int g = 0; g < kGroupCount; ++g) {
        for (int32_t listed : catalogue::kVcpGroupDefinitions[g].codes) {
            if (listed == code) {
                groups.push_back(g);
                break;
            }
        }
    }
    return groups;
}

void ApplySelectionChoice(const SelectionChoice& choice, project::VcpTree& tree) {
    if (!choice.given) {
        return;
    }
    tree.UncheckAll();
    for (int group : choice.groups) {
        tree.SetGroupTicked(group, true);
    }
    for (uint8_t code : choice.codes) {
        for (int group : GroupsListing(code)) {
            const auto& codes = catalogue::kVcpGroupDefinitions[group].codes;
            for (size_t position = 0; position < codes.size(); ++position) {
                if (codes[position] == code) {
                    tree.SetTicked(tree.CodeItem(group, static_cast<int>(position)), true);
                }
            }
            tree.SetTicked(tree.GroupItem(group), true);
        }
    }
}

std::vector<std::string> GroupListing() {
    std::vector<std::string> lines;
    for (int g = 0; g < kGroupCount; ++g) {
        const catalogue::VcpGroupDefinition& definition = catalogue::kVcpGroupDefinitions[g];
        std::string line = engine::GroupLabel(g) + definition.caption + ":";
        for (int32_t code : definition.codes) {
            line += " " + CodeText(code);
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace kestrova::app::console
