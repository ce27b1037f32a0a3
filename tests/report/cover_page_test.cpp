#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/local_time.h"
#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

constexpr char kTitleParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:36pt;color:BLACK;font-weight:700;'>";
constexpr char kLargeParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:18pt;color:BLACK;font-weight:600;'>";
constexpr char kPluginParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:16pt;color:BLACK;font-weight:600;'>";
constexpr char kAddressParagraph[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:12pt;color:BLACK;font-weight:700;' align='right'>";
constexpr char kNoticeParagraph[] =
    "<p style='font-family: Times New Roman; font-size:10pt;color:BLACK;font-weight:600;' align='left'>";

class CoverPageTest : public testing::ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        platform::SetCurrentDateTimeSource(&clock_);
        Monitor().index = 1;
        Monitor().manufacturer = "Velmora";
        Monitor().model = "VX2750";
        Monitor().signalType = "Digital";
        op::CheckoffInfo.checkoffFirmwareVersion = "1.07";
        op::CheckoffInfo.checkoffFirmwareDate = "2026-11-30";
    }
    void TearDown() override {
        platform::SetCurrentDateTimeSource(nullptr);
        ReportFixture::TearDown();
    }

    // Everything before the maker's address block.
    static std::string Head(const std::string& cover) { return cover.substr(0, cover.find(kAddressParagraph)); }

    platform::FixedDateTimeSource clock_{{"2:07 PM", "Monday, December 7, 2026"}};
};

std::string ExpectedHead(const std::string& optional, const std::string& modeLine, const std::string& plugins) {
    return std::string("&nbsp;&nbsp;") + kTitleParagraph + "Required VCP Code<BR>Check-off List<BR>&nbsp;<BR>" +
           "Velmora<BR>VX2750<BR>FW: v1.07     2026-11-30<BR></p></center>" + kLargeParagraph +
           "Tested: 2:07 PM Monday, December 7, 2026</p></center>" + optional + kLargeParagraph + modeLine +
           "Digital</p></center>" + plugins;
}

TEST_F(CoverPageTest, RunSettingsShapeTheCover) {
    struct Case {
        const char* name;
        int mode;
        bool robust;
        bool project;
        bool plugins[5];  // asset, theft, pivot, zoning, vista
        std::string optional;
        std::string modeLine;
        std::string pluginLines;
    };
    const std::string project = std::string(kLargeParagraph) + "Project: Line 27in</p></center>";
    const std::string all = std::string(kPluginParagraph) +
                            "Plug-ins that are included:<BR>Asset Management<BR>Auto Pivot<BR>PiP/Zoning<BR>"
                            "Theft Deterrence<BR>Vista Compliance<BR></p></center>";
    const std::string two = std::string(kPluginParagraph) +
                            "Plug-ins that are included:<BR>PiP/Zoning<BR>Theft Deterrence<BR></p></center>";
    const Case cases[] = {
        {"automatic, standard, nothing else", 0, false, false, {}, "", "Automatic - Standard     ", ""},
        {"manual, robust", 1, true, false, {}, "", "Manual - Robust     ", ""},
        {"unknown mode", 7, false, false, {}, "", "????? - Standard     ", ""},
        {"with a project", 0, false, true, {}, project, "Automatic - Standard     ", ""},
        {"all plug-ins in the fixed order",
         1,
         false,
         false,
         {true, true, true, true, true},
         "",
         "Manual - Standard     ",
         all},
        {"two plug-ins", 1, false, false, {false, true, false, true, false}, "", "Manual - Standard     ", two},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        op::TestMode = c.mode;
        op::FullRangeTesting = c.robust;
        op::UsingProject = c.project;
        op::ProjectTitle = "Line 27in";
        op::IncludeAssetManagement = c.plugins[0];
        op::IncludeTheftDeterrence = c.plugins[1];
        op::IncludeAutoPivot = c.plugins[2];
        op::IncludeZoningPip = c.plugins[3];
        op::IncludeVistaCompliance = c.plugins[4];

        WriteCoverPage();
        EXPECT_EQ(Head(ReportCover.Str()), ExpectedHead(c.optional, c.modeLine, c.pluginLines));
    }
}

TEST_F(CoverPageTest, MakerBlockAndNoticeCloseTheCover) {
    WriteCoverPage();
    const std::string cover = ReportCover.Str();
    const size_t address = cover.find(kAddressParagraph);
    ASSERT_NE(address, std::string::npos);
    std::string tail = cover.substr(address + sizeof(kAddressParagraph) - 1);

    // Company, street, city, telephone, fax, company again, revision: one line each.
    std::vector<std::string> lines;
    for (size_t end = tail.find("<BR>"); lines.size() < 7 && end != std::string::npos; end = tail.find("<BR>")) {
        lines.push_back(tail.substr(0, end));
        tail.erase(0, end + 4);
    }
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Velmora Displays Inc.");
    EXPECT_EQ(lines[5], "Velmora Displays Inc.");
    EXPECT_EQ(lines[3].rfind("Tel", 0), 0u);
    EXPECT_EQ(lines[4].rfind("Fax", 0), 0u);
    EXPECT_EQ(lines[6], "Rev 4.0");

    const std::string closing = std::string("</p>&nbsp;&nbsp;<hr>") + kNoticeParagraph;
    ASSERT_EQ(tail.rfind(closing, 0), 0u);
    tail.erase(0, closing.size());
    const std::string end = "</p><hr><BR>&nbsp;&nbsp;";
    ASSERT_GT(tail.size(), end.size());
    EXPECT_EQ(tail.substr(tail.size() - end.size()), end);
    EXPECT_NE(tail.find("CONFIDENTIAL"), std::string::npos);
}

TEST_F(CoverPageTest, ReplacesTheEarlierCover) {
    ReportCover.Assign("old cover");
    WriteCoverPage();
    EXPECT_EQ(ReportCover.Str().rfind("&nbsp;&nbsp;<center>", 0), 0u);
    EXPECT_EQ(ReportCover.Str().find("old cover"), std::string::npos);
}

TEST_F(CoverPageTest, MonitorAndEngineerTextsAreShownNotInterpreted) {
    Monitor().manufacturer = "<b>Evil</b>";
    Monitor().model = "A&B";
    op::CheckoffInfo.checkoffFirmwareVersion = "1<2";
    op::UsingProject = true;
    op::ProjectTitle = "<script>";
    WriteCoverPage();
    const std::string cover = ReportCover.Str();
    EXPECT_NE(cover.find("&lt;b&gt;Evil&lt;/b&gt;<BR>A&amp;B<BR>FW: v1&lt;2     "), std::string::npos);
    EXPECT_NE(cover.find("Project: &lt;script&gt;</p></center>"), std::string::npos);
    EXPECT_EQ(cover.find("<b>Evil"), std::string::npos);
}

}  // namespace
}  // namespace kestrova::report
