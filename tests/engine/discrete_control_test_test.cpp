// The discrete-control procedure's frame (first read by access, handler choice, log lines) and every
// handled code on the compliant monitor and on the faulty monitor made for each fault, through the
// real library and bus layer.
#include "engine/discrete_control_test.h"

#include <gtest/gtest.h>

#include "catalogue/vcp_tag.h"
#include "discrete_lab_fixture.h"
#include "engine/test_procedure.h"
#include "engine/test_procedures.h"

namespace kestrova::engine {
namespace {

class DiscreteControlTestTest : public testing::DiscreteLabTest {};

TEST_F(DiscreteControlTestTest, IsTheProcedureOfTheNonContinuousIdentifier) {
    const ScopedTestProcedure keep{catalogue::kProcedureNonContinuous,
                                   FindTestProcedure(catalogue::kProcedureNonContinuous)};
    const ScopedTestProcedure keepContinuous{catalogue::kProcedureContinuous,
                                             FindTestProcedure(catalogue::kProcedureContinuous)};
    const ScopedTestProcedure keepScreen{catalogue::kProcedureScreenAction,
                                         FindTestProcedure(catalogue::kProcedureScreenAction)};
    RegisterTestProcedures();
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureNonContinuous), &DiscreteControlTest);
}

TEST_F(DiscreteControlTestTest, FirstReadFailuresSayWhatTheMonitorAnswered) {
    struct Case {
        uint8_t code;
        const char* fault;  // lab fault switched on before the run, or empty
        const char* result;
    };
    const Case cases[] = {
        // A read/write control gets one line whatever the monitor answered.
        {0x03, "", "...FAILED, get original value<BR>"},
        {0x14, "silent 0x14", "...FAILED, get original value<BR>"},
        // Read-only and write-only ones say when the monitor disowned the code.
        {0xB7, "",
         "...FAIL to get current 0xB7 Monitor Status<BR>...Monitor says '0xB7 Monitor Status' is Unsupported<BR>"},
        {0xC8, "silent 0xC8", "...FAIL to get current 0xC8 Display Controller Type<BR>"},
        {0x01, "", "...FAIL to get current 0x01 Degauss<BR>...Monitor says '0x01 Degauss' is Unsupported<BR>"},
        {0xFC, "silent 0xFC", "...FAIL to get current 0xFC Theft Access Control PIN low<BR>"},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        if (*c.fault != '\0') {
            Fault(c.fault);
        }
        const std::string name = catalogue::Catalogue()[c.code].name.Str();
        const testing::Outcome outcome = Run(c.code);
        EXPECT_FALSE(outcome.pass) << name;
        EXPECT_EQ(outcome.result, c.result) << name;
        EXPECT_EQ(presenter_.LogLines(),
                  (std::vector<std::string>{"...testing " + name + " ", "......FAILED " + name + " "}));
        EXPECT_TRUE(Writes().empty()) << name;
    }
}

TEST_F(DiscreteControlTestTest, CodesWithoutAHandlerAreNotTestedYet) {
    // The monitor answers each code, so only the missing handler fails it.
    UseCompliantWith(R"("features": {"0x03": {"type": "NC", "current": 1, "maximum": 2},
                                     "0xB7": {"type": "NC", "access": "RO", "current": 1},
                                     "0x01": {"type": "NC", "access": "WO", "maximum": 1}})");
    struct Case {
        uint8_t code;
        const char* result;
    };
    for (const Case& c : {Case{0x03, "Initial, min=0 max=2 cur=1<BR>** NC Not tested yet **<BR>"},
                          Case{0xB7, "Initial, min=0 max=0 cur=1<BR>** NC Not tested yet **<BR>"},
                          Case{0x01, "Initial, min=0 max=1 cur=0<BR>** NC Not tested yet **<BR>"}}) {
        const testing::Outcome outcome = Run(c.code);
        EXPECT_FALSE(outcome.pass) << std::hex << int(c.code);
        EXPECT_EQ(outcome.result, c.result) << std::hex << int(c.code);
    }
    EXPECT_TRUE(Writes().empty());
}

TEST_F(DiscreteControlTestTest, UnknownAccessEndsAtOnceWithPass) {
    UseLab("compliant.json");
    const testing::Outcome outcome = Run(0x07);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(presenter_.LogLines(), (std::vector<std::string>{"...testing 0x07 Reserved "}));
}

