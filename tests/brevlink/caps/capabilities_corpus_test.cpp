// Capabilities strings that real monitors sent, read as they are.
#include "brevlink/caps/capabilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "brevlink/caps/caps_query.h"
#include "tests/brevlink/caps/caps_render.h"

namespace brevlink::caps {
namespace {

std::string CorpusDir() {
    const char* dir = std::getenv("KESTROVA_CORPUS_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : KESTROVA_SOURCE_DIR "/../shared/corpus") + "/caps";
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

// SOURCES.tsv: file name -> published length. Every string in it must be covered below.
std::map<std::string, size_t> CorpusFiles() {
    std::map<std::string, size_t> files;
    std::string sources;
    if (!ReadFile(CorpusDir() + "/SOURCES.tsv", sources)) {
        ADD_FAILURE() << "capabilities corpus missing: " << CorpusDir()
                      << "/SOURCES.tsv (set KESTROVA_CORPUS_DIR to the corpus folder)";
        return files;
    }
    std::istringstream lines(sources);
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        std::vector<std::string> columns;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) {
            columns.push_back(cell);
        }
        if (columns.size() > 4) {
            files[columns[0]] = std::strtoul(columns[4].c_str(), nullptr, 10);
        }
    }
    return files;
}

std::string Corpus(const std::string& name) {
    std::string text;
    EXPECT_TRUE(ReadFile(CorpusDir() + "/" + name, text)) << "cannot read " << CorpusDir() << "/" << name;
    return text;
}

// Read off the strings by hand: code counts, one value list and one code without a list per file.
struct Expected {
    const char* file;
    std::string_view model;
    std::string_view mccsVersion;
    size_t codes;
    size_t discrete;
    int discreteCode;  // -1: the string lists none
    std::string_view values;
    uint8_t continuousCode;
    uint32_t quirks;
};

const Expected kExpected[] = {
    {"002.txt", "ACER", "2.2", 24, 4, 0xCC, "01 02 03 04 05 06 08 09 0A 0C 0D 0E 14 16 1E", 0x52, 0},
    {"004.txt", "ACER XV272UKV", "2.2", 34, 7, 0xE2, "00 01 02 03 05 06 07 0B 20 21 22", 0x9B, 0},
    {"006.txt", "P226HQV", "2.1", 27, 6, 0xDC, "01 02 03 04", 0xC0, 0},
    {"007.txt", "XB271HU", "2.2", 29, 3, 0x72, "00 78 FF", 0x2E, 0},
    {"008.txt", "ACER VG270U P", "2.2", 30, 7, 0xE2, "00 01 02 03 05 06 07 0B 10 11 12", 0xE3, 0},
    {"011.txt", "24G2U", "2.2", 27, 6, 0x86, "01 02 05 0B 0C 0D 0E 0F 10 11", 0xED, 0},
    {"012.txt", "C24G1", "2.2", 27, 6, 0x86, "01 02 05 0B 0C 0E 0F 11", 0xFF, 0},
    {"013.txt", "G2260VWQ6", "2.1", 30, 5, 0xCC, "01 02 03 04 05 06 07 08 09 0A 0B 0D 12 14 16 1E", 0x6C, kPackedHex},
    {"014.txt", "G2590FX", "2.2", 28, 8, 0x86, "01 02 05 0B 0C 0F 10 11", 0xC0, kUnbalancedParentheses | kTextAfterEnd},
    {"015.txt", "MStar", "2.2", 43, 10, 0x1E, "00 01 02", 0xA8, 0},
    {"016.txt", "LED Cinema Display", "2.2", 15, 1, 0xD6, "00 01 02 03 04", 0x93,
     kNoOuterParentheses | kKeywordSpelling},
    {"017.txt", "", "2.0", 38, 1, 0x14, "04 05 08 0B", 0x3E, 0},
    {"018.txt", "PB277Q", "2.1", 28, 4, 0xCC, "00 01 02 03 04 05 06 07 08 09 0A 0C 0D 11 12 14 1A 1E 1F 72 23 73", 0x8D,
     0},
    {"019.txt", "LCDPB287", "2.1", 27, 4, 0x60, "11 12 0F", 0xA8, kValueWithoutParentheses},
    {"021.txt", "VG279Q", "2.2", 36, 18, 0x87, "00 0A 14 1E 28 32 3C 46 50 5A 64", 0x8A, 0},
    {"022.txt", "LCDVP28UQ", "2.2", 38, 20, 0xB5, "00 01", 0x8A, 0},
    {"023.txt", "BL2410PT", "2.2", 50, 24, 0xF8, "00 0A 14 1E", 0xF9, 0},
    {"024.txt", "GL2460BH", "2.1", 28, 6, 0xCC, "01 02 03 04 05 06 09 0A 0B 0D 0E 0F 12 14 1A 1E 1F 20", 0xB2, 0},
    {"025.txt", "GW2270H", "2.2", 48, 23, 0xFC, "00 01", 0x90, 0},
    {"027.txt", "RL2450H", "2.1", 28, 6, 0x60, "01 03 04", 0xC9, 0},
    {"028.txt", "XL2411P", "2.2", 41, 16, 0xDC, "00 03 0B 0C 0E 15 16 17 18 19 1A", 0x90, 0},
    {"030.txt", "DELAB50", "", 35, 0, -1, "", 0xF7, kPackedHex | kUnbalancedParentheses},
    {"032.txt", "P2416D", "2.1", 36, 8, 0xE2, "00 01 02 04 0E 12 14 19", 0xFD, 0},
    {"035.txt", "S2721QS", "2.1", 36, 8, 0xF0, "00 0C 0F 10 11 31 32 34 35", 0xE8, 0},
    {"036.txt", "S3221QS", "2.1", 44, 15, 0xE1, "00 01", 0xE5, kDuplicateCode},
    {"038.txt", "U3011", "2.1", 24, 4, 0x60, "01 03 04 0C 0F 11 12", 0xFD, 0},
    {"039.txt", "S2431W", "2.0", 15, 2, 0x14, "01 02 03 04 05 06 08 09", 0x87, kKeywordSpelling},
    {"040.txt", "G27Q", "2.0", 29, 4, 0xD6, "01 02 04", 0x8D, 0},
    {"042.txt", "LA2006x", "2.2", 36, 7, 0xFE, "00 01 02 04", 0xFB, 0},
    {"044.txt", "HP X24ih", "2.2", 47, 22, 0xE8, "00(01 02 03) 01 02 03 04 05 06 80 81 82 83 84 85 86", 0xDF,
     kNestedValues | kDuplicateCode},
    {"045.txt", "MN08070101", "2.2", 44, 17, 0xF7, "42 FF", 0xA4, kDuplicateValue},
    {"046.txt", "H27AADW-CY77P1", "2.1", 28, 6, 0xCC, "01 02 03 04 06 09 0D 14 1E", 0x6B, 0},
    {"048.txt", "IIYAMA", "2.2", 39, 4, 0xCC, "02 03 04 06 09 14 1E", 0x1F, 0},
    {"049.txt", "MStar", "2.1", 24, 5, 0xDC, "00 02 03 05", 0xFD, kBareText | kModelWithoutKeyword},
    {"050.txt", "LEN Y27gq-20", "2.2", 29, 3, 0x72, "00 78 FF 5A 96", 0x2E, 0},
    {"051.txt", "Q24i-10", "2.2", 25, 4, 0xCC, "02 03 04 05 06 09 0A 0D", 0xCA, 0},
    {"053.txt", "P27h_10", "2.2", 24, 4, 0x60, "0F 10 11 12", 0xFD, 0},
    {"054.txt", "P27u_10", "2.2", 28, 10, 0xDC, "00 01 02 03 04 05 06", 0xC9, 0},
    {"055.txt", "P44w-10", "2.2", 39, 15, 0xF1, "01 0C 0D", 0x95, 0},
    {"056.txt", "MP76", "2.1", 48, 6, 0xE3, "00 01 02 03 04 10 11 12 13 14", 0x4D, kPackedHex},
    {"057.txt", "UL550_500", "2.1", 38, 10, 0x15, "01 06 09 10 11 13 14 28 29 32 44 48", 0xF9,
     kBareText | kModelWithoutKeyword},
    {"058.txt", "MP57", "2.1", 37, 7, 0x15, "10 11 20 30 40 0B", 0x87, kPackedHex},
    {"062.txt", "LCD-DVI", "2", 32, 2, 0x68, "01 02 03 04 05 06 0A", 0xB0, 0},
    {"069.txt", "MODEL BDM3270QP", "2.2", 50, 21, 0xDC, "00 01 02 03 05 08 1F", 0xA5,
     kUnknownKeyword | kDuplicateValue},
    {"070.txt", "SAMSUNG", "2.1", 24, 5, 0xAA, "01 02 03 FF", 0xFD, kBareText | kModelWithoutKeyword},
    {"072.txt", "LS27R35", "2.1", 18, 2, 0x60, "01 03", 0xB0, 0},
    {"073.txt", "550", "2.0", 26, 10, 0xDB, "00 04 FD FE", 0xF6, 0},
    {"075.txt", "LEO(LE Series)", "", 28, 1, 0x14, "01 05 08", 0xE7, kTextAfterEnd},
    {"076.txt", "PLUM", "2.0", 30, 13, 0xDB, "00 04 FE", 0xE0, kDuplicateCode},
    {"077.txt", "SDM-S205", "0201", 17, 3, 0x72, "0A 78 FA 50 64 8C A0", 0x13,
     kNoOuterParentheses | kPackedHex | kDuplicateValue},
    {"078.txt", "RTK", "2.2", 28, 4, 0x60, "01 03 04 0F 10 11 12", 0x87, 0},
    {"079.txt", "VG2253", "2.2", 28, 5, 0xCC, "01 02 03 04 05 06 07 09 0A 0C 0D 16", 0x87, 0},
    {"080.txt", "VP2785 series", "2.2", 77, 32, 0xDC, "00 03 04 30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E", 0x97,
     kDuplicateValue},
    {"081.txt", "VSC", "2.0", 32, 4, 0xCC, "02 03 04 0A 05 16 09 06 07 0D 01", 0xE1, 0},
};

const Expected* ExpectedFor(const std::string& file) {
    for (const Expected& expected : kExpected) {
        if (file == expected.file) {
            return &expected;
        }
    }
    return nullptr;
}

std::string RenderEntry(const VcpEntry& entry) {
    std::string text = test::RenderEntries({entry});
    return text.size() > 3 ? text.substr(3, text.size() - 4) : "";  // "CC(...)" -> "..."
}

TEST(CapsCorpus, EveryStringIsCoveredAndReadWhole) {
    std::map<std::string, size_t> files = CorpusFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.size(), std::size(kExpected));
    for (const auto& [file, length] : files) {
        SCOPED_TRACE(file);
        EXPECT_NE(ExpectedFor(file), nullptr) << "no expectations for this corpus string";
        EXPECT_EQ(Corpus(file).size(), length);  // binary read: no line-end translation
    }
}

TEST(CapsCorpus, KeepsTheCodesAndValuesEachStringCarries) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.file);
        Capabilities caps = ParseCapabilities(Corpus(expected.file));
        EXPECT_EQ(ModelText(caps), expected.model);
        EXPECT_EQ(MccsVersionText(caps), expected.mccsVersion);
        EXPECT_EQ(caps.vcp.size(), expected.codes);
        EXPECT_EQ(DiscreteCount(caps), expected.discrete);
        EXPECT_EQ(ContinuousCount(caps), expected.codes - expected.discrete);
        if (expected.discreteCode >= 0) {
            const VcpEntry* entry = FindEntry(caps, static_cast<uint8_t>(expected.discreteCode));
            ASSERT_NE(entry, nullptr);
            EXPECT_TRUE(entry->hasValueList);
            EXPECT_EQ(RenderEntry(*entry), expected.values);
        }
        const VcpEntry* continuous = FindEntry(caps, expected.continuousCode);
        ASSERT_NE(continuous, nullptr);
        EXPECT_FALSE(continuous->hasValueList);
        EXPECT_EQ(caps.quirks, expected.quirks) << std::hex << "got 0x" << caps.quirks;
    }
}

