#include "catalogue/vcp_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/vcp_named_codes.h"

namespace kestrova::catalogue {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

TEST(VcpCatalogueTest, EveryCodeIsAtItsOwnIndex) {
    VcpCatalogue catalogue;
    for (int c = 0; c < 256; ++c) {
        const VcpEntry& entry = catalogue[static_cast<uint8_t>(c)];
        EXPECT_EQ(entry.code, c);
        // Named codes use upper-case hex, generated names lower case; both start "0x", two digits, a blank.
        std::string_view name = entry.name.View();
        ASSERT_GE(name.size(), 5u);
        EXPECT_EQ(name.substr(0, 2), "0x");
        EXPECT_EQ(std::stoi(std::string(name.substr(2, 2)), nullptr, 16), c) << name;
        EXPECT_EQ(name[4], ' ');
        EXPECT_FALSE(entry.tested);
        EXPECT_TRUE(entry.passed);
        EXPECT_FALSE(entry.inCaps);
        EXPECT_TRUE(entry.comments.empty());
    }
}

TEST(VcpCatalogueTest, NamedReservedAndManufacturerCounts) {
    VcpCatalogue catalogue;
    int named = 0;
    int reserved = 0;
    std::vector<int> manufacturer;
    for (int c = 1; c < 256; ++c) {
        const VcpEntry& entry = catalogue[static_cast<uint8_t>(c)];
        if (EndsWith(entry.name.View(), " Reserved")) {
            ++reserved;
            EXPECT_GE(c, 0x07);
            EXPECT_LE(c, 0xDD);
            EXPECT_EQ(entry.procedure, kProcedureNone);
        } else if (EndsWith(entry.name.View(), " Mfg specific")) {
            manufacturer.push_back(c);
            EXPECT_EQ(entry.procedure, kProcedureManufacturer);
        } else {
            ++named;
        }
    }
    EXPECT_EQ(named, 156);
    EXPECT_EQ(reserved, 81);
    const std::vector<int> expected = {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8,
                                       0xE9, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF8, 0xF9, 0xFF};
    EXPECT_EQ(manufacturer, expected);
}

TEST(VcpCatalogueTest, EntriesAsBuilt) {
    struct Case {
        uint8_t code;
        const char* name;
        VcpTag type;
        VcpTag access;
        uint32_t procedure;
        const char* note;
    };
    const Case cases[] = {
        {0x00, "0x00 UNDEFINED", kUnknownTag, kUnknownTag, kProcedureNone, "Not used"},
        {0x07, "0x07 Reserved", kUnknownTag, kUnknownTag, kProcedureNone, ""},
        {0x7E, "0x7e Reserved", kUnknownTag, kUnknownTag, kProcedureNone, ""},
        {0xCD, "0xcd Reserved", kUnknownTag, kUnknownTag, kProcedureNone, ""},
        {0xE0, "0xe0 Mfg specific", kUnknownTag, kUnknownTag, kProcedureManufacturer, ""},
        {0xFF, "0xff Mfg specific", kUnknownTag, kUnknownTag, kProcedureManufacturer, ""},
        {0xF1, "0xF1 PIP Brightness", kContinuous, kReadWrite, kProcedureContinuous, ""},
        {0xFB, "0xFB Theft Access Control Timeout", kContinuous, kReadWrite, kProcedureContinuous, ""},
        {0xFA, "0xFA Theft Access Control Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous, ""},
        {0xFC, "0xFC Theft Access Control PIN low", kNonContinuous, kWriteOnly, kProcedureNonContinuous, ""},
        {0xFD, "0xFD Theft Access Control PIN high", kNonContinuous, kWriteOnly, kProcedureNonContinuous, ""},
        {0xFE, "0xFE Theft Access Control State Mode", kNonContinuous, kReadOnly, kProcedureNonContinuous, ""},
        {0xEA, "0xEA PIP Size", kNonContinuous, kReadOnly, kProcedureNonContinuous, ""},
        {0x14, "0x14 Select Color Preset", kTable, kReadWrite, kProcedureNonContinuous, ""},
        {0x1E, "0x1E Autosetup", kNonContinuous, kReadWrite, kProcedureScreenAction, ""},
        {0x1F, "0x1F AutoColorSetup", kNonContinuous, kReadWrite, kProcedureScreenAction, ""},
        {0x04, "0x04 Restore factory defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction, ""},
        {0x9D, "0x9D 6-Aixs Color Control:Green", kContinuous, kReadWrite, kProcedureSixAxis, ""},
        {0x78, "0x78 EDID", kTable, kReadOnly, kProcedureEdid, ""},
        {0x73, "0x73 LUT Size", kTable, kReadOnly, kProcedureTable, ""},
        {0x76, "0x76 Remote Procedure Call", kTable, kWriteOnly, kProcedureTable, ""},
        {0x8B, "0x8B TV-channel up/down", kNonContinuous, kWriteOnly, kProcedureTvChannel, ""},
        {0xAC, "0xAC Horizontal Freq", kContinuous, kReadOnly, kProcedureContinuous, ""},
        {0xC6, "0xC6 Application enable key", kNonContinuous, kReadOnly, kProcedureNonContinuous,
         "Velmora-supplied vendor ID"},
    };
    VcpCatalogue catalogue;
    for (const Case& c : cases) {
        const VcpEntry& entry = catalogue[c.code];
        EXPECT_EQ(entry.name.View(), c.name);
        EXPECT_EQ(entry.type, c.type) << c.name << " type " << entry.type.Text();
        EXPECT_EQ(entry.access, c.access) << c.name << " access " << entry.access.Text();
        EXPECT_EQ(entry.procedure, c.procedure) << c.name;
        EXPECT_EQ(entry.note.View(), c.note) << c.name;
    }
}

TEST(VcpCatalogueTest, TagsCompareAsWholeValues) {
    EXPECT_NE(kContinuous, kNonContinuous);
    EXPECT_NE(VcpTag("N"), kNonContinuous);
    EXPECT_NE(VcpTag("R"), kReadWrite);
    EXPECT_NE(VcpTag("RX"), kReadWrite);
    EXPECT_EQ(VcpTag("NC"), kNonContinuous);
    EXPECT_EQ(kContinuous.Text(), "C");
    EXPECT_EQ(kWriteOnly.Text(), "WO");
    EXPECT_EQ(VcpTag().Text(), "?");
    EXPECT_EQ(VcpTag("").Text(), "");
}

TEST(VcpCatalogueTest, ResetClearsRunStateButKeepsResultText) {
    VcpCatalogue catalogue;
    catalogue[0x10].tested = true;
    catalogue[0x10].passed = false;
    catalogue[0x10].comments = "Failed<BR>";
    catalogue[0x10].inCaps = true;
    catalogue[0xFF].tested = true;
    catalogue.ResetRunState();
    EXPECT_FALSE(catalogue[0x10].tested);
    EXPECT_TRUE(catalogue[0x10].passed);
    EXPECT_EQ(catalogue[0x10].comments, "Failed<BR>");
    EXPECT_TRUE(catalogue[0x10].inCaps);
    EXPECT_FALSE(catalogue[0xFF].tested);
    catalogue.ClearCaps();
    EXPECT_FALSE(catalogue[0x10].inCaps);
    EXPECT_EQ(catalogue[0x10].name.View(), "0x10 Brightness/Luminance");
}

TEST(VcpCatalogueTest, ProcessWideCatalogueIsOneInstance) {
    EXPECT_EQ(&Catalogue(), &Catalogue());
    EXPECT_EQ(Catalogue()[0x12].name.View(), "0x12 Contrast");
}

}  // namespace
}  // namespace kestrova::catalogue
