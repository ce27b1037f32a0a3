#include "tests/brevlink/edid/decode_facts.h"

#include <cstdlib>
#include <sstream>

namespace brevlink::edid::testing {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "    Display Product Name: 'X'" -> X (quotes may be inside the text).
std::string Quoted(const std::string& line) {
    size_t first = line.find('\'');
    size_t last = line.rfind('\'');
    return first < last ? line.substr(first + 1, last - first - 1) : "";
}

std::string After(const std::string& line, const std::string& prefix) {
    return line.substr(prefix.size());
}

void ParseTiming(const std::string& line, DecodeFacts& facts) {
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    if (tokens.size() < 10) {
        return;
    }
    std::string size = tokens[2];
    facts.timingInterlaced = size.back() == 'i';
    facts.timingWidth = static_cast<unsigned>(std::strtoul(size.c_str(), nullptr, 10));
    facts.timingHeight = static_cast<unsigned>(std::strtoul(size.c_str() + size.find('x') + 1, nullptr, 10));
    facts.timingHz = std::strtod(tokens[3].c_str(), nullptr);
    for (size_t i = 4; i + 1 < tokens.size(); ++i) {
        if (tokens[i] == "kHz") {
            facts.timingMhz = std::strtod(tokens[i + 1].c_str(), nullptr);
        }
    }
    facts.hasTiming = true;
}

void ParseBaseLine(const std::string& line, DecodeFacts& facts) {
    size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) {
        return;
    }
    std::string text = line.substr(indent);
    if (StartsWith(text, "EDID Structure Version & Revision: ")) {
        facts.version = After(text, "EDID Structure Version & Revision: ");
    } else if (StartsWith(text, "Manufacturer: ")) {
        facts.manufacturer = After(text, "Manufacturer: ");
    } else if (StartsWith(text, "Model: ")) {
        facts.model = static_cast<unsigned>(std::strtoul(After(text, "Model: ").c_str(), nullptr, 10));
    } else if (StartsWith(text, "Serial Number: ")) {
        facts.serialNumber = static_cast<uint32_t>(std::strtoul(After(text, "Serial Number: ").c_str(), nullptr, 10));
    } else if (StartsWith(text, "Made in: week ")) {
        facts.date = "Week " + After(text, "Made in: week ");
    } else if (StartsWith(text, "Made in: ")) {
        facts.date = After(text, "Made in: ");
    } else if (StartsWith(text, "Model year: ")) {
        facts.date = "Model year " + After(text, "Model year: ");
    } else if (text == "Digital display") {
        facts.digital = true;
    } else if (StartsWith(text, "Bits per primary color channel: ")) {
        facts.bitsPerColor =
            static_cast<unsigned>(std::strtoul(After(text, "Bits per primary color channel: ").c_str(), nullptr, 10));
    } else if (StartsWith(text, "Unknown interface: ")) {
        facts.interfaceName = "interface " + After(text, "Unknown interface: ");
    } else if (text.size() > 10 && text.ends_with(" interface") && !StartsWith(text, "Digital interface")) {
        facts.interfaceName = text.substr(0, text.size() - 10);
    } else if (text == "DFP 1.x compatible TMDS") {
        facts.dfp = true;
    } else if (StartsWith(text, "Signal Level Standard: ")) {
        facts.signalLevel = After(text, "Signal Level Standard: ");
    } else if (StartsWith(text, "Maximum image size: ")) {
        facts.screenSize = After(text, "Maximum image size: ");
    } else if (text == "Image size is variable") {
        facts.screenSize = "Variable";
    } else if (StartsWith(text, "Aspect ratio: ")) {
        facts.screenSize = "Aspect ratio " + After(text, "Aspect ratio: ");
    } else if (StartsWith(text, "Gamma: ")) {
        facts.gamma = After(text, "Gamma: ");
    } else if (text == "Gamma is defined in an extension block") {
        facts.gamma = "Ext. block";
    } else if (StartsWith(text, "Red  : ")) {
        facts.red = After(text, "Red  : ");
    } else if (StartsWith(text, "Green: ")) {
        facts.green = After(text, "Green: ");
    } else if (StartsWith(text, "Blue : ")) {
        facts.blue = After(text, "Blue : ");
    } else if (StartsWith(text, "White: ")) {
        facts.white = After(text, "White: ");
    } else if (StartsWith(text, "DTD ") && !facts.hasTiming) {
        // The first timing edid-decode accepts; it prints garbage ones as "Detailed mode:" bytes.
        ParseTiming(text, facts);
    } else if (StartsWith(text, "Display Product Name: ")) {
        facts.names.push_back(Quoted(text));
    } else if (StartsWith(text, "Display Product Serial Number: ")) {
        facts.serialTexts.push_back(Quoted(text));
    } else if (StartsWith(text, "Extension blocks: ")) {
        facts.extensionBlocks =
            static_cast<unsigned>(std::strtoul(After(text, "Extension blocks: ").c_str(), nullptr, 10));
    }
}

}  // namespace

DecodeFacts ParseDecodeOutput(const std::string& output) {
    DecodeFacts facts;
    std::istringstream lines(output);
    std::string line;
    long block = -1;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (StartsWith(line, "Block ")) {
            block = std::strtol(line.c_str() + 6, nullptr, 10);
            facts.blocks++;
            facts.sawBaseBlock = facts.sawBaseBlock || block == 0;
        } else if (StartsWith(line, "Checksum: ") && block >= 0) {
            facts.checksums.emplace_back(static_cast<size_t>(block), line.find("should be") == std::string::npos);
        } else if (block == 0) {
            ParseBaseLine(line, facts);
        }
    }
    return facts;
}

}  // namespace brevlink::edid::testing