// Every code with a handler, on the compliant monitor: what it appends, what it writes and that the
// control is left as it was found.
TEST_F(DiscreteControlTestTest, CompliantMonitorPassesEveryHandledCode) {
    const std::string picture = "  r,g,b 50,50,50  b/c 75/70<BR>";
    struct Case {
        uint8_t code;
        std::string result;
        std::vector<std::string> writes;
    };
    const std::vector<Case> cases = {
        {0x02, "Initial, min=0 max=2 cur=1<BR>", {}},
        {0x0B, "Initial, min=0 max=5000 cur=50<BR>", {"0x0B 100 ignored"}},
        {0x14,
         "Initial, min=0 max=11 cur=5<BR>0x01 - sRGB<BR>" + picture + "0x05 - 6500K<BR>" + picture +
             "0x06 - 7500K<BR>" + picture + "0x08 - 9300K<BR>" + picture + "0x0B - User1<BR>" + picture,
         {"0x14 1", "0x14 5", "0x14 6", "0x14 8", "0x14 11", "0x14 5"}},
        {0x52, "Initial, min=0 max=255 cur=0<BR>Tested with 0x02 New Control Value.<BR>", {}},
        {0x60, "Initial, min=0 max=15 cur=3<BR>NOTE: Only tested using manual test.<BR>", {}},
        {0x66, "Initial, min=0 max=2 cur=1<BR>", {"0x66 1", "0x66 2", "0x66 1"}},
        {0x86,
         "Initial, min=0 max=2 cur=1<BR>0x01 - No scaling<BR>0x02 - Max Image<BR>",
         {"0x86 1", "0x86 2", "0x86 1"}},
        {0x8D, "Initial, min=0 max=2 cur=2<BR>", {"0x8D 1", "0x8D 2", "0x8D 2"}},
        {0x94, "Initial, min=0 max=3 cur=2<BR>", {"0x94 0", "0x94 1", "0x94 2", "0x94 3", "0x94 2"}},
        {0xA4, "Initial, min=0 max=255 cur=255<BR>", {"0xA4 0", "0xA4 255", "0xA4 255"}},
        {0xAA, "Initial, min=0 max=4 cur=1<BR>NOTE: Only tested using manual test.<BR>", {}},
        {0xB2, "Initial, min=0 max=8 cur=1<BR>0x01 - Red/Green/Blue vertical stripe.<BR>", {}},
        {0xB6, "Initial, min=0 max=8 cur=3<BR>0x03 - TFT<BR>", {}},
        {0xC0, "Initial, min=0 max=65535 cur=1234<BR>Usage Time: 0x04D2, 1234 hrs<BR>", {}},
        {0xC6, "Initial, min=0 max=65535 cur=90<BR>", {}},
        {0xC8, "Initial, min=0 max=255 cur=5<BR>0x05 - Mstar<BR>", {}},
        {0xCA, "Initial, min=0 max=2 cur=2<BR>", {"0xCA 1", "0xCA 2", "0xCA 2"}},
        {0xCC,
         "Initial, min=0 max=10 cur=2<BR>0x01 - Chinese<BR>0x02 - English<BR>0x03 - French<BR>0x04 - German<BR>0x05 - "
         "Italian<BR>0x06 - Japanese<BR>0x0A - Spanish<BR>",
         {}},
        {0xD6, "Initial, min=0 max=5 cur=1<BR>", {}},
        {0xDC,
         "Initial, min=0 max=5 cur=1<BR>0x01 - Productivity, Office<BR>" + picture + "0x02 - Mixed<BR>" + picture +
             "0x03 - Movie<BR>" + picture + "0x05 - Games<BR>" + picture,
         {"0xDC 1", "0xDC 2", "0xDC 3", "0xDC 5", "0xDC 1"}},
        {0xDF, "Initial, min=0 max=65535 cur=514<BR>VCP Version: 2 Rev:2<BR>", {}},
        {0xFA, "Initial, min=0 max=1 cur=0<BR>", {}},
        {0xFC, "Initial, min=0 max=65535 cur=0<BR>PIN low, functional test using 0xFE later.<BR>", {}},
        {0xFD, "Initial, min=0 max=65535 cur=0<BR>PIN high, functional test using 0xFE later.<BR>", {}},
        {0xFE,
         "Initial, min=0 max=1 cur=0<BR>Entered Theft Enabled mode OK<BR>Entered Theft Enabled state OK<BR>Entered "
         "Theft "
         "Disabled mode OK<BR>Entered Theft Disabled state OKx<BR>",
         {"0xFB 1", "0xFC 15143", "0xFD 217", "0xFA 1", "0xFC 15143", "0xFD 217", "0xFA 0"}},
    };
    op::CheckoffInfo.checkoffLockingCode = "5A";
    for (const Case& c : cases) {
        UseLab("compliant.json");
        const int before = Held(c.code == 0xFC || c.code == 0xFD ? 0x10 : c.code);
        const testing::Outcome outcome = Run(c.code);
        const std::string name = catalogue::Catalogue()[c.code].name.Str();
        EXPECT_TRUE(outcome.pass) << name << ": " << outcome.result;
        EXPECT_EQ(outcome.result, c.result) << name;
        EXPECT_EQ(Writes(), c.writes) << name;
        EXPECT_EQ(Held(c.code == 0xFC || c.code == 0xFD ? 0x10 : c.code), before) << name;
        EXPECT_EQ(presenter_.LogLines(), std::vector<std::string>{"...testing " + name + " "}) << name;
        EXPECT_TRUE(presenter_.Messages().empty()) << name;
    }
}

