// Tokens of the hex lists inside cmds(...) and vcp(...). Non-hex junk is skipped and noted; a word
// that starts a new field ("mccs_ver(" where a ")" was left out) ends the list so that the caller
// can go on from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brevlink::caps {

enum class ListToken : uint8_t {
    kOpen,
    kClose,
    kHex,
    kField,  // a new field starts at Pos()
    kEnd,
};

class ListScanner {
  public:
    ListScanner(std::string_view text, size_t pos) : text_(text), pos_(pos) {}

    ListToken Next();
    // The hex word of the last kHex token. A word that runs into the end of the text may have
    // lost digits, so only its whole pairs are kept.
    std::string_view Word() const { return word_; }
    bool WordCut() const { return wordCut_; }
    size_t Pos() const { return pos_; }
    uint32_t Quirks() const { return quirks_; }

  private:
    bool StartsField(size_t wordEnd) const;

    std::string_view text_;
    size_t pos_;
    std::string_view word_;
    bool wordCut_ = false;
    uint32_t quirks_ = 0;
};

}  // namespace brevlink::caps
