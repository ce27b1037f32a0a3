#include "engine/continuous_checks.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace kestrova::engine {
namespace {

using testing::ControlValue;
using testing::CountReads;
using testing::Monitor;
using testing::ReadOutcome;
using testing::ScriptedRead;

constexpr ScriptedRead kSilent{ReadOutcome::kNoAnswer};
constexpr ScriptedRead kUnsupported{ReadOutcome::kUnsupported};

// What ReadVcp itself waits between its three attempts when the monitor stays silent.
const std::vector<uint32_t> kBusRetries = {64, 128, 192};

std::vector<uint32_t> Joined(std::initializer_list<std::vector<uint32_t>> parts) {
    std::vector<uint32_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class ContinuousChecksTest : public testing::EngineTest {
  protected:
    void List(uint8_t code) { catalogue::Catalogue()[code].inCaps = true; }
    void Script(uint8_t code, std::vector<ScriptedRead> reads) {
        Monitor().script[code] = std::deque<ScriptedRead>(reads.begin(), reads.end());
    }

    bool pass_ = true;
    ResultText result_;
};

TEST_F(ContinuousChecksTest, AnUnlistedControlReadsAsZerosWithoutAWord) {
    Monitor().controls[0x10] = {0, 100, 50};
    result_ = "before<BR>";
    const VcpReading reading = ReadVcpForCheck(0x10, pass_, result_);
    EXPECT_EQ(reading.minimum, 0);
    EXPECT_EQ(reading.maximum, 0);
    EXPECT_EQ(reading.current, 0);
    EXPECT_TRUE(pass_);
    EXPECT_EQ(result_, "before<BR>");
    EXPECT_TRUE(Monitor().exchanges.empty());
    EXPECT_TRUE(clock_.Sleeps().empty());

    CheckVcpValue(0x10, 7, pass_, result_, CheckMode::ExpectTestValue);
    EXPECT_TRUE(pass_);
    EXPECT_EQ(result_, "before<BR>");
    EXPECT_TRUE(Monitor().exchanges.empty());
}

TEST_F(ContinuousChecksTest, ReadTriesThreeTimesSixteenAndThirtyTwoMillisecondsApart) {
    const ScriptedRead answer{ReadOutcome::kAnswer, 1, 100, 42};
    struct Case {
        const char* name;
        std::vector<ScriptedRead> reads;
        std::vector<uint32_t> sleeps;
        bool ok;
        bool unsupportedLine;
    };
    const Case cases[] = {
        {"first try", {answer}, {16}, true, false},
        {"second try", {kSilent, kSilent, kSilent, answer}, Joined({{16}, kBusRetries, {32}}), true, false},
        {"third try",
         {kSilent, kSilent, kSilent, kSilent, kSilent, kSilent, answer},
         Joined({{16}, kBusRetries, {32}, kBusRetries}),
         true,
         false},
        {"never", std::vector<ScriptedRead>(9, kSilent), Joined({{16}, kBusRetries, {32}, kBusRetries, kBusRetries}),
         false, false},
        // An unsupported answer ends each ReadVcp at once: only our own two waits remain.
        {"unsupported", {kUnsupported, kUnsupported, kUnsupported}, {16, 32}, false, true},
        {"unsupported, then silent",
         {kUnsupported, kUnsupported, kSilent, kSilent, kSilent},
         Joined({{16, 32}, kBusRetries}),
         false,
         false},
    };
    List(0x10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock_.Reset();
        Script(0x10, c.reads);
        pass_ = true;
        result_.clear();
        const VcpReading reading = ReadVcpForCheck(0x10, pass_, result_);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_TRUE(Monitor().script[0x10].empty());
        EXPECT_EQ(pass_, c.ok);
        if (c.ok) {
            EXPECT_EQ(reading.minimum, 1);
            EXPECT_EQ(reading.maximum, 100);
            EXPECT_EQ(reading.current, 42);
            EXPECT_EQ(result_, "");
        } else if (c.unsupportedLine) {
            EXPECT_EQ(result_,
                      "...FAIL to get current 0x10 Brightness/Luminance<BR>"
                      "...Monitor says '0x10 Brightness/Luminance' is Unsupported<BR>");
        } else {
            EXPECT_EQ(result_, "...FAIL to get current 0x10 Brightness/Luminance<BR>");
        }
    }
}

TEST_F(ContinuousChecksTest, AFailedReadKeepsWhatThePassFlagAlreadySaid) {
    List(0x12);
    Script(0x12, {kUnsupported, kUnsupported, kUnsupported});
    pass_ = false;
    result_ = "earlier<BR>";
    ReadVcpForCheck(0x12, pass_, result_);
    EXPECT_FALSE(pass_);
    EXPECT_EQ(result_,
              "earlier<BR>...FAIL to get current 0x12 Contrast<BR>...Monitor says '0x12 Contrast' is "
              "Unsupported<BR>");
}

TEST_F(ContinuousChecksTest, CheckJudgesByModeAndRobustness) {
    struct Case {
        CheckMode mode;
        bool robust;
        uint32_t current;
        bool pass;
        const char* lines;
    };
    const Case cases[] = {
        {CheckMode::ExpectTestValue, false, 30, true, ""},
        {CheckMode::ExpectTestValue, false, 55, false,
         "...FAIL to get test val (exp 30, got 55), 0x10 Brightness/Luminance<BR>"},
        {CheckMode::ExpectTestValue, true, 55, false,
         "...FAIL to get test val (exp 30, got 55), 0x10 Brightness/Luminance<BR>"},
        {CheckMode::ExpectUnchanged, false, 30, true, ""},
        {CheckMode::ExpectUnchanged, true, 30, true, ""},
        {CheckMode::ExpectUnchanged, false, 55, true, ""},
        {CheckMode::ExpectUnchanged, true, 55, false,
         "...FAIL, '0' should not have reset  (exp 30, got 55), 0x10 Brightness/Luminance<BR>"},
        {CheckMode::ExpectReset, false, 30, false,
         "...FAIL, could not reset 0x10 Brightness/Luminance, (remained at 30)<BR>"},
        {CheckMode::ExpectReset, true, 30, false,
         "...FAIL, could not reset 0x10 Brightness/Luminance, (remained at 30)<BR>"},
        {CheckMode::ExpectReset, false, 55, true, "...0x10 Brightness/Luminance resets to 55<BR>"},
    };
    List(0x10);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << static_cast<int>(c.mode) << " robust " << c.robust << " current " << c.current);
        op::FullRangeTesting = c.robust;
        Monitor().controls[0x10] = ControlValue{0, 100, c.current};
        Monitor().exchanges.clear();
        clock_.Reset();
        pass_ = true;
        result_.clear();
        CheckVcpValue(0x10, 30, pass_, result_, c.mode);
        EXPECT_EQ(pass_, c.pass);
        EXPECT_EQ(result_, c.lines);
        // A value off the expectation is read once more after 60 ms.
        const bool matched = c.current == 30;
        EXPECT_EQ(CountReads(0x10), matched ? 1 : 2);
        const std::vector<uint32_t> waits = matched ? std::vector<uint32_t>{16} : std::vector<uint32_t>{16, 60, 16};
        EXPECT_EQ(clock_.Sleeps(), waits);
    }
}

