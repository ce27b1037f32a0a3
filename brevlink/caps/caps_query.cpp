#include "brevlink/caps/caps_query.h"

#include "brevlink/caps/text_util.h"

namespace brevlink::caps {
namespace {

// A decimal number of one to three digits up to 255; the text must hold nothing else.
std::optional<uint8_t> SmallNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 255) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(value);
}

}  // namespace

size_t DiscreteCount(const Capabilities& caps) {
    return caps.discrete.size();
}

size_t ContinuousCount(const Capabilities& caps) {
    return caps.continuous.size();
}

const VcpEntry* DiscreteEntry(const Capabilities& caps, size_t index) {
    if (index >= caps.discrete.size()) {
        return nullptr;
    }
    return &caps.vcp[caps.discrete[index]];
}

std::optional<uint8_t> ContinuousCode(const Capabilities& caps, size_t index) {
    if (index >= caps.continuous.size()) {
        return std::nullopt;
    }
    return caps.vcp[caps.continuous[index]].code;
}

const VcpEntry* FindEntry(const Capabilities& caps, uint8_t code) {
    if (!caps.listed.test(code)) {
        return nullptr;
    }
    for (const VcpEntry& entry : caps.vcp) {
        if (entry.code == code) {
            return &entry;
        }
    }
    return nullptr;
}

bool IsCodeListed(const Capabilities& caps, uint8_t code) {
    return caps.listed.test(code);
}

std::string_view FieldValue(const Capabilities& caps, Keyword keyword) {
    for (const CapsField& field : caps.fields) {
        if (field.keyword == keyword) {
            return Trim(field.value);
        }
    }
    return {};
}

std::string_view ProtText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kProt);
}

std::string_view DisplayTypeText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kType);
}

std::string_view ModelText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kModel);
}

std::string_view MccsVersionText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kMccsVer);
}

std::string_view MswhqlText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kMswhql);
}

std::string_view AssetEepText(const Capabilities& caps) {
    return FieldValue(caps, Keyword::kAssetEep);
}

std::string_view MpuVersionText(const Capabilities& caps) {
    std::string_view version = FieldValue(caps, Keyword::kMpuVer);
    return version.empty() ? FieldValue(caps, Keyword::kMpu) : version;
}

std::optional<MccsVersion> ParseMccsVersion(std::string_view text) {
    text = Trim(text);
    size_t dot = text.find('.');
    std::optional<uint8_t> major;
    std::optional<uint8_t> minor;
    if (dot != std::string_view::npos) {
        major = SmallNumber(text.substr(0, dot));
        minor = SmallNumber(text.substr(dot + 1));
    } else if (text.size() == 4) {
        major = SmallNumber(text.substr(0, 2));
        minor = SmallNumber(text.substr(2));
    } else if (text.size() <= 2) {
        major = SmallNumber(text);
        minor = 0;
    }
    if (!major || !minor) {
        return std::nullopt;
    }
    return MccsVersion{*major, *minor};
}

size_t FormatValueList(const VcpEntry& entry, char* buffer, size_t capacity) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (capacity == 0) {
        return 0;
    }
    size_t length = 0;
    for (uint16_t value : entry.values) {
        size_t digits = value > 0xFF ? 4 : 2;
        size_t needed = (length > 0 ? 1 : 0) + digits;
        if (length + needed + 1 > capacity) {
            break;
        }
        if (length > 0) {
            buffer[length++] = ' ';
        }
        for (size_t i = digits; i > 0; --i) {
            buffer[length++] = kDigits[(value >> (4 * (i - 1))) & 0xF];
        }
    }
    buffer[length] = '\0';
    return length;
}

size_t CopyValues(const VcpEntry& entry, uint32_t* values, size_t capacity) {
    size_t count = entry.values.size() < capacity ? entry.values.size() : capacity;
    for (size_t i = 0; i < count; ++i) {
        values[i] = entry.values[i];
    }
    return count;
}

}  // namespace brevlink::caps
