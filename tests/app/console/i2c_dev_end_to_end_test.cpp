// The real-bus path end to end: kestrova with Brevlink's i2c-dev back end, against lab monitors
// served as /dev/i2c-N by brevlink-lab-i2c (device files, ioctls, the standard's waits on the
// virtual clock), gives the report the lab back end gives for the same profile.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace kestrova::app::console::testing {
namespace {

using ::testing::HasSubstr;

struct RunOutcome {
    CliResult result;
    std::string report;
    std::string junit;
};

RunOutcome RunAutomatic(CliRunner& cli, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"run",      "--mode", "automatic", "--locking-code", "5A",
                                     "--report", "r.html", "--junit",   "r.xml",          "--no-progress"};
    args.insert(args.end(), extra.begin(), extra.end());
    RunOutcome run;
    run.result = cli.Run(args);
    run.report = WithoutBackEndTexts(ReadFile(cli.Path("r.html")));
    run.junit = ReadFile(cli.Path("r.xml"));
    return run;
}

TEST(I2cDevEndToEnd, ReportsEqualTheLabBackEndsForTheSameProfile) {
    const char* profiles[] = {"compliant", "two-monitors", "faulty-unknown-values", "faulty-silent-code",
                              "faulty-bad-checksum"};
    for (const char* profile : profiles) {
        SCOPED_TRACE(profile);
        const std::string path = CliRunner::SourcePath(std::string("lab/") + profile + ".json");
        CliRunner lab(std::string("lab-") + profile);
        lab.SetEnv("BREVLINK_LAB_PROFILE", path);
        const RunOutcome viaLab = RunAutomatic(lab);
        CliRunner bus(std::string("i2c-") + profile);
        bus.ServeOnDevI2c(path);
        const RunOutcome viaBus = RunAutomatic(bus);

        ASSERT_TRUE(viaLab.result.status == 0 || viaLab.result.status == 1) << viaLab.result.err;
        EXPECT_EQ(viaBus.result.status, viaLab.result.status) << viaBus.result.err;
        EXPECT_FALSE(viaLab.report.empty());
        EXPECT_EQ(viaBus.report, viaLab.report);
        EXPECT_EQ(viaBus.junit, viaLab.junit);
        EXPECT_EQ(WithoutBackEndTexts(viaBus.result.out), WithoutBackEndTexts(viaLab.result.out));
    }
}

TEST(I2cDevEndToEnd, RealMonitorBehaviourOnTheBusLeavesTheReportAsItIs) {
    struct Case {
        const char* name;
        const char* wire;
        std::vector<std::string> notes;  // what the run must say on stderr
    };
    const Case cases[] = {
        {"held",
         R"({"driverHolds": ["0x37", "0x50"]})",
         {"/dev/i2c-201: address 0x37 is held by a kernel driver; reached with I2C_SLAVE_FORCE",
          "/dev/i2c-201: address 0x50 is held by a kernel driver; reached with I2C_SLAVE_FORCE"}},
        // The reply is ready only after the standard's wait, which the library makes on its clock.
        {"slow", R"({"replyDelayMs": 40})", {}},
    };
    CliRunner lab("lab-wire");
    lab.UseProfile("compliant");
    const RunOutcome viaLab = RunAutomatic(lab, {"--codes", "0x10,0x12,0x14"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CliRunner bus(std::string("i2c-") + c.name);
        WriteFile(bus.Path("p.json"), std::string(R"({"name": "wire", "monitors": [{"base": "compliant", "position": 1,
            "wire": )") + c.wire + "}]}");
        bus.ServeOnDevI2c(bus.Path("p.json"));
        const RunOutcome viaBus = RunAutomatic(bus, {"--codes", "0x10,0x12,0x14"});
        EXPECT_EQ(viaBus.result.status, 0) << viaBus.result.err;
        EXPECT_EQ(viaBus.report, viaLab.report);
        for (const std::string& note : c.notes) {
            EXPECT_THAT(viaBus.result.err, HasSubstr(note));
        }
    }
}

}  // namespace
}  // namespace kestrova::app::console::testing