TEST_F(ContinuousChecksTest, TheSecondReadDecides) {
    List(0x10);
    Script(0x10, {{ReadOutcome::kAnswer, 0, 100, 29}, {ReadOutcome::kAnswer, 0, 100, 30}});
    CheckVcpValue(0x10, 30, pass_, result_, CheckMode::ExpectTestValue);
    EXPECT_TRUE(pass_);
    EXPECT_EQ(result_, "");

    Script(0x10, {{ReadOutcome::kAnswer, 0, 100, 30}, {ReadOutcome::kAnswer, 0, 100, 31}});
    CheckVcpValue(0x10, 31, pass_, result_, CheckMode::ExpectReset);
    EXPECT_FALSE(pass_);
    EXPECT_EQ(result_, "...FAIL, could not reset 0x10 Brightness/Luminance, (remained at 31)<BR>");
}

TEST_F(ContinuousChecksTest, AFailedReadInsideACheckComparesWhatTheReadLeft) {
    List(0x10);
    Script(0x10, std::vector<ScriptedRead>(6, kUnsupported));
    CheckVcpValue(0x10, 30, pass_, result_, CheckMode::ExpectReset);
    EXPECT_FALSE(pass_);
    const std::string readFailure =
        "...FAIL to get current 0x10 Brightness/Luminance<BR>"
        "...Monitor says '0x10 Brightness/Luminance' is Unsupported<BR>";
    EXPECT_EQ(result_, readFailure + readFailure + "...0x10 Brightness/Luminance resets to 0<BR>");
}

