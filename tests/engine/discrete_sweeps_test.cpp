// The value-list sweeps of the colour preset, display mode and display scaling, and the OSD language
// list: which values are written, what each is called, the settle times and the write-back.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class DiscreteSweepsTest : public testing::DiscreteLabTest {
  protected:
    // The compliant monitor with `code` listing `capsValues` in its capabilities and taking `values`.
    void ServeList(const char* capsCode, const char* capsValues, uint8_t code, const char* values) {
        char patch[1024];
        std::snprintf(patch, sizeof(patch),
                      R"j("capabilities": "(prot(monitor)type(LCD)vcp(10 12 16 18 1A %s%s)mccs_ver(2.2))",
                         "features": {"0x%02X": {"type": "NC", "current": 1, "values": [%s]}})j",
                      capsCode, capsValues, code, values);
        UseCompliantWith(patch);
    }
};

const std::string kPicture = "  r,g,b 50,50,50  b/c 75/70<BR>";

TEST_F(DiscreteSweepsTest, ZerosInTheListAreNeitherDescribedNorWritten) {
    ServeList("14", "(00 01 00 03)", 0x14, "0, 1, 3");
    const testing::Outcome outcome = Run(0x14);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result,
              "Initial, min=0 max=3 cur=1<BR>0x01 - sRGB<BR>" + kPicture + "0x03 - 4000K<BR>" + kPicture);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"0x14 1", "0x14 3", "0x14 1"}));
}

TEST_F(DiscreteSweepsTest, EachSweepSettlesForItsControlAndWritesTheStartValueBack) {
    struct Case {
        uint8_t code;
        const char* capsCode;
        std::vector<uint32_t> sleeps;
    };
    // Preset and display mode read the five picture controls (16 ms before each) after every value.
    const std::vector<uint32_t> picture = {16, 16, 16, 16, 16};
    auto sweep = [&](uint32_t settle) {
        std::vector<uint32_t> sleeps;
        for (int value = 0; value < 2; ++value) {
            sleeps.push_back(settle);
            if (settle != 256) {
                sleeps.insert(sleeps.end(), picture.begin(), picture.end());
            }
        }
        sleeps.push_back(64);
        return sleeps;
    };
    for (const Case& c : {Case{0x14, "14", sweep(64)}, Case{0xDC, "DC", sweep(100)}, Case{0x86, "86", sweep(256)}}) {
        ServeList(c.capsCode, "(02 01)", c.code, "1, 2");
        const testing::Outcome outcome = Run(c.code);
        EXPECT_TRUE(outcome.pass) << outcome.result;
        EXPECT_EQ(clock_.Sleeps(), c.sleeps) << std::hex << int(c.code);
        char write[16];
        std::vector<std::string> writes;
        for (int value : {2, 1, 1}) {
            std::snprintf(write, sizeof(write), "0x%02X %d", c.code, value);
            writes.push_back(write);
        }
        EXPECT_EQ(Writes(), writes) << std::hex << int(c.code);
        EXPECT_EQ(Held(c.code), 1);
    }
}

TEST_F(DiscreteSweepsTest, AnUnknownValueFailsButIsStillWrittenAndTheSweepGoesOn) {
    struct Case {
        uint8_t code;
        const char* capsCode;
        std::string result;
    };
    const Case cases[] = {
        {0x14, "14",
         "Initial, min=0 max=14 cur=1<BR>FAIL - 0xe - Color Temp UNKNOWN value.<BR>" + kPicture + "0x0D - User3<BR>" +
             kPicture},
        {0xDC, "DC",
         "Initial, min=0 max=14 cur=1<BR>FAIL - 0xe - mode UNKNOWN value.<BR>" + kPicture +
             "FAIL - 0xd - mode UNKNOWN value.<BR>" + kPicture},
        {0x86, "86",
         "Initial, min=0 max=14 cur=1<BR>FAIL - 0xe - Scaling UNKNOWN value.<BR>FAIL - 0xd - Scaling "
         "UNKNOWN value.<BR>"},
    };
    for (const Case& c : cases) {
        ServeList(c.capsCode, "(0E 0D)", c.code, "1, 13, 14");
        const testing::Outcome outcome = Run(c.code);
        EXPECT_FALSE(outcome.pass) << std::hex << int(c.code);
        EXPECT_EQ(outcome.result, c.result) << std::hex << int(c.code);
        EXPECT_EQ(Writes().size(), 3u) << std::hex << int(c.code);
        EXPECT_EQ(Held(c.code), 1);
    }
}

