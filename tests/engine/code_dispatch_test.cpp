#include "engine/code_dispatch.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/test_procedure.h"
#include "engine_fixture.h"
#include "report/report_body.h"
#include "report_rows.h"

namespace kestrova::engine {
namespace {

using testing::ExpectedRow;

// What the procedure doubles answer, per code, and which codes they were called for.
struct Verdict {
    bool pass = true;
    const char* lines = "";
};
std::map<uint8_t, Verdict> verdicts;
std::vector<uint8_t> calls;

bool ProcedureDouble(uint8_t code, ResultText& result) {
    calls.push_back(code);
    const Verdict& verdict = verdicts[code];
    result += verdict.lines;
    return verdict.pass;
}

class VcpDispatchTest : public testing::EngineTest {
  protected:
    VcpDispatchTest() {
        verdicts.clear();
        calls.clear();
        report::BeginReport();
    }
    void List(uint8_t code) { catalogue::Catalogue()[code].inCaps = true; }
    std::string Body() const { return std::string(report::ReportBody.View()); }
    std::vector<std::string> Logged() const { return presenter_.LogLines(); }

    ScopedTestProcedure continuous_{catalogue::kProcedureContinuous, &ProcedureDouble};
    ScopedTestProcedure nonContinuous_{catalogue::kProcedureNonContinuous, &ProcedureDouble};
    ScopedTestProcedure screenAction_{catalogue::kProcedureScreenAction, &ProcedureDouble};
};

TEST_F(VcpDispatchTest, TypeTextJoinsAccessAndType) {
    struct Case {
        const char* access;
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {"RW", "C", "RW , C"}, {"RO", "NC", "RO , NC"}, {"WO", "T", "WO , T"},
        {"?", "C", ", C"},     {"RW", "?", "RW "},      {"?", "?", ""},
    };
    for (const Case& c : cases) {
        catalogue::VcpEntry entry;
        entry.access = catalogue::VcpTag(c.access);
        entry.type = catalogue::VcpTag(c.type);
        EXPECT_EQ(VcpTypeText(entry), c.text) << c.access << " " << c.type;
    }
    EXPECT_EQ(VcpTypeText(catalogue::Catalogue()[0x07]), "");
    EXPECT_EQ(VcpTypeText(catalogue::Catalogue()[0xDF]), "RO , NC");
    EXPECT_EQ(VcpFailureText(catalogue::Catalogue()[0x10]),
              "<BR>VCP Code: 0x10  Brightness/Luminance<BR>Type: RW , C<BR>");
    EXPECT_EQ(VcpFailureText(catalogue::Catalogue()[0xe5]), "<BR>VCP Code: 0xE5  Mfg specific<BR>Type: <BR>");
}

TEST_F(VcpDispatchTest, AnUntickedCodeLeavesNoTrace) {
    List(0x10);
    TestVcpCode(false, 0x10);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Body(), "");
    EXPECT_TRUE(Logged().empty());
    EXPECT_FALSE(catalogue::Catalogue()[0x10].tested);
    EXPECT_EQ(report::ReportSummary.Str(), "");
}

TEST_F(VcpDispatchTest, OneCallPerOutcome) {
    struct Case {
        const char* name;
        uint8_t code;
        bool listed;
        Verdict verdict;
        bool called;
        bool tested;
        bool passed;
        std::string comments;
        bool inSummary;
    };
    const std::string verified = "Verified in Capability String<BR>";
    const std::string warning = "...WARNING, not in caps string<BR>";
    const Case cases[] = {
        {"listed, passes", 0x10, true, {true, "...ok<BR>"}, true, true, true, verified + "...ok<BR>", false},
        {"listed, fails", 0x10, true, {false, "...bad<BR>"}, true, true, false, verified + "...bad<BR>", true},
        {"unlisted, passes", 0x10, false, {true, "...ok<BR>"}, true, true, false, "...ok<BR>" + warning, true},
        {"unlisted, fails", 0x12, false, {false, "...bad<BR>"}, true, true, false, "...bad<BR>" + warning, true},
        {"non-continuous", 0xDF, true, {true, "v2.2<BR>"}, true, true, true, verified + "v2.2<BR>", false},
        {"screen action", 0x04, true, {false, "...FAILED<BR>"}, true, true, false, verified + "...FAILED<BR>", true},
        {"no procedure", 0x74, true, {true, ""}, false, false, false, verified + "**NOTE: Not tested yet**<BR>", false},
        {"no procedure, unlisted",
         0x74,
         false,
         {},
         false,
         false,
         false,
         "**NOTE: Not tested yet**<BR>" + warning,
         false},
        {"reserved", 0x07, true, {true, ""}, false, false, false, verified + "**NOTE: Not tested yet**<BR>", false},
        {"manufacturer, listed", 0xE5, true, {true, ""}, false, false, true, "", false},
        {"manufacturer, unlisted", 0xE5, false, {true, ""}, false, false, false, warning, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        const size_t bodyBefore = Body().size();
        report::ReportSummary.Clear();
        presenter_.ClearEvents();
        calls.clear();
        verdicts.clear();
        verdicts[c.code] = c.verdict;
        catalogue::Catalogue()[c.code].inCaps = c.listed;

        TestVcpCode(true, c.code);

        const catalogue::VcpEntry& entry = catalogue::Catalogue()[c.code];
        EXPECT_EQ(calls, c.called ? std::vector<uint8_t>{c.code} : std::vector<uint8_t>{});
        EXPECT_EQ(entry.tested, c.tested);
        EXPECT_EQ(entry.passed, c.passed);
        EXPECT_EQ(entry.comments, c.comments);
        const std::string shownName = std::string(entry.name.View().substr(4));
        EXPECT_EQ(Body().substr(bodyBefore), ExpectedRow(c.code, shownName, VcpTypeText(entry), c.passed, c.comments));
        EXPECT_EQ(Logged(), c.passed ? std::vector<std::string>{} : std::vector<std::string>{"......FAILED"});
        const std::string summary =
            c.inSummary ? "FAILED." + VcpFailureText(entry) + c.comments + "<BR><br>" : std::string();
        EXPECT_EQ(report::ReportSummary.Str(), summary);
    }
}

TEST_F(VcpDispatchTest, ACodeInTwoGroupsRunsOnceAndIsSummarisedTwice) {
    List(0x10);
    verdicts[0x10] = {false, "...FAIL to get test val (exp 30, got 55), 0x10 Brightness/Luminance<BR>"};
    TestVcpCode(true, 0x10);
    const std::string firstRow = Body();
    const std::string firstSummary = report::ReportSummary.Str();
    TestVcpCode(true, 0x10);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(Body(), firstRow + firstRow);
    EXPECT_EQ(report::ReportSummary.Str(), firstSummary + firstSummary);
    EXPECT_EQ(firstSummary,
              "FAILED.<BR>VCP Code: 0x10  Brightness/Luminance<BR>Type: RW , C<BR>Verified in Capability String<BR>"
              "...FAIL to get test val (exp 30, got 55), 0x10 Brightness/Luminance<BR><BR><br>");
    EXPECT_EQ(Logged(), (std::vector<std::string>{"......FAILED", "......FAILED"}));
}

TEST_F(VcpDispatchTest, CodesThatNeverRunAreMarkedAgainOnEveryCall) {
    // Without a procedure the mark is rebuilt; an unlisted manufacturer code gathers one warning per call.
    List(0x74);
    TestVcpCode(true, 0x74);
    TestVcpCode(true, 0x74);
    EXPECT_EQ(catalogue::Catalogue()[0x74].comments, "Verified in Capability String<BR>**NOTE: Not tested yet**<BR>");
    EXPECT_FALSE(catalogue::Catalogue()[0x74].tested);

    TestVcpCode(true, 0xE5);
    TestVcpCode(true, 0xE5);
    EXPECT_EQ(catalogue::Catalogue()[0xE5].comments,
              "...WARNING, not in caps string<BR>...WARNING, not in caps string<BR>");
    EXPECT_EQ(report::ReportSummary.Str(), "");
}

TEST_F(VcpDispatchTest, AnIdentifierWithoutARegisteredProcedureIsNotTestedYet) {
    ScopedTestProcedure none(catalogue::kProcedureContinuous, nullptr);
    List(0x10);
    TestVcpCode(true, 0x10);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(catalogue::Catalogue()[0x10].tested);
    EXPECT_EQ(catalogue::Catalogue()[0x10].comments, "Verified in Capability String<BR>**NOTE: Not tested yet**<BR>");
}

TEST_F(VcpDispatchTest, AStoredResultIsReportedWithoutTestingAgain) {
    // A second run without Reset: the stored verdict stands, whatever the monitor would say now.
    catalogue::VcpEntry& entry = catalogue::Catalogue()[0x12];
    entry.tested = true;
    entry.passed = true;
    entry.comments = "from the first run<BR>";
    TestVcpCode(true, 0x12);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Body(), ExpectedRow(0x12, " Contrast", "RW , C", true, "from the first run<BR>"));
}

}  // namespace
}  // namespace kestrova::engine
