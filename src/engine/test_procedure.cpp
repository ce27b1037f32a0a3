#include "engine/test_procedure.h"

#include <array>
#include <cassert>

#include "catalogue/vcp_tag.h"
#include "engine/continuous_control_test.h"
#include "engine/discrete_control_test.h"
#include "engine/manual_screen_test.h"

namespace kestrova::engine {

namespace {

// A handful of identifiers have procedures; a small flat table beats a map here.
struct Slot {
    uint32_t identifier = 0;
    TestProcedure procedure = nullptr;
};

constexpr size_t kSlotCount = 16;
// The built-in procedures stand in the table before any code runs, so no front can start a run that
// finds every code "not tested yet" for want of a registration.
constinit std::array<Slot, kSlotCount> slots = {{
    {catalogue::kProcedureContinuous, &ContinuousControlTest},
    {catalogue::kProcedureNonContinuous, &DiscreteControlTest},
    {catalogue::kProcedureScreenAction, &ManualScreenTest},
}};

}  // namespace

TestProcedure FindTestProcedure(uint32_t identifier) {
    for (const Slot& slot : slots) {
        if (slot.procedure != nullptr && slot.identifier == identifier) {
            return slot.procedure;
        }
    }
    return nullptr;
}

void SetTestProcedure(uint32_t identifier, TestProcedure procedure) {
    Slot* freeSlot = nullptr;
    for (Slot& slot : slots) {
        if (slot.procedure != nullptr && slot.identifier == identifier) {
            slot.procedure = procedure;
            return;
        }
        if (slot.procedure == nullptr && freeSlot == nullptr) {
            freeSlot = &slot;
        }
    }
    if (procedure == nullptr) {
        return;
    }
    assert(freeSlot != nullptr && "more procedure identifiers than slots");
    if (freeSlot != nullptr) {
        *freeSlot = Slot{identifier, procedure};
    }
}

}  // namespace kestrova::engine
