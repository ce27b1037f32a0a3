#include "brevlink/caps/vcp_list.h"

#include <algorithm>

#include "brevlink/caps/text_util.h"

namespace brevlink::caps {
namespace {

// A value listed twice is still one supported value. Values before `listingStart` came from an
// earlier listing of the same code; meeting them again is a duplicate code, not a duplicate value.
void AddUnique(std::vector<uint16_t>& values, uint16_t value, size_t listingStart, uint32_t& quirks) {
    auto found = std::find(values.begin(), values.end(), value);
    if (found == values.end()) {
        values.push_back(value);
    } else if (static_cast<size_t>(found - values.begin()) >= listingStart) {
        quirks |= kDuplicateValue;
    }
}

std::vector<uint16_t>& SubListFor(VcpEntry& entry, uint16_t parent) {
    for (VcpSubList& sub : entry.subLists) {
        if (sub.parent == parent) {
            return sub.values;
        }
    }
    entry.subLists.push_back(VcpSubList{parent, {}});
    return entry.subLists.back().values;
}

// A list whose codes run together ("020405080B") runs its values together too, so "D6(0104)" is
// 01 and 04 there. Elsewhere a value of three or four digits is one 16-bit value.
bool IsPacked(std::string_view text, size_t pos) {
    ListScanner scan(text, pos);
    int depth = 0;
    for (;;) {
        switch (scan.Next()) {
            case ListToken::kOpen:
                ++depth;
                break;
            case ListToken::kClose:
                if (depth == 0) {
                    return false;
                }
                --depth;
                break;
            case ListToken::kHex:
                if (depth == 0 && scan.Word().size() > 2) {
                    return true;
                }
                break;
            case ListToken::kField:
            case ListToken::kEnd:
                return false;
        }
    }
}

template <typename Emit>
void EmitValues(const ListScanner& scan, bool packed, uint32_t& quirks, Emit&& emit) {
    std::string_view word = scan.Word();
    size_t width = (packed || word.size() > 4 || scan.WordCut()) ? 2 : 4;
    if (width == 2 && word.size() > 2) {
        quirks |= kPackedHex;
    }
    SplitHexWord(word, width, [&](unsigned value) {
        if (value > 0xFF) {
            quirks |= kWideValue;
        }
        emit(static_cast<uint16_t>(value));
    });
}

// The value list of one code, from just after its "(". Groups nested in it belong to the value
// before them; deeper groups are flattened into that sub-list, so nesting costs no recursion.
ListToken ParseValues(ListScanner& scan, VcpEntry& entry, bool packed, uint32_t& quirks) {
    int depth = 1;
    size_t listingStart = entry.values.size();
    bool haveValue = false;
    uint16_t lastValue = 0;
    std::vector<uint16_t>* target = &entry.values;
    for (;;) {
        ListToken token = scan.Next();
        switch (token) {
            case ListToken::kHex:
                EmitValues(scan, packed, quirks, [&](uint16_t value) {
                    AddUnique(*target, value, target == &entry.values ? listingStart : 0, quirks);
                    if (depth == 1) {
                        haveValue = true;
                        lastValue = value;
                    }
                });
                break;
            case ListToken::kOpen:
                quirks |= kNestedValues;
                if (++depth == 2) {
                    // A group with no value before it is taken as more values of the code.
                    target = haveValue ? &SubListFor(entry, lastValue) : &entry.values;
                }
                break;
            case ListToken::kClose:
                if (--depth == 0) {
                    return token;
                }
                if (depth == 1) {
                    target = &entry.values;
                }
                break;
            case ListToken::kField:
            case ListToken::kEnd:
                return token;
        }
    }
}

}  // namespace

VcpListBuilder::VcpListBuilder() {
    slots_.fill(-1);
}

VcpEntry& VcpListBuilder::Add(uint8_t code) {
    if (slots_[code] >= 0) {
        if (std::find(duplicates_.begin(), duplicates_.end(), code) == duplicates_.end()) {
            duplicates_.push_back(code);
        }
        return Entry(code);
    }
    slots_[code] = static_cast<int16_t>(entries_.size());
    entries_.push_back(VcpEntry{});
    entries_.back().code = code;
    return entries_.back();
}

ListStop ParseVcpList(std::string_view text, size_t pos, VcpListBuilder& builder, uint32_t& quirks) {
    bool packed = IsPacked(text, pos);
    ListScanner scan(text, pos);
    int lastCode = -1;
    for (;;) {
        ListToken token = scan.Next();
        switch (token) {
            case ListToken::kHex:
                if (scan.Word().size() > 2) {
                    quirks |= kPackedHex;
                }
                SplitHexWord(scan.Word(), 2, [&](unsigned code) {
                    builder.Add(static_cast<uint8_t>(code));
                    lastCode = static_cast<int>(code);
                });
                break;
            case ListToken::kOpen: {
                // Values with no code before them cannot be placed; read them into a scratch entry.
                VcpEntry orphan;
                VcpEntry& entry = lastCode >= 0 ? builder.Entry(static_cast<uint8_t>(lastCode)) : orphan;
                if (lastCode < 0) {
                    quirks |= kBadToken;
                }
                entry.hasValueList = true;
                ListToken stop = ParseValues(scan, entry, packed, quirks);
                if (stop != ListToken::kClose) {
                    quirks |= scan.Quirks();
                    return ListStop{scan.Pos(), stop};
                }
                break;
            }
            case ListToken::kClose:
            case ListToken::kField:
            case ListToken::kEnd:
                quirks |= scan.Quirks();
                return ListStop{scan.Pos(), token};
        }
    }
}

ListStop ParseCommandList(std::string_view text, size_t pos, std::vector<uint8_t>& commands, uint32_t& quirks) {
    ListScanner scan(text, pos);
    int depth = 0;
    for (;;) {
        ListToken token = scan.Next();
        switch (token) {
            case ListToken::kHex:
                if (depth > 0) {
                    break;
                }
                if (scan.Word().size() > 2) {
                    quirks |= kPackedHex;
                }
                SplitHexWord(scan.Word(), 2, [&](unsigned code) { commands.push_back(static_cast<uint8_t>(code)); });
                break;
            case ListToken::kOpen:
                // Commands take no values; whatever sits in parentheses here is skipped.
                quirks |= kBadToken;
                ++depth;
                break;
            case ListToken::kClose:
                if (depth-- > 0) {
                    break;
                }
                quirks |= scan.Quirks();
                return ListStop{scan.Pos(), token};
            case ListToken::kField:
            case ListToken::kEnd:
                quirks |= scan.Quirks();
                return ListStop{scan.Pos(), token};
        }
    }
}

}  // namespace brevlink::caps