TEST(CapsCorpus, ReadsTheFieldsOfTheOddOnes) {
    Capabilities dell = ParseCapabilities(Corpus("030.txt"));
    EXPECT_EQ(DisplayTypeText(dell), "crt");
    EXPECT_EQ(FieldValue(dell, Keyword::kEdid), std::string(128, '#'));
    EXPECT_EQ(test::RenderValues(std::vector<uint16_t>(dell.commands.begin(), dell.commands.end())),
              "01 02 03 04 05 06 08 09 0A 0B 0C 4F");

    Capabilities samsung = ParseCapabilities(Corpus("072.txt"));
    EXPECT_EQ(MpuVersionText(samsung), "-1009.0");
    EXPECT_EQ(AssetEepText(samsung), "64");
    EXPECT_EQ(test::RenderFields(samsung).substr(0, 4), "vcp(");

    Capabilities eizo = ParseCapabilities(Corpus("039.txt"));
    EXPECT_EQ(MswhqlText(eizo), "1");

    Capabilities aoc = ParseCapabilities(Corpus("013.txt"));
    EXPECT_EQ(RenderEntry(*FindEntry(aoc, 0xD6)), "01 04");
    EXPECT_EQ(RenderEntry(*FindEntry(aoc, 0x60)), "01 11");
    EXPECT_EQ(MpuVersionText(aoc), "01");

    Capabilities hp = ParseCapabilities(Corpus("044.txt"));
    EXPECT_EQ(RenderEntry(*FindEntry(hp, 0xE1)),
              "02(00 01) 03(00 01 02 03 04 05 06 07) 04(00 01) 0F(00 01) 10(00 01) 27(02 03 04 05 07)");
    EXPECT_EQ(RenderEntry(*FindEntry(hp, 0xDC)), "00(00 10 13 14 15 17 1A 1D 1E) 01 02 03");
    EXPECT_EQ(hp.duplicateCodes, std::vector<uint8_t>{0xEE});

    Capabilities samsungCrt = ParseCapabilities(Corpus("075.txt"));
    ASSERT_EQ(samsungCrt.vcpNames.size(), 1u);
    EXPECT_EQ(samsungCrt.vcpNames[0].code, 0x14);
    EXPECT_EQ(samsungCrt.vcpNames[0].names, "9300 6500");
    EXPECT_EQ(samsungCrt.bareText, std::vector<std::string>{"0"});

    // E1 is listed bare after E0, then with values after E2: one entry, at its first place.
    Capabilities dellDup = ParseCapabilities(Corpus("036.txt"));
    ASSERT_EQ(DiscreteCount(dellDup), 15u);
    EXPECT_EQ(DiscreteEntry(dellDup, 7)->code, 0xE1);
    EXPECT_EQ(DiscreteEntry(dellDup, 8)->code, 0xE2);
}

