// The report's rows read back from what the real section writers write.
#include "app/console/report_rows.h"

#include <gtest/gtest.h>

#include "app/console/html_text.h"
#include "app/console/junit_writer.h"
#include "catalogue/vcp_groups.h"
#include "report/html_templates.h"
#include "report/report_body.h"
#include "report/report_writer.h"

namespace kestrova::app::console {
namespace {

class ReportRowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue::BuildVcpGroups(groups_);
        ASSERT_TRUE(report::BeginReport());
    }
    void TearDown() override { report::FreeReportBody(); }

    catalogue::VcpGroupArray groups_{};
};

TEST_F(ReportRowsTest, VcpAndPluginRowsWithTheirGroupsAndVerdicts) {
    // Rows of the EDID table stand outside any group.
    report::ReportWrite("%s", report::html::kRow);
    report::ReportWrite(report::html::kPair, 300, "Manufacturer", 260, "BRV");
    report::ReportWrite("%s", report::html::kRowEnd);

    report::WriteGroupTableStart(groups_[0]);
    report::WriteVcpRow(0x10, "0x10 Brightness/Luminance", "RW , C", true, "Verified in Capability String<BR>");
    report::WriteVcpRow(0xDF, "0xDF VCP Version", "RO , NC", false, "<font color=red>FAIL</font> 2 &lt; 3<BR>");
    report::WriteGroupTableEnd();
    report::WriteGroupSkipped("b) ", groups_[1]);
    report::WriteGroupTableStart(groups_[3]);
    report::WriteVcpRow(0xFA, "0xFA Theft Deterrence", "RW , NC", true, "");
    report::WriteTheftTableStart();
    report::WritePluginRow(report::kPluginColumnWidths, {"0xFA", "0xFB", "0xFA"}, "Enter the PIN", false,
                           "FAILED - monitor stayed unlocked");
    report::WritePluginRow(report::kPluginColumnWidths, {}, "Unplug & replug", true, "Passed");
    report::WritePluginTableEnd();
    report::WriteGroupTableEnd();

    const std::vector<ReportRow> rows = ReadReportRows(report::ReportBody.View());
    struct Expected {
        const char* group;
        const char* table;
        const char* name;
        const char* codes;
        bool passed;
        const char* text;
    } expected[] = {
        {"Lumetra OSD Requirements", "", "0x10 Brightness/Luminance", "", true, "Verified in Capability String"},
        {"Lumetra OSD Requirements", "", "0xDF VCP Version", "", false, "FAIL 2 < 3"},
        {"Theft Deterrence plugin", "", "0xFA Theft Deterrence", "", true, ""},
        {"Theft Deterrence plugin", "Theft Deterrence Manual Test", "Enter the PIN", "0xFA, 0xFB", false,
         "0xFA Not in Capapability String,\n0xFB Not in Capapability String\nFAILED - monitor stayed unlocked"},
        {"Theft Deterrence plugin", "Theft Deterrence Manual Test", "Unplug & replug", "", true, "Passed"},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].group, expected[i].group) << i;
        EXPECT_EQ(rows[i].table, expected[i].table) << i;
        EXPECT_EQ(rows[i].name, expected[i].name) << i;
        EXPECT_EQ(rows[i].codes, expected[i].codes) << i;
        EXPECT_EQ(rows[i].passed, expected[i].passed) << i;
        EXPECT_EQ(HtmlToPlainText(rows[i].comments), expected[i].text) << i;
    }
}

TEST(HtmlText, BreaksTagsAndEntities) {
    struct Case {
        const char* html;
        const char* text;
    } cases[] = {
        {"a<BR>b<br>c<br/>d<Br >", "a\nb\nc\nd"},
        {"<b><font color = red>No valid caps found!</font></b>", "No valid caps found!"},
        {"1 &lt; 2 &amp;&amp; 3&gt;2&nbsp;&quot;&#65;&#x42;&#xzz;", "1 < 2 && 3>2 \"AB&#xzz;"},
        {"Zoning & PIP", "Zoning & PIP"},
        {"cut <b", "cut <b"},
        {"  <BR> x <BR> ", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlToPlainText(c.html), c.text) << c.html;
    }
}

TEST(JunitWriter, SuitesPerGroupAndTextMadeSafeForXml) {
    const std::vector<ReportRow> rows = {
        {"Zoning & PIP plugin", "", "0x95 Window <TL_X>", "", false, "bad \"value\"<BR>\x01 \xB5s"},
        {"Zoning & PIP plugin", "PIP and Zoning Manual Test", "Move it", "0xA4", true, "caf\xC3\xA9"},
        {"Misc", "", "0x01 Degauss", "", true, ""},
    };
    EXPECT_EQ(JunitXml(rows),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuites name=\"Kestrova VCP check\" tests=\"3\" failures=\"1\">\n"
              "  <testsuite name=\"Zoning &amp; PIP plugin\" tests=\"2\" failures=\"1\" errors=\"0\">\n"
              "    <testcase classname=\"Zoning &amp; PIP plugin\" name=\"0x95 Window &lt;TL_X&gt;\">\n"
              "      <failure message=\"FAIL\">bad &quot;value&quot;\n? \xC2\xB5s</failure>\n"
              "    </testcase>\n"
              "    <testcase classname=\"Zoning &amp; PIP plugin.PIP and Zoning Manual Test\" name=\"Move it "
              "[0xA4]\">\n"
              "      <system-out>caf\xC3\xA9</system-out>\n"
              "    </testcase>\n"
              "  </testsuite>\n"
              "  <testsuite name=\"Misc\" tests=\"1\" failures=\"0\" errors=\"0\">\n"
              "    <testcase classname=\"Misc\" name=\"0x01 Degauss\">\n"
              "    </testcase>\n"
              "  </testsuite>\n"
              "</testsuites>\n");
}

TEST(JunitWriter, BytesXmlCannotHoldAreTakenAsLatin1) {
    struct Case {
        const char* comments;
        const char* kept;
    };
    const Case cases[] = {
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate
        {"\xEF\xBF\xBE", "\xC3\xAF\xC2\xBF\xC2\xBE"},              // U+FFFE
        {"\xE0\x80\xAF", "\xC3\xA0\xC2\x80\xC2\xAF"},              // overlong '/'
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // above U+10FFFF
        {"\xEF\xBF\xBD \xF0\x9F\x98\x80", "\xEF\xBF\xBD \xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        const std::string xml = JunitXml({{"Misc", "", "0x01 Degauss", "", false, c.comments}});
        EXPECT_NE(xml.find(std::string("<failure message=\"FAIL\">") + c.kept + "</failure>"), std::string::npos)
            << xml;
    }
}

}  // namespace
}  // namespace kestrova::app::console
