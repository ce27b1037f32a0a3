#include "brevlink/caps/capabilities.h"

#include <gtest/gtest.h>

#include <string>

#include "brevlink/caps/caps_query.h"
#include "tests/brevlink/caps/caps_render.h"

namespace brevlink::caps {
namespace {

using test::RenderEntries;
using test::RenderFields;
using test::RenderValues;

struct VcpCase {
    const char* what;
    std::string_view text;
    std::string_view vcp;  // page 0 as RenderEntries writes it
    uint32_t quirks;
};

const VcpCase kVcpCases[] = {
    {"plain", "(vcp(02 10 14(01 05)))", "02 10 14(01 05)", 0},
    {"stray spaces", "( vcp( 02  10 14 ( 01  05 ) ) )", "02 10 14(01 05)", 0},
    {"no space after a value list", "(vcp(60(01 03)6C 14(05)DF))", "60(01 03) 6C 14(05) DF", 0},
    {"lower-case hex", "(vcp(0a cc(0a 0b) ff))", "0A CC(0A 0B) FF", 0},
    {"codes and values run together", "(vcp(020410D6(0104)DF))", "02 04 10 D6(01 04) DF", kPackedHex},
    {"values run together in a spaced list", "(vcp(72(0A78FA50) 10))", "72(0A 78 FA 50) 10", kPackedHex},
    {"odd digit count run together", "(vcp(0A7 10))", "0A 07 10", kPackedHex},
    {"single-digit values", "(vcp(14(1 5 8) 2))", "14(01 05 08) 02", 0},
    {"four-digit values", "(vcp(10 DC(0000 0100 FFFF)))", "10 DC(00 0100 FFFF)", kWideValue},
    {"three-digit value", "(vcp(DC(100)))", "DC(0100)", kWideValue},
    {"nested value lists", "(vcp(DC (00 (00 10) 01 02) E8(00 ( 01 02 ) 05)))", "DC(00(00 10) 01 02) E8(00(01 02) 05)",
     kNestedValues},
    {"deeper nesting flattened", "(vcp(F4(00 (01 (02 03) 04) 05)))", "F4(00(01 02 03 04) 05)", kNestedValues},
    {"group with no value before it", "(vcp(E8((01 02) 03)))", "E8(01 02 03)", kNestedValues},
    {"group with no code before it", "(vcp((01 02) 10))", "10", kBadToken},
    {"bare code later listed with values", "(vcp(E1 10 E1(00 01)))", "E1(00 01) 10", kDuplicateCode},
    {"code listed twice with different lists", "(vcp(DB(00 04) 10 DB(00 04 FE)))", "DB(00 04 FE) 10", kDuplicateCode},
    {"value listed twice", "(vcp(72(78 50 78)))", "72(78 50)", kDuplicateValue},
    {"two vcp fields", "(vcp(10 12)vcp(12 16))", "10 12 16", kDuplicateCode},
    {"empty value list", "(vcp(F0() 10))", "F0() 10", 0},
    {"junk inside the list", "(vcp(02 xyz 10 # 12))", "02 10 12", kBadToken},
    {"comma separators", "(vcp(02,10))", "02 10", kBadToken},
    {"list ends where the next field starts", "(vcp(02 10 mccs_ver(2.2))", "02 10", kUnbalancedParentheses},
    {"value list ends where the next field starts", "(vcp(02 14(01 mswhql(1))", "02 14(01)", kUnbalancedParentheses},
    {"cut inside a value list", "(vcp(02 10 14(01 0", "02 10 14(01)", kTruncated | kUnbalancedParentheses},
    {"cut inside a run-together code", "(vcp(0210C", "02 10", kPackedHex | kTruncated | kUnbalancedParentheses},
    {"upper-case keyword", "(VCP(10))", "10", kKeywordSpelling},
    {"page 0 written as a page", "(vcp(10)vcp_p00(12))", "10 12", 0},
    {"nothing listed", "(vcp())", "", 0},
};

TEST(ParseCapabilities, ReadsEveryFormOfVcpList) {
    for (const VcpCase& c : kVcpCases) {
        SCOPED_TRACE(c.what);
        Capabilities caps = ParseCapabilities(c.text);
        EXPECT_EQ(RenderEntries(caps.vcp), c.vcp);
        EXPECT_EQ(caps.quirks, c.quirks) << std::hex << "got 0x" << caps.quirks << ", expected 0x" << c.quirks;
        EXPECT_EQ(caps.discrete.size() + caps.continuous.size(), caps.vcp.size());
        EXPECT_EQ(caps.listed.count(), caps.vcp.size());
    }
}

struct FieldCase {
    const char* what;
    std::string_view text;
    std::string_view fields;  // as RenderFields writes them
    std::string_view bare;    // bare texts joined with "|"
    uint32_t quirks;
};

const FieldCase kFieldCases[] = {
    {"every standard field",
     "(prot(monitor)type(lcd)model(X1)cmds(01 02)vcp(10)mccs_ver(2.2)mswhql(1)asset_eep(40)mpu_ver(01))",
     "prot(monitor) type(lcd) model(X1) cmds(01 02) vcp(10) mccs_ver(2.2) mswhql(1) asset_eep(40) mpu_ver(01)", "", 0},
    {"no outer parentheses", "prot(monitor) type(LCD) vcp(10)", "prot(monitor) type(LCD) vcp(10)", "",
     kNoOuterParentheses},
    {"outer parenthesis never closed", "(prot(monitor)type(LCD)", "prot(monitor) type(LCD)", "",
     kUnbalancedParentheses},
    {"one closing parenthesis too many", "(prot(monitor)))", "prot(monitor)", "",
     kUnbalancedParentheses | kTextAfterEnd},
    {"garbage after the end", "(prot(monitor))0", "prot(monitor)", "0", kTextAfterEnd},
    {"fields after the end are kept", "(prot(monitor))type(lcd)", "prot(monitor) type(lcd)", "", kTextAfterEnd},
    {"a second group after the end", "(prot(monitor))(type(lcd))", "prot(monitor) type(lcd)", "", kTextAfterEnd},
    {"junk before the outer parenthesis", "xx(prot(monitor))", "prot(monitor)", "xx", kBareText},
    {"model without parentheses", "(type(LCD)model LCDPB287 cmds(01))", "type(LCD) model(LCDPB287) cmds(01)", "",
     kValueWithoutParentheses},
    {"model name run into cmds", "(type(lcd)MStarcmds(01))", "type(lcd) (MStar) cmds(01)", "MStar",
     kBareText | kModelWithoutKeyword},
    {"bare text is no model when a model is given", "(model(A)junk cmds(01))", "model(A) cmds(01)", "junk", kBareText},
    {"space inside a keyword", "(ms whql(1))", "ms whql(1)", "", kKeywordSpelling},
    {"keywords in other cases", "(PROT(monitor)Model(x))", "PROT(monitor) Model(x)", "", kKeywordSpelling},
    {"underscore left out", "(mccsver(2.1)asseteep(32))", "mccsver(2.1) asseteep(32)", "", kKeywordSpelling},
    {"unknown keywords kept", "(SmartManage(1.0)foo(a(b)c))", "SmartManage(1.0) foo(a(b)c)", "", kUnknownKeyword},
    {"binary payload holding parentheses", "(edid bin(4(()()))type(lcd))", "edid(()()) type(lcd)", "", 0},
    {"binary payload cut short", "(edid bin(10(abc", "edid(abc)", "", kTruncated | kUnbalancedParentheses},
    {"model never closed before a binary field", "(prot(monitor)model( DELAB50   edid bin(2(##))cmds(01)vcp(10)",
     "prot(monitor) model(DELAB50) edid(##) cmds(01) vcp(10)", "", kUnbalancedParentheses},
    {"text field never closed before the next field", "(type(LCD model(X)cmds(01))", "type(LCD) model(X) cmds(01)", "",
     kUnbalancedParentheses},
    {"model with parentheses in its name", "(model(LEO(LE Series))cmds(01))", "model(LEO(LE Series)) cmds(01)", "", 0},
    {"window with nested fields", "(window1(type(PIP) area(0 0 10 10))vcp(10))",
     "window1(type(PIP) area(0 0 10 10)) vcp(10)", "", 0},
    {"cut inside a text field", "(prot(monitor)model(AC", "prot(monitor) model(AC)", "",
     kTruncated | kUnbalancedParentheses},
    {"nul padding", std::string_view("(prot(monitor))\0\0\0", 18), "prot(monitor)", "", 0},
    {"empty", "", "", "", 0},
    {"only parentheses", ")(()", "", "", kUnbalancedParentheses},
};

TEST(ParseCapabilities, KeepsEveryWellFormedField) {
    for (const FieldCase& c : kFieldCases) {
        SCOPED_TRACE(c.what);
        Capabilities caps = ParseCapabilities(c.text);
        EXPECT_EQ(RenderFields(caps), c.fields);
        std::string bare;
        for (const std::string& text : caps.bareText) {
            if (!bare.empty()) {
                bare += '|';
            }
            bare += text;
        }
        EXPECT_EQ(bare, c.bare);
        EXPECT_EQ(caps.quirks, c.quirks) << std::hex << "got 0x" << caps.quirks << ", expected 0x" << c.quirks;
        EXPECT_EQ(caps.raw, c.text);
    }
}

TEST(ParseCapabilities, RecognisesMisspelledKeywordsByMeaning) {
    Capabilities caps = ParseCapabilities("(ms whql(1)mccsver(2.1)asset eep(32)MPU_VER(7)VCP(10))");
    EXPECT_EQ(MswhqlText(caps), "1");
    EXPECT_EQ(MccsVersionText(caps), "2.1");
    EXPECT_EQ(AssetEepText(caps), "32");
    EXPECT_EQ(MpuVersionText(caps), "7");
    EXPECT_TRUE(IsCodeListed(caps, 0x10));
}

TEST(ParseCapabilities, ReadsCommandsInEveryForm) {
    const struct {
        std::string_view text;
        std::vector<uint8_t> commands;
    } cases[] = {
        {"(cmds(01 02 03 07 0C E3 F3))", {0x01, 0x02, 0x03, 0x07, 0x0C, 0xE3, 0xF3}},
        {"(cmds(010203070C4EF3E3))", {0x01, 0x02, 0x03, 0x07, 0x0C, 0x4E, 0xF3, 0xE3}},
        {"(cmds(01 e3 (7) f3))", {0x01, 0xE3, 0xF3}},
        {"(cmds(01 02 vcp(10))", {0x01, 0x02}},
        {"(cmds(01 0", {0x01}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseCapabilities(c.text).commands, c.commands);
    }
}

TEST(ParseCapabilities, KeepsOtherVcpPagesApart) {
    Capabilities caps = ParseCapabilities("(vcp(10 12)vcp_p02(10 14(01))VCP_P0A(20)vcp_p02(16))");
    EXPECT_EQ(RenderEntries(caps.vcp), "10 12");
    EXPECT_FALSE(IsCodeListed(caps, 0x14));
    ASSERT_EQ(caps.pages.size(), 2u);
    EXPECT_EQ(caps.pages[0].page, 0x02);
    EXPECT_EQ(RenderEntries(caps.pages[0].entries), "10 14(01) 16");
    EXPECT_EQ(caps.pages[1].page, 0x0A);
    EXPECT_EQ(RenderEntries(caps.pages[1].entries), "20");
}

TEST(ParseCapabilities, ReadsVcpNames) {
    Capabilities caps = ParseCapabilities("(vcp(10 14(05 06))vcpname(10(Brightness) 14( 9300 6500 ) zz(x)))");
    ASSERT_EQ(caps.vcpNames.size(), 2u);
    EXPECT_EQ(caps.vcpNames[0].code, 0x10);
    EXPECT_EQ(caps.vcpNames[0].names, "Brightness");
    EXPECT_EQ(caps.vcpNames[1].code, 0x14);
    EXPECT_EQ(caps.vcpNames[1].names, "9300 6500");
}

TEST(ParseCapabilities, KeepsDuplicatesAtTheirFirstPlace) {
    Capabilities caps = ParseCapabilities("(vcp(E1 10 EE(01 02) EE(01 03) E1(00 01)))");
    EXPECT_EQ(RenderEntries(caps.vcp), "E1(00 01) 10 EE(01 02 03)");
    EXPECT_EQ(caps.duplicateCodes, (std::vector<uint8_t>{0xEE, 0xE1}));
}

TEST(ParseCapabilities, KeepsSubListsWithTheirValue) {
    Capabilities caps = ParseCapabilities("(vcp(E1(02 (00 01) 03 (00 01 02) 02 (05))))");
    const VcpEntry* entry = FindEntry(caps, 0xE1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(RenderValues(entry->values), "02 03");
    ASSERT_EQ(entry->subLists.size(), 2u);
    EXPECT_EQ(entry->subLists[0].parent, 0x02);
    EXPECT_EQ(RenderValues(entry->subLists[0].values), "00 01 05");
    EXPECT_EQ(entry->subLists[1].parent, 0x03);
    EXPECT_EQ(RenderValues(entry->subLists[1].values), "00 01 02");
}

// Inputs built to break a parser that recurses, rescans or indexes past the end.
TEST(ParseCapabilities, SurvivesHostileInput) {
    const size_t kSize = 100000;
    const struct {
        const char* what;
        std::string text;
        size_t listed;
    } cases[] = {
        {"deep parentheses", std::string(kSize, '('), 0},
        {"deep closing parentheses", std::string(kSize, ')'), 0},
        {"deep value lists", "(vcp(14" + std::string(kSize, '('), 1},
        {"many fields never closed",
         [] {
             std::string text;
             for (size_t i = 0; i < kSize / 8; ++i) {
                 text += "type(";
             }
             return text;
         }(),
         0},
        {"long run of junk words", "(vcp(10 " + std::string(kSize, 'x') + " " + std::string(kSize, 'z') + " 12)", 2},
        {"every byte",
         [] {
             std::string text = "(vcp(";
             for (int i = 0; i < 256; ++i) {
                 text += static_cast<char>(i);
             }
             return text;
         }(),
         5},  // "0123456789" run together: 01 23 45 67 89
        {"binary longer than the text", "(edid bin(99999999999999999999999(", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Capabilities caps = ParseCapabilities(c.text);
        EXPECT_EQ(caps.vcp.size(), c.listed);
        EXPECT_EQ(caps.quirks & kOutOfMemory, 0u);
    }
}

}  // namespace
}  // namespace brevlink::caps
