#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/vcp_catalogue.h"
#include "operator/testing/recording_presenter.h"
#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

namespace expected = testing::expected;

class PluginTablesTest : public testing::ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        catalogue::Catalogue().ClearCaps();
        catalogue::Catalogue()[0xA5].inCaps = true;
        catalogue::Catalogue()[0xFA].inCaps = true;
    }
    void TearDown() override {
        catalogue::Catalogue().ClearCaps();
        ReportFixture::TearDown();
    }
    op::testing::RecordingPresenter presenter_;
    op::ScopedPresenter installed_{&presenter_};
};

TEST_F(PluginTablesTest, TableStartsAndEnd) {
    const std::string heads = std::string(expected::kHeadSmall) + expected::kPluginHeads1 + expected::kPluginHeads2 +
                              expected::kPluginHeads3 + expected::kPluginHeads4 + expected::kRowEnd;
    struct Case {
        const char* name;
        void (*write)();
        std::string expectedBody;
    };
    const Case cases[] = {
        {"theft", &WriteTheftTableStart,
         std::string(expected::kSpace) + expected::kPluginOpen + expected::kTheftTitle + expected::kTable2 +
             expected::kHeadBig + expected::kTheftCaption + expected::kRowEnd + heads},
        {"pip", &WritePipTableStart,
         std::string(expected::kSpace) + expected::kPluginOpen + expected::kPipTitle + expected::kTable2 +
             expected::kHeadBig + expected::kPipCaption + expected::kRowEnd + heads},
        {"end", &WritePluginTableEnd, "</table>&nbsp;<BR>&nbsp;\n<BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(testing::kTestBodyCapacity));
        c.write();
        EXPECT_EQ(Body(), c.expectedBody);
    }
}

TEST_F(PluginTablesTest, CodesAndCommentsTexts) {
    struct Case {
        const char* name;
        std::vector<std::string> codes;
        std::string codesText;
        std::string comments;
    };
    const char* result = "PIP window opened correctly. OK<BR>";
    const Case cases[] = {
        {"listed and unlisted",
         {"0xA5", "0xA4"},
         "0xA5, 0xA4",
         "0xA5 Verified in Capability String, <BR>0xA4 Not in Capapability String<BR>PIP window opened correctly. "
         "OK<BR>"},
        {"a code used twice is listed once, in order of first use",
         {"0xFB", "0xFC", "0xFD", "0xFA", "0xFC", "0xFB"},
         "0xFB, 0xFC, 0xFD, 0xFA",
         "0xFB Not in Capapability String, <BR>0xFC Not in Capapability String, <BR>0xFD Not in Capapability "
         "String, <BR>0xFA Verified in Capability String<BR>PIP window opened correctly. OK<BR>"},
        {"a single code", {"0xEA"}, "0xEA", "0xEA Not in Capapability String<BR>PIP window opened correctly. OK<BR>"},
        {"no code at all", {}, "", "<BR>PIP window opened correctly. OK<BR>"},
        {"a text that is no code is never listed in caps",
         {"0x1A5", "zz"},
         "0x1A5, zz",
         "0x1A5 Not in Capapability String, <BR>zz Not in Capapability String<BR>PIP window opened correctly. "
         "OK<BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PluginCodesText(c.codes), c.codesText);
        EXPECT_EQ(PluginCommentsText(c.codes, result), c.comments);
    }
}

TEST_F(PluginTablesTest, PassedRow) {
    WritePluginRow(kPluginColumnWidths, {"0xA4", "0xA5"}, "Open PIP window in top left corner of screen.", true,
                   "PIP window opened correctly. OK<BR>");
    EXPECT_EQ(Body(), std::string(expected::kRow) +
                          "<td width=260>0xA4, 0xA5</td><td width=300>Open PIP window in top left corner of "
                          "screen.</td><td width=60>Pass</td><td width=260>0xA4 Not in Capapability String, "
                          "<BR>0xA5 Verified in Capability String<BR>PIP window opened correctly. OK<BR></td>" +
                          expected::kRowEnd);
    EXPECT_TRUE(presenter_.LogLines().empty());
}

TEST_F(PluginTablesTest, FailedRowIsRedAndLogged) {
    WritePluginRow({11, 22, 33, 44}, {"0xFA"}, "Check if theft access mode is enabled.<BR>", false,
                   "ERROR, could not enter Theft Enabled mode, sent 0x01, got 0x0<BR>");
    EXPECT_EQ(Body(), std::string(expected::kRow) +
                          "<td width=11>0xFA</td><td width=22>Check if theft access mode is enabled.<BR></td>"
                          "<td width=33; bgcolor=#FF0000; style='color:white;font-size:14pt;font-weight:700;'>FAIL"
                          "</td><td width=44>0xFA Verified in Capability String<BR>ERROR, could not enter Theft "
                          "Enabled mode, sent 0x01, got 0x0<BR></td>" +
                          expected::kRowEnd);
    EXPECT_EQ(presenter_.LogLines(), std::vector<std::string>{"......FAILED"});
}

}  // namespace
}  // namespace kestrova::report
