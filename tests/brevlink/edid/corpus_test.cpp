// Every EDID of the real-world corpus against what edid-decode printed for it: wherever both state
// a fact, ours must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "brevlink/edid/edid.h"
#include "tests/brevlink/edid/decode_facts.h"

namespace brevlink::edid {
namespace {

namespace fs = std::filesystem;

fs::path CorpusDir() {
    const char* env = std::getenv("KESTROVA_CORPUS_DIR");
    return fs::path(env != nullptr && env[0] != '\0' ? env : KESTROVA_SOURCE_DIR "/../shared/corpus") / "edid";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// SOURCES.tsv: file name -> maker as the corpus names it, e.g. "Dell (DEL)" -> "Dell".
std::map<std::string, std::string> Makers(const fs::path& dir) {
    std::map<std::string, std::string> makers;
    std::istringstream lines(ReadFile(dir / "SOURCES.tsv"));
    std::string line;
    while (std::getline(lines, line)) {
        size_t tab = line.find('\t');
        size_t next = tab == std::string::npos ? tab : line.find('\t', tab + 1);
        if (next == std::string::npos) {
            continue;
        }
        std::string maker = line.substr(tab + 1, next - tab - 1);
        makers[line.substr(0, tab)] = maker.substr(0, maker.rfind(" ("));
    }
    return makers;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof(text), "%04X", value & 0xFFFF);
    return text;
}

void CheckAgainstFacts(const EdidInfo& info, const testing::DecodeFacts& facts) {
    ASSERT_TRUE(facts.sawBaseBlock);
    EXPECT_EQ(info.size / kBlockSize, facts.blocks);
    EXPECT_EQ(info.declaredExtensions, facts.extensionBlocks);
    for (const auto& [block, ok] : facts.checksums) {
        if (block == 0) {
            EXPECT_EQ(info.baseChecksumOk, ok);
        } else if (block < info.blockCount && block <= kTrackedExtensions) {
            EXPECT_EQ(info.extensionChecksumOk[block - 1], ok) << "block " << block;
        }
    }

    EXPECT_EQ(Text(info, kCodeEdidVersion), facts.version);
    EXPECT_EQ(std::string(info.pnpId), facts.manufacturer);
    EXPECT_EQ(info.productCode, facts.model);
    EXPECT_EQ(Text(info, kCodePnpId), facts.manufacturer + Hex4(facts.model));
    EXPECT_EQ(info.serialNumber, facts.serialNumber);  // edid-decode leaves out a serial number of 0
    EXPECT_EQ(Text(info, kCodeManufactureDate), facts.date);

    EXPECT_EQ(info.digital, facts.digital);
    std::string signal = Text(info, kCodeSignalType);
    EXPECT_EQ(signal.rfind(facts.digital ? "Digital" : "Analog", 0), 0u) << signal;
    EXPECT_EQ(info.bitsPerColor, facts.bitsPerColor);
    if (facts.bitsPerColor != 0) {
        EXPECT_NE(signal.find(", " + std::to_string(facts.bitsPerColor) + "-bit"), std::string::npos) << signal;
    }
    if (!facts.interfaceName.empty()) {
        EXPECT_NE(signal.find(", " + facts.interfaceName), std::string::npos) << signal;
    }
    EXPECT_EQ(info.dfpCompatible, facts.dfp);
    if (!facts.signalLevel.empty()) {
        EXPECT_EQ(signal, "Analog, " + facts.signalLevel);
    }

    EXPECT_EQ(Text(info, kCodeScreenSize), facts.screenSize);
    EXPECT_EQ(Text(info, kCodeGamma), facts.gamma);
    EXPECT_EQ(Text(info, kCodeRedChroma), facts.red);
    EXPECT_EQ(Text(info, kCodeGreenChroma), facts.green);
    EXPECT_EQ(Text(info, kCodeBlueChroma), facts.blue);
    EXPECT_EQ(Text(info, kCodeWhitePoint), facts.white);

    EXPECT_EQ(info.firstTiming.present, facts.hasTiming);
    if (facts.hasTiming) {
        const DetailedTiming& t = info.firstTiming;
        EXPECT_EQ(t.width, facts.timingWidth);
        EXPECT_EQ(t.height, facts.timingHeight);
        EXPECT_EQ(t.interlaced, facts.timingInterlaced);
        EXPECT_NEAR(static_cast<double>(t.refreshMicroHz), facts.timingHz * 1e6, 1.0);
        EXPECT_NEAR(t.pixelClockKhz, facts.timingMhz * 1000, 0.5);
        // Our text: "WxH[i] @ R Hz" with R to two decimals.
        std::string text = Text(info, kCodeRecommendedTiming);
        unsigned width = 0, height = 0;
        double hz = 0;
        char interlaced[2] = {};
        ASSERT_EQ(std::sscanf(text.c_str(), "%ux%u%1[i] @ %lf Hz", &width, &height, interlaced, &hz) == 4 ||
                      std::sscanf(text.c_str(), "%ux%u @ %lf Hz", &width, &height, &hz) == 3,
                  true)
            << text;
        EXPECT_EQ(width, facts.timingWidth);
        EXPECT_EQ(height, facts.timingHeight);
        EXPECT_NEAR(hz, facts.timingHz, 0.005 + 1e-6) << text;
    } else {
        EXPECT_EQ(Text(info, kCodeRecommendedTiming), "");
    }

    std::string name;
    for (const std::string& part : facts.names) {
        name += part;
    }
    EXPECT_EQ(info.hasMonitorName, !facts.names.empty());
    EXPECT_EQ(std::string(info.monitorName), name);
    std::string model = Trimmed(name).substr(0, TextCapacity(kCodeModel) - 1);
    EXPECT_EQ(Text(info, kCodeModel), model.empty() ? Hex4(facts.model) : model);

    EXPECT_EQ(info.hasSerialText, !facts.serialTexts.empty());
    std::string serial = facts.serialTexts.empty() ? "" : Trimmed(facts.serialTexts.front());
    EXPECT_EQ(std::string(info.serialText), facts.serialTexts.empty() ? "" : facts.serialTexts.front());
    if (serial.empty() && facts.serialNumber != 0) {
        serial = std::to_string(facts.serialNumber);
    }
    EXPECT_EQ(Text(info, kCodeSerialNumber), serial);
}

TEST(EdidCorpus, EveryEdidAgreesWithEdidDecode) {
    fs::path dir = CorpusDir();
    ASSERT_TRUE(fs::is_directory(dir)) << "EDID corpus not found at " << dir.string()
                                       << "; set KESTROVA_CORPUS_DIR to the corpus folder";
    std::map<std::string, std::string> makers = Makers(dir);
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".bin") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 50u) << "too few EDIDs in " << dir.string();

    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::string bytes = ReadFile(file);
        fs::path decodeFile = file;
        decodeFile.replace_extension(".decode.txt");
        ASSERT_TRUE(fs::exists(decodeFile));
        testing::DecodeFacts facts = testing::ParseDecodeOutput(ReadFile(decodeFile));

        EdidInfo info;
        bool decoded = Decode(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), info);
        // edid-decode refuses a damaged header or a length that is not whole blocks; we decode those
        // when we can, so only its decoded files have facts to compare.
        if (facts.sawBaseBlock) {
            EXPECT_TRUE(decoded);
            if (decoded) {
                CheckAgainstFacts(info, facts);
            }
        } else if (decoded) {
            EXPECT_TRUE(info.header == HeaderState::kRepaired || info.size % kBlockSize != 0);
        }

        for (uint32_t code : kCodes) {
            std::string text = Text(info, code);
            EXPECT_LT(text.size(), TextCapacity(code)) << code;
            for (char c : text) {
                EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << code << ": " << text;
            }
        }
        auto maker = makers.find(file.filename().string());
        std::string manufacturer = Text(info, kCodeManufacturer);
        if (maker != makers.end() && manufacturer != std::string(info.pnpId)) {
            EXPECT_EQ(manufacturer, maker->second);
        }
    }
}

}  // namespace
}  // namespace brevlink::edid
