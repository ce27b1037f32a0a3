// The built-in procedures in the table, and a whole Automatic run that reaches them through the run
// driver and dispatch, against the lab.
#include "engine/test_procedures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/vcp_groups.h"
#include "catalogue/vcp_tag.h"
#include "continuous_lab_fixture.h"
#include "engine/continuous_control_test.h"
#include "engine/manual_screen_test.h"
#include "engine/test_procedure.h"
#include "engine/test_run.h"
#include "platform/local_time.h"
#include "report/report_body.h"
#include "report/report_texts.h"
#include "report_rows.h"

namespace kestrova::engine {
namespace {

class TestProceduresTest : public testing::ProcedureLabTest {
  protected:
    TestProceduresTest() {
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
        report::ResetReportTexts();
        platform::SetCurrentDateTimeSource(&dateTime_);
        RegisterTestProcedures();
    }
    ~TestProceduresTest() override {
        platform::SetCurrentDateTimeSource(nullptr);
        report::FreeReportBody();
        report::ResetReportTexts();
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
    }

    void Tick(size_t groupIndex, std::initializer_list<uint8_t> codes) {
        catalogue::VcpGroup& group = catalogue::VcpGroups()[groupIndex];
        group.enabled = true;
        for (uint8_t code : codes) {
            for (int32_t i = 0; i < group.count; ++i) {
                if (group.codes[i] == code) {
                    group.selected[static_cast<size_t>(i)] = true;
                }
            }
        }
    }

    std::string RunAutomatically() {
        const std::filesystem::path saved =
            std::filesystem::path(::testing::TempDir()) /
            ("kestrova_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".html");
        presenter_.QueueSavePath(saved.string());
        EXPECT_EQ(RunAutomaticTest(), 0);
        std::ifstream in(saved, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Puts back whatever the table held before the test registered the built-in procedures.
    ScopedTestProcedure continuous_{catalogue::kProcedureContinuous,
                                    FindTestProcedure(catalogue::kProcedureContinuous)};
    ScopedTestProcedure screenAction_{catalogue::kProcedureScreenAction,
                                      FindTestProcedure(catalogue::kProcedureScreenAction)};
    platform::FixedDateTimeSource dateTime_{{"2:07 PM", "Monday, December 7, 2026"}};
};

TEST_F(TestProceduresTest, TheContinuousAndScreenActionIdentifiersHaveTheirProcedures) {
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureContinuous), &ContinuousControlTest);
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureScreenAction), &ManualScreenTest);
}

TEST_F(TestProceduresTest, AnAutomaticRunTestsRealCodesOnTheLab) {
    UseLab("faulty-frequencies.json");
    Tick(0, {0x05, 0x10});
    Tick(2, {0xAE});
    const std::string report = RunAutomatically();
    EXPECT_NE(report.find(testing::ExpectedRow(0x10, " Brightness/Luminance", "RW , C", true,
                                               "Verified in Capability String<BR>Initial, min=0 max=100 cur=75<BR>"
                                               "Tested min and max values, r/w.<BR>")),
              std::string::npos);
    EXPECT_NE(report.find(testing::ExpectedRow(0x05, " Restore factory brightness/contrast defaults", "WO , NC", true,
                                               "Verified in Capability String<BR>...0x10 Brightness/Luminance resets "
                                               "to 75<BR>...0x12 Contrast resets to 70<BR>")),
              std::string::npos);
    const std::string frequency =
        "Verified in Capability String<BR>Initial, min=0 max=65535 cur=8150<BR>Vert Freq is 81.00 Hz<BR>"
        "...FAILED, exp from 40Hz to 80Hz<BR>";
    EXPECT_NE(report.find(testing::ExpectedRow(0xAE, " Vertical Freq", "RO , C", false, frequency)), std::string::npos);
    EXPECT_NE(report.find("FAILED.<BR>VCP Code: 0xAE  Vertical Freq<BR>Type: RO , C<BR>" + frequency),
              std::string::npos);
    EXPECT_EQ(Held(0x10), 75);
}

}  // namespace
}  // namespace kestrova::engine
