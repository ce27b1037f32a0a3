#include "engine/continuous_sweep.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/continuous_control_test.h"
#include "engine_fixture.h"

namespace kestrova::engine {
namespace {

using testing::Monitor;
using testing::ReadOutcome;
using testing::ScriptedRead;

std::vector<int32_t> Sweep(int32_t minimum, int32_t maximum, bool fullRange) {
    std::vector<int32_t> values;
    for (std::optional<int32_t> value = NextSweepValue(std::nullopt, minimum, maximum, fullRange);
         value && values.size() < 100; value = NextSweepValue(value, minimum, maximum, fullRange)) {
        values.push_back(*value);
    }
    return values;
}

TEST(NextSweepValue, StandardTestingVisitsMinimumHalfTheMaximumAndMaximumInOrder) {
    struct Case {
        int32_t minimum;
        int32_t maximum;
        std::vector<int32_t> values;
    };
    const Case cases[] = {
        {0, 100, {0, 50, 100}},
        {0, 1, {0, 1}},  // 0 is minimum and middle
        {0, 0, {0}},
        {0, 31, {0, 15, 31}},
        {10, 100, {10, 50, 100}},
        {60, 100, {60, 100}},  // the middle lies below the range
        {1, 24, {1, 12, 24}},
        {-10, 9, {-10, 4, 9}},
        {-9, -3, {-9, -3}},  // -3 / 2 truncates to -1, outside the range
        {10, 5, {}},
        {INT32_MAX - 1, INT32_MAX, {INT32_MAX - 1, INT32_MAX}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minimum) + ".." + std::to_string(c.maximum));
        EXPECT_EQ(Sweep(c.minimum, c.maximum, false), c.values);
    }
}

TEST(NextSweepValue, RobustTestingVisitsEveryValueAndEndsAtTheTopOfTheRange) {
    EXPECT_EQ(Sweep(0, 4, true), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Sweep(-2, 1, true), (std::vector<int32_t>{-2, -1, 0, 1}));
    EXPECT_EQ(Sweep(3, 2, true), std::vector<int32_t>{});
    EXPECT_EQ(Sweep(INT32_MAX - 1, INT32_MAX, true), (std::vector<int32_t>{INT32_MAX - 1, INT32_MAX}));
}

class ReadBackTest : public testing::EngineTest {};

TEST_F(ReadBackTest, ThreeReadsSixteenAndThirtyTwoMillisecondsApart) {
    const ScriptedRead seven{ReadOutcome::kAnswer, 0, 100, 7};
    const ScriptedRead six{ReadOutcome::kAnswer, 0, 100, 6};
    const ScriptedRead unsupported{ReadOutcome::kUnsupported};
    struct Case {
        const char* name;
        std::vector<ScriptedRead> reads;
        bool wantUnsupported;
        bool matched;
        int32_t value;
        bool unsupportedFlag;
        std::vector<uint32_t> sleeps;
    };
    const Case cases[] = {
        {"first read", {seven}, true, true, 7, false, {}},
        {"third read", {six, six, seven}, true, true, 7, false, {16, 32}},
        {"never", {six, six, six}, true, false, 6, false, {16, 32}},
        {"unsupported, then the value", {unsupported, seven}, true, true, 7, true, {16}},
        {"unsupported not asked for", {unsupported, six, six}, false, false, 6, false, {16, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock_.Reset();
        Monitor().script[0x10] = std::deque<ScriptedRead>(c.reads.begin(), c.reads.end());
        const ReadBackResult result = ReadBack(0x10, 7, c.wantUnsupported);
        EXPECT_EQ(result.matched, c.matched);
        EXPECT_EQ(result.value, c.value);
        EXPECT_EQ(result.unsupported, c.unsupportedFlag);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_TRUE(Monitor().script[0x10].empty());
    }
}

TEST_F(ReadBackTest, ARangeEndingBelowItsStartIsOnlyWrittenBack) {
    op::TestMode = op::kAutomaticMode;
    Monitor().controls[0x10] = {10, 5, 7};
    ResultText result;
    EXPECT_TRUE(ContinuousControlTest(0x10, result));
    EXPECT_EQ(result, "Initial, min=10 max=5 cur=7<BR>Tested min and max values, r/w.<BR>");
    EXPECT_EQ(Monitor().exchanges, (std::vector<std::string>{"r 0x10", "w 0x10 7"}));
    EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{64});
}

TEST_F(ReadBackTest, AValueTheMonitorCallsUnsupportedSaysSo) {
    op::TestMode = op::kAutomaticMode;
    Monitor().controls[0x10] = {0, 100, 75};
    const ScriptedRead unsupported{ReadOutcome::kUnsupported};
    Monitor().script[0x10] = {{ReadOutcome::kAnswer, 0, 100, 75}, unsupported, unsupported, unsupported};
    ResultText result;
    EXPECT_FALSE(ContinuousControlTest(0x10, result));
    EXPECT_EQ(result,
              "Initial, min=0 max=100 cur=75<BR>...FAILED, could not read after set to 0 <BR>"
              "...Monitor says '0x10 Brightness/Luminance' is Unsupported<BR>");
    EXPECT_EQ(Monitor().controls[0x10].current, 75u);
}

}  // namespace
}  // namespace kestrova::engine
