// What the procedure tests against the lab start from: the Brevlink library loaded by path serving
// a lab profile, a virtual clock, a recording presenter, and the run settings and catalogue back at
// their start values. Profiles come from lab/ or are written on the spot over the compliant one.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/vcp_catalogue.h"
#include "lab_monitor.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"

namespace kestrova::engine::testing {

class ProcedureLabTest : public ::testing::Test {
  protected:
    ProcedureLabTest() {
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        op::TestMode = op::kAutomaticMode;
    }
    ~ProcedureLabTest() override {
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
    }

    // Serves a profile of lab/ and forgets what loading it logged and wrote.
    void UseLab(const std::string& name) { Serve(SourcePath("lab/" + name)); }

    // Serves the compliant monitor with `monitorPatch` (JSON members of a monitor) laid over it.
    void UseCompliantWith(const std::string& monitorPatch) {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / ("kestrova_" + name + ".json");
        std::ofstream(path, std::ios::binary)
            << R"({"name": "test", "monitors": [{"base": "compliant", "position": 1, )" << monitorPatch << "}]}";
        Serve(path.string());
    }

    // The Set VCP commands the monitor saw since serving, "0x10 50" each, " ignored" when not taken.
    std::vector<std::string> Writes() const {
        std::vector<std::string> lines;
        std::istringstream in(LabCommand("writes 1"));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The value the monitor holds, as its panel shows it.
    int Held(uint8_t code) const {
        char command[32];
        std::snprintf(command, sizeof(command), "get 1 0x%02X", code);
        return std::stoi(LabCommand(command));
    }

    void Press(uint8_t code, int value) const {
        char command[48];
        std::snprintf(command, sizeof(command), "set 1 0x%02X %d", code, value);
        ASSERT_EQ(LabCommand(command), "ok") << command;
    }

    void Fault(const std::string& fault) const { ASSERT_EQ(LabCommand("fault 1 " + fault), "ok") << fault; }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    op::testing::RecordingPresenter presenter_;
    op::ScopedPresenter scopedPresenter_{&presenter_};

  private:
    void Serve(const std::string& path) {
        ASSERT_TRUE(UseLabProfile(path)) << path;
        ASSERT_EQ(LabCommand("clear-writes 1"), "ok");
        presenter_.ClearEvents();
        clock_.Reset();
    }
};

}  // namespace kestrova::engine::testing
