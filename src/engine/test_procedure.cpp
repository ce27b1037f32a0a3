#include "engine/test_procedure.h"

#include <array>
#include <cassert>

namespace kestrova::engine {

namespace {

// A handful of identifiers have procedures; a small flat table beats a map here.
struct Slot {
    uint32_t identifier = 0;
    TestProcedure procedure = nullptr;
};

constexpr size_t kSlotCount = 16;
std::array<Slot, kSlotCount> slots;

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
