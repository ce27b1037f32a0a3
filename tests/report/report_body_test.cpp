#include "report/report_body.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace kestrova::report {
namespace {

constexpr size_t kSmallCapacity = 4096;
// Appends stop once the used length reaches the capacity less one line buffer.
constexpr size_t kSmallLimit = kSmallCapacity - kReportLineCapacity;

class ReportBodyTest : public ::testing::Test {
  protected:
    void TearDown() override { FreeReportBody(); }
};

TEST_F(ReportBodyTest, FullRunCapacityIsTenMebibytesZeroFilled) {
    ASSERT_TRUE(BeginReport());
    EXPECT_EQ(ReportBody.Capacity(), 10485760u);
    EXPECT_EQ(ReportBody.Used(), 0u);
    ReportWrite("%s", "abc");
    EXPECT_EQ(ReportBody.View(), "abc");
    EXPECT_EQ(ReportBody.View().data()[3], '\0');
}

TEST_F(ReportBodyTest, AppendsAreDroppedWhenNotAllocated) {
    ReportWrite("dropped %d", 1);
    ReportWriteLine("dropped");
    ReportAppend("dropped");
    EXPECT_FALSE(ReportBody.IsAllocated());
    EXPECT_EQ(ReportBody.Used(), 0u);
    EXPECT_TRUE(ReportBody.View().empty());
}

TEST_F(ReportBodyTest, DropsAtTheLimitAndWhatDoesNotFit) {
    struct Case {
        const char* name;
        size_t before;  // bytes already used
        size_t piece;   // size of the next piece
        bool appended;
    };
    const Case cases[] = {
        {"well below the limit", 0, 100, true},
        {"one byte below the limit", kSmallLimit - 1, 10, true},
        {"at the limit", kSmallLimit, 1, false},
        {"below the limit, too long to fit with its terminator", kSmallLimit - 1, kSmallCapacity - kSmallLimit + 1,
         false},
        {"below the limit, filling the buffer but its terminator", kSmallLimit - 1, kSmallCapacity - kSmallLimit, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(kSmallCapacity));
        ASSERT_TRUE(c.before == 0 || ReportBody.Append(std::string(c.before, 'a')));
        EXPECT_EQ(ReportBody.Append(std::string(c.piece, 'b')), c.appended);
        EXPECT_EQ(ReportBody.Used(), c.before + (c.appended ? c.piece : 0));
        EXPECT_LT(ReportBody.Used(), ReportBody.Capacity());
    }
}

TEST_F(ReportBodyTest, AFullBodyKeepsWhatFitAndDropsTheRest) {
    ASSERT_TRUE(ReportBody.Allocate(kSmallCapacity));
    for (int i = 0; i < 1000; ++i) {
        ReportWriteLine("line %04d", i);
    }
    const std::string body(ReportBody.View());
    // Each line is 13 bytes; lines go in until the used length reaches the limit.
    const size_t lines = (kSmallLimit + 12) / 13;
    EXPECT_EQ(body.size(), lines * 13);
    EXPECT_EQ(body.substr(0, 26), "line 0000<BR>line 0001<BR>");
    char last[16];
    std::snprintf(last, sizeof(last), "line %04zu<BR>", lines - 1);
    EXPECT_EQ(body.substr(body.size() - 13), last);
}

TEST_F(ReportBodyTest, ReallocatingStartsEmpty) {
    ASSERT_TRUE(ReportBody.Allocate(kSmallCapacity));
    ReportWrite("old");
    ASSERT_TRUE(ReportBody.Allocate(kSmallCapacity));
    EXPECT_EQ(ReportBody.Used(), 0u);
    FreeReportBody();
    FreeReportBody();
    EXPECT_FALSE(ReportBody.IsAllocated());
}

TEST_F(ReportBodyTest, FormattedLinesAreCutToTheLineBuffer) {
    const std::string longText(3000, 'x');
    struct Case {
        const char* name;
        bool asLine;
        std::string expected;
    };
    const Case cases[] = {
        {"write", false, std::string(2047, 'x')},
        {"write line", true, std::string(2047, 'x') + "<BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(1 << 16));
        if (c.asLine) {
            ReportWriteLine("%s", longText.c_str());
        } else {
            ReportWrite("%s", longText.c_str());
        }
        EXPECT_EQ(ReportBody.View(), c.expected);
    }
}

TEST_F(ReportBodyTest, WholePiecesAreNeverCut) {
    ASSERT_TRUE(ReportBody.Allocate(1 << 16));
    const std::string longText(5000, 'c');
    ReportAppend(longText);
    ReportAppendLine(longText);
    EXPECT_EQ(ReportBody.View(), longText + longText + "<BR>");
    EXPECT_EQ(FormatText("<td>%s</td>", longText.c_str()), "<td>" + longText + "</td>");
    EXPECT_EQ(FormatText("%s", ""), "");
}

TEST_F(ReportBodyTest, AFormattedLineIsNeverFormattedAgain) {
    ASSERT_TRUE(ReportBody.Allocate(kSmallCapacity));
    ReportWriteLine("%s", "100%s %d %n");
    ReportWrite("%d%%", 50);
    EXPECT_EQ(ReportBody.View(), "100%s %d %n<BR>50%");
}

}  // namespace
}  // namespace kestrova::report
