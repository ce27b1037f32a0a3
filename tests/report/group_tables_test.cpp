#include <gtest/gtest.h>

#include <string>

#include "catalogue/vcp_groups.h"
#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

namespace expected = testing::expected;

class GroupTablesTest : public testing::ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        group_.name = "Zoning & PIP plugin";
    }
    catalogue::VcpGroup group_;
};

TEST_F(GroupTablesTest, TableFrameAndSkippedLine) {
    struct Case {
        const char* name;
        void (*write)(const catalogue::VcpGroup&);
        std::string expectedBody;
    };
    const Case cases[] = {
        {"start", [](const catalogue::VcpGroup& g) { WriteGroupTableStart(g); },
         std::string(expected::kGroupOpen) + expected::kHeadBigNl + "<td width=710 colspan=5>Zoning & PIP plugin" +
             expected::kGroupCaption2 + expected::kRowEnd + expected::kHeadSmall + expected::kVcpHeads1 +
             expected::kVcpHeads2 + expected::kVcpHeads3 + expected::kVcpHeads4 + expected::kVcpHeads5 +
             expected::kRowEnd},
        {"end", [](const catalogue::VcpGroup&) { WriteGroupTableEnd(); },
         std::string(expected::kGroupClose1) + expected::kGroupClose2},
        {"skipped", [](const catalogue::VcpGroup& g) { WriteGroupSkipped("f) ", g); },
         "f) Zoning & PIP plugin skipped.\n<BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(testing::kTestBodyCapacity));
        c.write(group_);
        EXPECT_EQ(Body(), c.expectedBody);
    }
}

TEST_F(GroupTablesTest, VcpRows) {
    struct Case {
        const char* name;
        uint8_t code;
        const char* entryName;
        const char* typeText;
        bool passed;
        std::string comments;
        std::string cells;  // between the row's opening and closing tags
    };
    const std::string longComments = std::string(2500, 'w') + "<BR>";
    const Case cases[] = {
        {"pass", 0x10, "0x10 Brightness/Luminance", "RW , C", true, "Verified in Capability String<BR>",
         "<th width=70;>0x10</th><th width=230;> Brightness/Luminance</span></th><th width=80;>RW , C</th>" +
             std::string(expected::kVcpPass) +
             "<th width=360; style='text-align:left'>Verified in Capability String<BR></th>"},
        {"fail, lower-case code", 0xDF, "0xDF VCP Version", "RO , NC", false, "...WARNING, not in caps string<BR>",
         "<th width=70;>0xdf</th><th width=230;> VCP Version</span></th><th width=80;>RO , NC</th>" +
             std::string(expected::kVcpFail) +
             "<th width=360; style='text-align:left'>...WARNING, not in caps string<BR></th>"},
        {"reserved code: empty type, short name", 0x00, "0x0", "", true, "",
         "<th width=70;>0x00</th><th width=230;></span></th><th width=80;></th>" + std::string(expected::kVcpPass) +
             "<th width=360; style='text-align:left'></th>"},
        {"comments longer than a formatted line go in whole", 0x62, "0x62 Audio Speaker Volume", "RW , C", true,
         longComments,
         "<th width=70;>0x62</th><th width=230;> Audio Speaker Volume</span></th><th width=80;>RW , C</th>" +
             std::string(expected::kVcpPass) + "<th width=360; style='text-align:left'>" + longComments + "</th>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(testing::kTestBodyCapacity));
        WriteVcpRow(c.code, c.entryName, c.typeText, c.passed, c.comments);
        EXPECT_EQ(Body(), expected::kRow + c.cells + expected::kRowEnd);
    }
}

}  // namespace
}  // namespace kestrova::report