// A deliberately simple second reading of the vcp section: hex words at depth 1 are codes (in
// pairs), at depth 2 values of the code before, at depth 3 sub-values of the value before.
struct NaiveVcp {
    std::set<unsigned> codes;
    std::set<unsigned> discrete;
    std::vector<std::pair<unsigned, unsigned>> values;                    // code, value
    std::vector<std::pair<unsigned, std::pair<unsigned, unsigned>>> sub;  // code, (value, sub-value)
};

NaiveVcp ReadVcpNaively(const std::string& raw) {
    NaiveVcp naive;
    std::string lower = raw;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    size_t pos = lower.find("vcp(");
    if (pos == std::string::npos) {
        return naive;
    }
    int depth = 1;
    unsigned code = 0;
    unsigned value = 0;
    for (pos += 4; pos < raw.size() && depth > 0; ++pos) {
        if (raw[pos] == '(') {
            if (++depth == 2) {
                naive.discrete.insert(code);
            }
        } else if (raw[pos] == ')') {
            --depth;
        } else if (std::isxdigit(static_cast<unsigned char>(raw[pos]))) {
            size_t end = pos;
            while (end < raw.size() && std::isxdigit(static_cast<unsigned char>(raw[end]))) {
                ++end;
            }
            for (size_t i = pos; i < end; i += 2) {
                unsigned number =
                    static_cast<unsigned>(std::stoul(raw.substr(i, std::min<size_t>(2, end - i)), nullptr, 16));
                if (depth == 1) {
                    naive.codes.insert(code = number);
                } else if (depth == 2) {
                    naive.values.push_back({code, value = number});
                } else {
                    naive.sub.push_back({code, {value, number}});
                }
            }
            pos = end - 1;
        }
    }
    return naive;
}