// The faulty monitor made for each fault fails for its own reason, with or without an engineer:
// these handlers ask nothing, so Manual mode finds the same.
TEST_F(DiscreteControlTestTest, EachFaultyMonitorFailsWithItsOwnLines) {
    const std::string picture = "  r,g,b 50,50,50  b/c 75/70<BR>";
    struct Case {
        const char* profile;
        uint8_t code;
        std::string result;
    };
    const std::vector<Case> cases = {
        {"faulty-ro-accepts-writes.json", 0x0B, "Initial, min=0 max=5000 cur=50<BR>FAIL - exp 50, got 100<BR>"},
        {"faulty-vcp-version-1.json", 0xDF,
         "Initial, min=0 max=65535 cur=256<BR>VCP Version: 1 Rev:0<BR>FAIL - Version is not 2.x or 3.x, unknown<BR>"},
        {"faulty-theft-swapped-pin.json", 0xFE,
         "Initial, min=0 max=1 cur=0<BR>Entered Theft Enabled mode OK<BR>Entered Theft Enabled state OK<BR>ERROR, "
         "cound "
         "not enter Theft Disabled mode, exp 0x00, got 0x1<BR>Entered Theft Disabled state OKx<BR>"},
        {"faulty-unknown-values.json", 0x14,
         "Initial, min=0 max=14 cur=5<BR>0x01 - sRGB<BR>" + picture + "0x05 - 6500K<BR>" + picture +
             "0x06 - 7500K<BR>" + picture + "0x08 - 9300K<BR>" + picture + "0x0B - User1<BR>" + picture +
             "FAIL - 0xe - Color Temp UNKNOWN value.<BR>" + picture},
        {"faulty-unknown-values.json", 0x86,
         "Initial, min=0 max=11 cur=1<BR>0x01 - No scaling<BR>0x02 - Max Image<BR>FAIL - 0xb - Scaling UNKNOWN "
         "value.<BR>"},
        {"faulty-unknown-values.json", 0xCC,
         "Initial, min=0 max=38 cur=2<BR>0x01 - Chinese<BR>0x02 - English<BR>0x03 - French<BR>0x04 - German<BR>0x05 - "
         "Italian<BR>0x06 - Japanese<BR>0x0A - Spanish<BR>FAIL - 0x26 - Language UNKNOWN value.<BR>"},
        {"faulty-unknown-values.json", 0xDC,
         "Initial, min=0 max=11 cur=1<BR>0x01 - Productivity, Office<BR>" + picture + "0x02 - Mixed<BR>" + picture +
             "0x03 - Movie<BR>" + picture + "0x05 - Games<BR>" + picture + "FAIL - 0xb - mode UNKNOWN value.<BR>" +
             picture},
    };
    for (int mode : {op::kAutomaticMode, op::kManualMode}) {
        for (const Case& c : cases) {
            UseLab(c.profile);
            op::TestMode = mode;
            const std::string name = catalogue::Catalogue()[c.code].name.Str();
            const testing::Outcome outcome = Run(c.code);
            EXPECT_FALSE(outcome.pass) << c.profile << " mode " << mode;
            EXPECT_EQ(outcome.result, c.result) << c.profile << " mode " << mode;
            EXPECT_EQ(presenter_.LogLines(),
                      (std::vector<std::string>{"...testing " + name + " ", "......FAILED " + name + " "}));
            EXPECT_TRUE(presenter_.Messages().empty());
        }
    }
}

}  // namespace
}  // namespace kestrova::engine