class ResetWaitTest : public ContinuousChecksTest {
  protected:
    std::vector<std::string> Lines() { return presenter_.LogLines(); }
    void ZerosThenAnswer(uint8_t probe, int zeros) {
        std::vector<ScriptedRead> reads(static_cast<size_t>(zeros), ScriptedRead{ReadOutcome::kAnswer, 0, 0, 0});
        reads.push_back({ReadOutcome::kAnswer, 0, 3, 0});
        Script(probe, reads);
    }
};

TEST_F(ResetWaitTest, ProbesTheVcpVersionWhenListedElseBrightness) {
    Monitor().controls[0x10] = {0, 100, 50};
    Monitor().controls[0xDF] = {0, 0, 0x0202};
    WaitForResetComplete();
    EXPECT_EQ(Monitor().exchanges, std::vector<std::string>{"r 0x10"});
    EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{1000});

    Monitor().exchanges.clear();
    List(0xDF);
    WaitForResetComplete();
    EXPECT_EQ(Monitor().exchanges, std::vector<std::string>{"r 0xDF"});
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ResetWaitTest, SlowResetIsReportedOnlyWhenRobust) {
    struct Case {
        int zeros;
        bool robust;
        std::vector<std::string> lines;
    };
    const std::string slow = "...FAIL: Reset took longer than 5sec to complete!!!";
    const std::string tooLong = "...WARNING: Waited too long for reset to complete!!!";
    const Case cases[] = {
        {0, true, {}},
        {5, true, {}},
        {6, false, {}},
        {6, true, {slow}},
        {9, true, {slow}},
        {10, false, {tooLong}},
        {10, true, {tooLong, slow}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.zeros << " zeros, robust " << c.robust);
        op::FullRangeTesting = c.robust;
        presenter_.ClearEvents();
        Monitor().exchanges.clear();
        clock_.Reset();
        ZerosThenAnswer(0x10, c.zeros);
        WaitForResetComplete();
        const int polls = std::min(c.zeros + 1, 10);
        EXPECT_EQ(CountReads(0x10), polls);
        EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>(static_cast<size_t>(polls), 1000));
        EXPECT_EQ(Lines(), c.lines);
    }
}

TEST_F(ResetWaitTest, ASilentMonitorCountsAsStillResetting) {
    op::FullRangeTesting = true;
    Script(0x10, std::vector<ScriptedRead>(6 * 3, kSilent));
    Monitor().controls[0x10] = {0, 100, 50};
    WaitForResetComplete();
    EXPECT_EQ(CountReads(0x10), 6 * 3 + 1);
    EXPECT_EQ(clock_.TotalSleptMs(), 6u * (64 + 128 + 192 + 1000) + 1000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"...FAIL: Reset took longer than 5sec to complete!!!"});
}

}  // namespace
}  // namespace kestrova::engine
