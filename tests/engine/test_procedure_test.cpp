#include "engine/test_procedure.h"

#include <gtest/gtest.h>

#include "catalogue/vcp_tag.h"
#include "engine/continuous_control_test.h"
#include "engine/discrete_control_test.h"
#include "engine/manual_screen_test.h"

namespace kestrova::engine {
namespace {

// First in the file: nothing has touched the table yet, as when a front starts its first run.
TEST(TestProcedureTableTest, TheBuiltInProceduresStandInTheTableFromTheStart) {
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureContinuous), &ContinuousControlTest);
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureNonContinuous), &DiscreteControlTest);
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureScreenAction), &ManualScreenTest);
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureManufacturer), nullptr);
    EXPECT_EQ(FindTestProcedure(catalogue::kProcedureTable), nullptr);
}

bool Passes(uint8_t, ResultText& result) {
    result += "pass<BR>";
    return true;
}
bool Fails(uint8_t, ResultText&) {
    return false;
}

TEST(TestProcedureTableTest, RegistersReplacesAndRemovesByIdentifier) {
    EXPECT_EQ(FindTestProcedure(424242), nullptr);
    SetTestProcedure(424242, &Passes);
    SetTestProcedure(424243, &Fails);
    EXPECT_EQ(FindTestProcedure(424242), &Passes);
    EXPECT_EQ(FindTestProcedure(424243), &Fails);

    SetTestProcedure(424242, &Fails);
    EXPECT_EQ(FindTestProcedure(424242), &Fails);

    SetTestProcedure(424242, nullptr);
    SetTestProcedure(424243, nullptr);
    EXPECT_EQ(FindTestProcedure(424242), nullptr);
    EXPECT_EQ(FindTestProcedure(424243), nullptr);
}

TEST(TestProcedureTableTest, RemovedSlotsAreReused) {
    // Many more registrations than the table holds at once, never more than two alive.
    for (uint32_t identifier = 1; identifier <= 100; ++identifier) {
        SetTestProcedure(identifier, &Passes);
        EXPECT_EQ(FindTestProcedure(identifier), &Passes);
        SetTestProcedure(identifier, nullptr);
    }
    EXPECT_EQ(FindTestProcedure(100), nullptr);
}

TEST(TestProcedureTableTest, ScopedProcedurePutsThePreviousOneBack) {
    SetTestProcedure(5, &Passes);
    {
        ScopedTestProcedure scoped(5, &Fails);
        EXPECT_EQ(FindTestProcedure(5), &Fails);
        ScopedTestProcedure nested(6, &Passes);
        EXPECT_EQ(FindTestProcedure(6), &Passes);
    }
    EXPECT_EQ(FindTestProcedure(5), &Passes);
    EXPECT_EQ(FindTestProcedure(6), nullptr);
    SetTestProcedure(5, nullptr);
}

}  // namespace
}  // namespace kestrova::engine
