#include "brevlink/caps/capabilities.h"

#include <utility>

#include "brevlink/caps/field_parser.h"
#include "brevlink/caps/keyword.h"
#include "brevlink/caps/text_util.h"
#include "brevlink/caps/vcp_list.h"

namespace brevlink::caps {
namespace {

// The top level: "(" field field ... ")", where a field is keyword(value). Everything that is not a
// field is kept as bare text, and a missing or extra parenthesis only costs the part it breaks.
class Parser {
  public:
    Parser(std::string_view text, Capabilities& caps) : text_(text), caps_(caps), fields_(text, caps.quirks) {}

    void Run() {
        size_t pos = 0;
        while (pos < text_.size()) {
            size_t paren = pos;
            while (paren < text_.size() && text_[paren] != '(' && text_[paren] != ')') {
                ++paren;
            }
            std::string_view name = text_.substr(pos, paren - pos);
            if (paren == text_.size()) {
                HandleBare(name, false);
                break;
            }
            pos = paren + 1;
            if (text_[paren] == ')') {
                HandleBare(name, false);
                Close();
                continue;
            }
            NameParts parts = SplitName(name);
            if (parts.written.empty() ||
                (parts.match.keyword == Keyword::kUnknown && !parts.binary && fields_.OpensFieldGroup(paren))) {
                // The outer parentheses, perhaps with junk in front of them.
                HandleBare(parts.written, false);
                if (depth_ == 0 && outerClosed_) {
                    caps_.quirks |= kTextAfterEnd;
                }
                ++depth_;
                continue;
            }
            HandleBare(parts.bare, true);
            if (depth_ == 0) {
                caps_.quirks |= outerClosed_ ? kTextAfterEnd : kNoOuterParentheses;
            }
            pos = ParseField(parts, paren);
        }
        Finish();
    }

  private:
    void Close() {
        if (depth_ > 0) {
            outerClosed_ = --depth_ == 0;
            return;
        }
        caps_.quirks |= kUnbalancedParentheses;
        if (outerClosed_) {
            caps_.quirks |= kTextAfterEnd;
        }
    }

    size_t ParseField(const NameParts& parts, size_t open) {
        CapsField field{parts.match.keyword, std::string(parts.written), {}};
        std::string_view canonical = CanonicalSpelling(field.keyword);
        if (field.keyword == Keyword::kUnknown) {
            caps_.quirks |= kUnknownKeyword;
        } else if (!canonical.empty() && parts.written != canonical) {
            caps_.quirks |= kKeywordSpelling;
        }
        FieldEnd end;
        if (parts.binary) {
            end = fields_.Binary(open);
        } else if (field.keyword == Keyword::kCmds) {
            end = fields_.List(open, ParseCommandList(text_, open + 1, caps_.commands, caps_.quirks));
        } else if (field.keyword == Keyword::kVcp || field.keyword == Keyword::kVcpPage) {
            VcpListBuilder& builder = BuilderFor(field.keyword == Keyword::kVcp ? 0 : parts.match.page);
            end = fields_.List(open, ParseVcpList(text_, open + 1, builder, caps_.quirks));
        } else if (IsFlatText(field.keyword)) {
            end = fields_.FlatText(open);
        } else {
            end = fields_.NestedText(open);
        }
        if (field.keyword == Keyword::kVcpName) {
            ParseVcpNames(end.value, caps_.vcpNames);
        }
        field.value.assign(end.value);
        caps_.fields.push_back(std::move(field));
        return end.next;
    }

    VcpListBuilder& BuilderFor(uint8_t page) {
        if (page == 0) {
            return vcp_;
        }
        for (auto& [number, builder] : pages_) {
            if (number == page) {
                return builder;
            }
        }
        pages_.emplace_back(page, VcpListBuilder());
        return pages_.back().second;
    }

    // Bare text is junk, a value whose parentheses are missing ("model LCDPB287"), or a model name
    // written without its keyword ("MStarcmds(...)").
    void HandleBare(std::string_view bare, bool beforeField) {
        std::string_view text = Trim(bare);
        if (text.empty()) {
            return;
        }
        size_t space = 0;
        while (space < text.size() && !IsSpace(text[space])) {
            ++space;
        }
        if (space < text.size()) {
            Keyword keyword = LookupKeyword(text.substr(0, space)).keyword;
            if (IsFlatText(keyword)) {
                caps_.fields.push_back(
                    CapsField{keyword, std::string(text.substr(0, space)), std::string(Trim(text.substr(space)))});
                caps_.quirks |= kValueWithoutParentheses;
                return;
            }
        }
        caps_.bareText.emplace_back(text);
        bool afterEnd = outerClosed_ && depth_ == 0;
        caps_.quirks |= afterEnd ? kTextAfterEnd : kBareText;
        if (beforeField && !afterEnd && !haveModelCandidate_) {
            haveModelCandidate_ = true;
            modelCandidate_ = text;
            modelCandidateIndex_ = caps_.fields.size();
        }
    }

    void Finish() {
        if (depth_ > 0) {
            caps_.quirks |= kUnbalancedParentheses;
        }
        bool haveModel = false;
        for (const CapsField& field : caps_.fields) {
            haveModel = haveModel || field.keyword == Keyword::kModel;
        }
        if (!haveModel && haveModelCandidate_) {
            auto at = caps_.fields.begin() + static_cast<std::ptrdiff_t>(modelCandidateIndex_);
            caps_.fields.insert(at, CapsField{Keyword::kModel, {}, std::string(modelCandidate_)});
            caps_.quirks |= kModelWithoutKeyword;
        }
        caps_.vcp = std::move(vcp_.Entries());
        caps_.duplicateCodes = vcp_.Duplicates();
        bool duplicates = !caps_.duplicateCodes.empty();
        for (auto& [number, builder] : pages_) {
            duplicates = duplicates || !builder.Duplicates().empty();
            caps_.pages.push_back(VcpPage{number, std::move(builder.Entries())});
        }
        if (duplicates) {
            caps_.quirks |= kDuplicateCode;
        }
        for (size_t i = 0; i < caps_.vcp.size(); ++i) {
            const VcpEntry& entry = caps_.vcp[i];
            caps_.listed.set(entry.code);
            (entry.hasValueList ? caps_.discrete : caps_.continuous).push_back(static_cast<uint8_t>(i));
        }
    }

    std::string_view text_;
    Capabilities& caps_;
    FieldParser fields_;
    VcpListBuilder vcp_;
    std::vector<std::pair<uint8_t, VcpListBuilder>> pages_;
    size_t depth_ = 0;
    bool outerClosed_ = false;
    bool haveModelCandidate_ = false;
    std::string_view modelCandidate_;
    size_t modelCandidateIndex_ = 0;
};

}  // namespace

Capabilities ParseCapabilities(std::string_view text) noexcept {
    try {
        Capabilities caps;
        caps.raw.assign(text);
        Parser(text, caps).Run();
        return caps;
    } catch (...) {
        // Only allocation can fail; an empty result says so rather than ending the process.
        Capabilities caps;
        caps.quirks = kOutOfMemory;
        return caps;
    }
}

}  // namespace brevlink::caps
