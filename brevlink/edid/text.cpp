#include "brevlink/edid/edid.h"

#include <iterator>
#include <string_view>

#include "brevlink/edid/pnp_vendors.h"
#include "brevlink/edid/text_builder.h"

namespace brevlink::edid {
namespace {

struct CodeCapacity {
    uint32_t code;
    size_t capacity;
};

// The monitor record field sizes of the tester.
constexpr CodeCapacity kCapacities[] = {
    {kCodeManufacturer, 60},    {kCodeModel, 20},      {kCodeSerialNumber, 32},      {kCodePnpId, 8},
    {kCodeManufactureDate, 20}, {kCodeSignalType, 40}, {kCodeRecommendedTiming, 40}, {kCodeScreenSize, 40},
    {kCodeGamma, 12},           {kCodeRedChroma, 20},  {kCodeGreenChroma, 20},       {kCodeBlueChroma, 20},
    {kCodeWhitePoint, 20},      {kCodeEdidVersion, 4},
};
static_assert(std::size(kCapacities) == kCodes.size());

constexpr std::string_view kInterfaces[] = {"", "DVI", "HDMI-a", "HDMI-b", "MDDI", "DisplayPort"};
constexpr std::string_view kAnalogLevels[] = {"0.700 : 0.300 : 1.000 V p-p", "0.714 : 0.286 : 1.000 V p-p",
                                              "1.000 : 0.400 : 1.400 V p-p", "0.700 : 0.000 : 0.700 V p-p"};

std::string_view Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The combo box shows "<manufacturer> - <model>": a maker's name reads better than three letters.
void Manufacturer(const EdidInfo& info, TextBuilder& out) {
    std::string_view letters(info.pnpId, 3);
    std::string_view name = PnpVendorName(letters);
    out.Append(name.empty() ? letters : name);
}

// The name descriptor is what the maker calls the monitor; without one, the product code in the
// hex form of the PnP hardware ID ("DELD0DA" gives "D0DA"), so it matches the Windows device ID.
void Model(const EdidInfo& info, TextBuilder& out) {
    std::string_view name = Trimmed(info.monitorName);
    if (!name.empty()) {
        out.Append(name);
    } else {
        out.AppendHex(info.productCode, 4);
    }
}

// The serial descriptor is what the label on the monitor says; the 32-bit number is often 0 or a
// filler such as 0x01010101, and 0 means "not given".
void SerialNumber(const EdidInfo& info, TextBuilder& out) {
    std::string_view text = Trimmed(info.serialText);
    if (!text.empty()) {
        out.Append(text);
    } else if (info.serialNumber != 0) {
        out.AppendUnsigned(info.serialNumber);
    }
}

void ManufactureDate(const EdidInfo& info, TextBuilder& out) {
    switch (info.dateKind) {
        case DateKind::kWeekOfYear:
            out.Append("Week ");
            out.AppendUnsigned(info.week);
            out.Append(" of ");
            break;
        case DateKind::kModelYear:
            out.Append("Model year ");
            break;
        case DateKind::kYearOnly:
            break;
    }
    out.AppendUnsigned(info.year);
}

void SignalType(const EdidInfo& info, TextBuilder& out) {
    if (!info.digital) {
        out.Append("Analog, ");
        out.Append(kAnalogLevels[info.analogSignalLevel & 0x03]);
        return;
    }
    out.Append("Digital");
    if (info.dfpCompatible) {
        out.Append(", DFP 1.x compatible TMDS");
    }
    if (info.bitsPerColor != 0) {
        out.Append(", ");
        out.AppendUnsigned(info.bitsPerColor);
        out.Append("-bit");
    }
    if (info.digitalInterface >= std::size(kInterfaces)) {
        out.Append(", interface 0x");
        out.AppendHex(info.digitalInterface, 2);
    } else if (info.digitalInterface != 0) {
        out.Append(", ");
        out.Append(kInterfaces[info.digitalInterface]);
    }
}

// "1920x1080 @ 60 Hz", "1920x1080i @ 59.94 Hz": the rate to two decimals, trailing zeros dropped.
void Timing(const DetailedTiming& t, TextBuilder& out) {
    out.AppendUnsigned(t.width);
    out.Append("x");
    out.AppendUnsigned(t.height);
    if (t.interlaced) {
        out.Append("i");
    }
    if (t.refreshMicroHz == 0) {
        return;
    }
    uint64_t centiHz = (t.refreshMicroHz + 5000) / 10000;
    out.Append(" @ ");
    out.AppendUnsigned(centiHz / 100);
    if (centiHz % 100 != 0) {
        out.Append(".");
        out.AppendUnsigned(centiHz % 100 / 10);
        if (centiHz % 10 != 0) {
            out.AppendUnsigned(centiHz % 10);
        }
    }
    out.Append(" Hz");
}

void ScreenSize(const EdidInfo& info, TextBuilder& out) {
    switch (info.sizeKind) {
        case SizeKind::kCentimetres:
            out.AppendUnsigned(info.widthCm);
            out.Append(" cm x ");
            out.AppendUnsigned(info.heightCm);
            out.Append(" cm");
            break;
        case SizeKind::kLandscapeRatio:
            out.Append("Aspect ratio ");
            out.AppendFixed(info.widthCm + 99u, 100, 2, Rounding::kHalfEven);
            out.Append(" (landscape)");
            break;
        case SizeKind::kPortraitRatio:
            out.Append("Aspect ratio ");
            out.AppendFixed(100, info.heightCm + 99u, 2, Rounding::kHalfEven);
            out.Append(" (portrait)");
            break;
        case SizeKind::kVariable:
            out.Append("Variable");
            break;
    }
}

void Gamma(const EdidInfo& info, TextBuilder& out) {
    if (info.gammaHundredths == 0) {
        out.Append("Ext. block");
    } else {
        out.AppendFixed(info.gammaHundredths, 100, 2, Rounding::kHalfEven);
    }
}

// Cut, not rounded, after four decimals: 329/1024 = 0.32128... shows as 0.3212, as edid-decode does.
void Chroma(const Chromaticity& c, TextBuilder& out) {
    out.AppendFixed(c.x, 1024, 4, Rounding::kDown);
    out.Append(", ");
    out.AppendFixed(c.y, 1024, 4, Rounding::kDown);
}

bool Available(const EdidInfo& info, uint32_t code) {
    switch (code) {
        case kCodeManufacturer:
        case kCodeModel:
        case kCodePnpId:
        case kCodeSerialNumber:
        case kCodeManufactureDate:
            return info.hasVendor;
        case kCodeEdidVersion:
            return info.hasVersion;
        case kCodeSignalType:
        case kCodeScreenSize:
        case kCodeGamma:
            return info.hasDisplayParameters;
        case kCodeRedChroma:
        case kCodeGreenChroma:
        case kCodeBlueChroma:
        case kCodeWhitePoint:
            return info.hasColor;
        case kCodeRecommendedTiming:
            return info.firstTiming.present;
        default:
            return false;
    }
}

void Write(const EdidInfo& info, uint32_t code, TextBuilder& out) {
    switch (code) {
        case kCodeManufacturer:
            Manufacturer(info, out);
            break;
        case kCodeModel:
            Model(info, out);
            break;
        case kCodePnpId:
            out.Append(std::string_view(info.pnpId, 3));
            out.AppendHex(info.productCode, 4);
            break;
        case kCodeSerialNumber:
            SerialNumber(info, out);
            break;
        case kCodeManufactureDate:
            ManufactureDate(info, out);
            break;
        case kCodeEdidVersion:
            out.AppendUnsigned(info.version);
            out.Append(".");
            out.AppendUnsigned(info.revision);
            break;
        case kCodeSignalType:
            SignalType(info, out);
            break;
        case kCodeRecommendedTiming:
            Timing(info.firstTiming, out);
            break;
        case kCodeScreenSize:
            ScreenSize(info, out);
            break;
        case kCodeGamma:
            Gamma(info, out);
            break;
        case kCodeRedChroma:
            Chroma(info.red, out);
            break;
        case kCodeGreenChroma:
            Chroma(info.green, out);
            break;
        case kCodeBlueChroma:
            Chroma(info.blue, out);
            break;
        case kCodeWhitePoint:
            Chroma(info.white, out);
            break;
        default:
            break;
    }
}

}  // namespace

size_t TextCapacity(uint32_t code) {
    for (const CodeCapacity& entry : kCapacities) {
        if (entry.code == code) {
            return entry.capacity;
        }
    }
    return 0;
}

size_t Text(const EdidInfo& info, uint32_t code, char* buffer, size_t capacity) {
    size_t limit = TextCapacity(code);
    TextBuilder out(buffer, capacity < limit ? capacity : limit);
    if (capacity > 0 && buffer != nullptr) {
        buffer[0] = '\0';
    }
    if (info.header != HeaderState::kMissing && Available(info, code)) {
        Write(info, code, out);
    }
    return out.Length();
}

std::string Text(const EdidInfo& info, uint32_t code) {
    char buffer[64];
    size_t length = Text(info, code, buffer, sizeof(buffer));
    return std::string(buffer, length);
}

}  // namespace brevlink::edid