TEST(CapsCorpus, FindsEveryHexCodeOfTheVcpSection) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.file);
        std::string raw = Corpus(expected.file);
        Capabilities caps = ParseCapabilities(raw);
        NaiveVcp naive = ReadVcpNaively(raw);
        std::set<unsigned> listed;
        std::set<unsigned> discrete;
        for (const VcpEntry& entry : caps.vcp) {
            listed.insert(entry.code);
            if (entry.hasValueList) {
                discrete.insert(entry.code);
            }
        }
        EXPECT_EQ(listed, naive.codes);
        EXPECT_EQ(discrete, naive.discrete);
        for (const auto& [code, value] : naive.values) {
            const VcpEntry* entry = FindEntry(caps, static_cast<uint8_t>(code));
            ASSERT_NE(entry, nullptr);
            EXPECT_NE(std::find(entry->values.begin(), entry->values.end(), value), entry->values.end())
                << test::Hex(code) << " lacks " << test::Hex(value);
        }
        for (const auto& [code, pair] : naive.sub) {
            const VcpEntry* entry = FindEntry(caps, static_cast<uint8_t>(code));
            ASSERT_NE(entry, nullptr);
            bool found = false;
            for (const VcpSubList& sub : entry->subLists) {
                found = found || (sub.parent == pair.first &&
                                  std::find(sub.values.begin(), sub.values.end(), pair.second) != sub.values.end());
            }
            EXPECT_TRUE(found) << test::Hex(code) << " " << test::Hex(pair.first) << " lacks "
                               << test::Hex(pair.second);
        }
    }
}

// A string cut anywhere, as a short read leaves it, keeps only what the whole string lists.
TEST(CapsCorpus, EveryTruncationKeepsOnlyWhatTheWholeStringLists) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.file);
        std::string raw = Corpus(expected.file);
        Capabilities whole = ParseCapabilities(raw);
        for (size_t length = 0; length < raw.size(); ++length) {
            Capabilities cut = ParseCapabilities(std::string_view(raw).substr(0, length));
            for (const VcpEntry& entry : cut.vcp) {
                const VcpEntry* full = FindEntry(whole, entry.code);
                ASSERT_NE(full, nullptr) << "cut at " << length << " lists " << test::Hex(entry.code);
                for (uint16_t value : entry.values) {
                    ASSERT_NE(std::find(full->values.begin(), full->values.end(), value), full->values.end())
                        << "cut at " << length << ": " << test::Hex(entry.code) << " lists " << test::Hex(value);
                }
            }
        }
    }
}

}  // namespace
}  // namespace brevlink::caps
