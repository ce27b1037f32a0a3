// Recording monitors as a lab profile and serving the recording again: brevlink-record through the
// lab back end and through the i2c-dev back end on /dev/i2c-N, then kestrova run against the
// recording gives the report the original profile gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli_runner.h"

namespace kestrova::app::console::testing {
namespace {

struct Replay {
    int status = -1;
    std::string report;
    std::string junit;
    std::string log;
};

Replay RunAgainst(const std::string& name, const std::string& profile, bool normalise) {
    CliRunner cli(name);
    cli.SetEnv("BREVLINK_LAB_PROFILE", profile);
    const CliResult result = cli.Run({"run", "--mode", "automatic", "--locking-code", "5A", "--report", "r.html",
                                      "--junit", "r.xml", "--no-progress"});
    Replay replay;
    replay.status = result.status;
    replay.report = ReadFile(cli.Path("r.html"));
    replay.junit = ReadFile(cli.Path("r.xml"));
    replay.log = result.out;
    if (normalise) {
        replay.report = WithoutBackEndTexts(replay.report);
        replay.log = WithoutBackEndTexts(replay.log);
    }
    return replay;
}

TEST(RecordReplay, ARecordedProfileReplaysToTheOriginalsReport) {
    const std::string bin = std::string(KESTROVA_BINARY_DIR) + "/bin/";
    for (const char* name : {"compliant", "two-monitors", "faulty-unknown-values"}) {
        for (bool throughDevI2c : {false, true}) {
            SCOPED_TRACE(std::string(name) + (throughDevI2c ? " through /dev/i2c-N" : " through the lab"));
            const std::string original = CliRunner::SourcePath(std::string("lab/") + name + ".json");
            CliRunner scratch(std::string("record-") + name);
            const std::string recorded = scratch.Path("recorded.json");
            const std::string command =
                "env -u BREVLINK_BACKEND -u BREVLINK_LAB_PROFILE KESTROVA_VIRTUAL_CLOCK=1 " +
                (throughDevI2c ? "BREVLINK_BACKEND=i2c-dev '" + bin + "brevlink-lab-i2c' '" + original + "' -- "
                               : "BREVLINK_LAB_PROFILE='" + original + "' ") +
                "'" + bin + "brevlink-record' --output '" + recorded + "' 2>'" + scratch.Path("record.err") + "'";
            ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(scratch.Path("record.err"));

            const Replay before = RunAgainst(std::string("original-") + name, original, throughDevI2c);
            const Replay after = RunAgainst(std::string("replay-") + name, recorded, throughDevI2c);
            EXPECT_EQ(after.status, before.status);
            EXPECT_FALSE(before.report.empty());
            EXPECT_EQ(after.report, before.report);
            EXPECT_EQ(after.junit, before.junit);
            EXPECT_EQ(after.log, before.log);
        }
    }
}

}  // namespace
}  // namespace kestrova::app::console::testing
