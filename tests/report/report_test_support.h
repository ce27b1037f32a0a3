// What the report must hold, written out in full for the tests, plus a fixture that gives every
// test a fresh body, empty texts and a blank monitor table.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bus/monitor_table.h"
#include "operator/run_settings.h"
#include "report/report_body.h"
#include "report/report_texts.h"

namespace kestrova::report::testing {

namespace expected {

inline constexpr char kCapsTitle[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:18pt;font-weight:700;'>Display Capability "
    "String</p>\n";
inline constexpr char kCapsOpen[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:12pt;color:BLACK;font-weight:500;'>VCP raw "
    "capabilities string:";
inline constexpr char kCapsBad1[] = "<b><font color = red>";
inline constexpr char kCapsBad2[] = "No valid caps found!";
inline constexpr char kCapsBad3[] = "</font></b>";
inline constexpr char kHwTitle[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:18pt;font-weight:700;'>Hardware Characteristics</p>\n";
inline constexpr char kEdidTitle[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:14pt;font-weight:700;'>Monitor EDID information</p>";
inline constexpr char kTable2[] = "<table border=2 style='text-align:center'>";
inline constexpr char kHeadBig[] = "<tr style='background:black;color:white;font-size:24pt;font-weight:700;'>";
inline constexpr char kHeadBigNl[] = "<tr style='background:black;color:white;font-size:24pt;font-weight:700;'>\n";
inline constexpr char kHeadSmall[] =
    "<tr style='background:black;color:white;font-size:9pt;font-weight:700;border:solid windowtext .5pt;'>";
inline constexpr char kRow[] =
    "<tr style='background:white;color:black;font-size:12pt;font-weight:500;border:solid windowtext .5pt;'>";
inline constexpr char kRowEnd[] = "</tr>\n";
inline constexpr char kEdidCaption[] = "<td width=570 colspan=2>Monitor EDID information</td>";
inline constexpr char kEdidHeads1[] = "<th width=300;>Description</th>";
inline constexpr char kEdidHeads2[] = "<th width=260;>Value</span></th>";
inline constexpr char kPair[] = "<td width=%d>%s</td><td width=%d>%s</td>";
inline constexpr char kGroupOpen[] =
    "<br>&nbsp;<table border=1 cellspacing=0 cellpadding=2 style='text-align:center;border-collapse:collapse'>\n";
inline constexpr char kGroupCaption1[] = "<td width=710 colspan=5>%s";
inline constexpr char kGroupCaption2[] = "</td>";
inline constexpr char kVcpHeads1[] = "<th width=70;>VCP Code</th>";
inline constexpr char kVcpHeads2[] = "<th width=230;>Name</span></th>";
inline constexpr char kVcpHeads3[] = "<th width=80;>Type</th>";
inline constexpr char kVcpHeads4[] = "<th width=60;>Pass/Fail</th>";
inline constexpr char kVcpHeads5[] = "<th width=360;>Comments</th>";
inline constexpr char kVcpCode[] = "<th width=70;>0x%.2x</th>";
inline constexpr char kVcpName[] = "<th width=230;>%s</span></th>";
inline constexpr char kVcpType[] = "<th width=80;>%s</th>";
inline constexpr char kVcpPass[] = "<th width=60;>Pass</th>";
inline constexpr char kVcpFail[] =
    "<th width=60; style='background:red;color:white;font-size:14pt;font-weight:700;'>FAIL</th>";
inline constexpr char kVcpComments[] = "<th width=360; style='text-align:left'>%s</th>";
inline constexpr char kGroupClose1[] = "</table>";
inline constexpr char kGroupClose2[] = "<br>&nbsp;\n";
inline constexpr char kGroupSkipped[] = "%s%s skipped.\n";
inline constexpr char kPluginOpen[] =
    "<br>&nbsp;<table border=1 cellspacing=0 cellpadding=2 "
    "style='text-align:center;border-collapse:collapse'></table>\n";
inline constexpr char kTheftTitle[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:14pt;font-weight:700;'>Theft Deterrence Manual "
    "Test</p>";
inline constexpr char kTheftCaption[] = "<td width=570 colspan=4>Theft Deterrence Manual Test</td>";
inline constexpr char kPipTitle[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:14pt;font-weight:700;'>PIP and Zoning Manual Test</p>";
inline constexpr char kPipCaption[] = "<td width=570 colspan=4>PIP and Zoning Manual Test</td>";
inline constexpr char kPluginHeads1[] = "<th width=260;>VCP Commands</th>";
inline constexpr char kPluginHeads2[] = "<th width=300;>Description</th>";
inline constexpr char kPluginHeads3[] = "<th width=60;>Pass/Fail</span></th>";
inline constexpr char kPluginHeads4[] = "<th width=260;>Comments</span></th>";
inline constexpr char kPluginCells[] =
    "<td width=%d>%s</td><td width=%d>%s</td><td width=%d>%s</td><td width=%d>%s</td>";
inline constexpr char kPluginCell[] = "<td width=%d>%s</td>";
inline constexpr char kPluginFail[] =
    "<td width=%d; bgcolor=#FF0000; style='color:white;font-size:14pt;font-weight:700;'>%s</td>";
inline constexpr char kSpace[] = "&nbsp;";
inline constexpr char kSpaceNl[] = "&nbsp;\n";
inline constexpr char kPEnd[] = "</p>";
inline constexpr char kSummary[] =
    "<BR><p style='font-family: Garamond, Times New Roman; font-size:18pt;font-weight:700;'>Summary</p><BR>";

}  // namespace expected

// A body far smaller than a run's, large enough for any section.
inline constexpr size_t kTestBodyCapacity = 1 << 20;

class ReportFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        op::ResetRunSettings();
        bus::Monitors().Clear();
        bus::currentMonitor = 0;
        ResetReportTexts();
        ASSERT_TRUE(ReportBody.Allocate(kTestBodyCapacity));
    }
    void TearDown() override {
        FreeReportBody();
        ResetReportTexts();
        bus::Monitors().Clear();
        op::ResetRunSettings();
    }

    static std::string Body() { return std::string(ReportBody.View()); }
    static bus::MonitorRecord& Monitor() { return bus::Monitors()[0]; }
};

}  // namespace kestrova::report::testing