TEST_F(DiscreteSweepsTest, WithoutAListTheSweepsOnlyWriteTheStartValueBack) {
    // Listed without values, or not listed at all: the query gives nothing, which is not a failure.
    for (const char* caps : {"14 DC 86", ""}) {
        char patch[512];
        std::snprintf(patch, sizeof(patch),
                      R"j("capabilities": "(prot(monitor)type(LCD)vcp(10 12 16 18 1A %s)mccs_ver(2.2))")j", caps);
        UseCompliantWith(patch);
        for (uint8_t code : {0x14, 0xDC, 0x86}) {
            clock_.Reset();
            const testing::Outcome outcome = Run(code);
            EXPECT_TRUE(outcome.pass) << std::hex << int(code) << " caps '" << caps << "'";
            EXPECT_EQ(outcome.result.find("<BR>") + 4, outcome.result.size()) << outcome.result;
            EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{64});
        }
        EXPECT_EQ(Writes(), (std::vector<std::string>{"0x14 5", "0xDC 1", "0x86 1"})) << caps;
    }
}

TEST_F(DiscreteSweepsTest, APictureControlThatStopsAnsweringFailsTheSweep) {
    ServeList("14", "(01 03)", 0x14, "1, 3");
    Fault("silent 0x16");
    const std::string lost = "...FAIL to get current 0x16 Red Video Gain<BR>  r,g,b 0,50,50  b/c 75/70<BR>";
    const testing::Outcome outcome = Run(0x14);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=3 cur=1<BR>0x01 - sRGB<BR>" + lost + "0x03 - 4000K<BR>" + lost);
    EXPECT_EQ(Held(0x14), 1);
}

TEST_F(DiscreteSweepsTest, UnlistedPictureControlsReadAsZeros) {
    UseCompliantWith(R"j("capabilities": "(prot(monitor)type(LCD)vcp(14(03))mccs_ver(2.2))")j");
    const testing::Outcome outcome = Run(0x14);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=11 cur=5<BR>0x03 - 4000K<BR>  r,g,b 0,0,0  b/c 0/0<BR>");
    // 0x03 is not among the presets the monitor takes; the sweep writes it all the same.
    EXPECT_EQ(Writes(), (std::vector<std::string>{"0x14 3 ignored", "0x14 5"}));
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{64, 64}));
}

TEST_F(DiscreteSweepsTest, LanguagesAreDescribedAndNeverWritten) {
    struct Case {
        const char* caps;
        bool pass;
        const char* lines;
    };
    const Case cases[] = {
        {"CC", true, ""},
        {"CC()", true, ""},
        {"CC(00 0A 25)", true, "0x0A - Spanish<BR>0x25 - Vietnamese<BR>"},
        {"CC(0D 0E 26 1A)", false,
         "0x0D - Chinese (simplified)<BR>0x0E - Portuguese (Brazil)<BR>FAIL - 0x26 - Language UNKNOWN "
         "value.<BR>0x1A - Hungarian<BR>"},
    };
    for (const Case& c : cases) {
        char patch[512];
        std::snprintf(patch, sizeof(patch), R"j("capabilities": "(prot(monitor)type(LCD)vcp(%s)mccs_ver(2.2))")j",
                      c.caps);
        UseCompliantWith(patch);
        const testing::Outcome outcome = Run(0xCC);
        EXPECT_EQ(outcome.pass, c.pass) << c.caps;
        EXPECT_EQ(outcome.result, std::string("Initial, min=0 max=10 cur=2<BR>") + c.lines) << c.caps;
        EXPECT_TRUE(Writes().empty()) << c.caps;
        EXPECT_TRUE(clock_.Sleeps().empty()) << c.caps;
    }
}

}  // namespace
}  // namespace kestrova::engine
