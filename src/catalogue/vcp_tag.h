// The two-character type and access tags of a VCP code ("C", "NC", "RW" ...), compared as whole
// values: a one-letter tag has an empty second character.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrova::catalogue {

class VcpTag {
  public:
    constexpr VcpTag() = default;
    constexpr explicit VcpTag(std::string_view text)
        : text_{text.size() > 0 ? text[0] : '\0', text.size() > 1 ? text[1] : '\0', '\0'} {}

    constexpr bool operator==(const VcpTag& other) const {
        return text_[0] == other.text_[0] && text_[1] == other.text_[1];
    }
    constexpr std::string_view Text() const {
        return std::string_view(text_, text_[0] == '\0' ? 0 : text_[1] == '\0' ? 1 : 2);
    }
    const char* CStr() const { return text_; }

  private:
    char text_[3] = {'?', '\0', '\0'};
};

inline constexpr VcpTag kUnknownTag{"?"};
inline constexpr VcpTag kContinuous{"C"};
inline constexpr VcpTag kNonContinuous{"NC"};
inline constexpr VcpTag kTable{"T"};
inline constexpr VcpTag kReadWrite{"RW"};
inline constexpr VcpTag kReadOnly{"RO"};
inline constexpr VcpTag kWriteOnly{"WO"};

// What the dispatcher runs for a code.
inline constexpr uint32_t kProcedureNone = 0;  // reserved or undefined: "not tested yet"
inline constexpr uint32_t kProcedureContinuous = 100600;
inline constexpr uint32_t kProcedureNonContinuous = 100700;
inline constexpr uint32_t kProcedureScreenAction = 100800;  // restore-defaults and auto-setup
inline constexpr uint32_t kProcedureSixAxis = 101001;
inline constexpr uint32_t kProcedureTable = 101201;
inline constexpr uint32_t kProcedureEdid = 101203;
inline constexpr uint32_t kProcedureTvChannel = 101211;
inline constexpr uint32_t kProcedureManufacturer = 999999;  // nothing run, nothing marked

}  // namespace kestrova::catalogue
