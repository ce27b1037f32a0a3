// An in-process wrapper library for the bus tests: C functions over one scriptable state, bound
// into the WrapperTable through a fake module of names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bus/wrapper_table.h"

namespace kestrova::bus::testing {

struct FakeMonitor {
    std::map<uint32_t, std::string> edid;  // WrEDIDGetInfo code -> text
    std::string manufacturerOfCard;
    std::string caps;
    int32_t capsLengthOverride = -1;  // reported length when >= 0
    std::vector<uint32_t> discreteCodes;
    std::vector<uint32_t> continuousCodes;
    int32_t countedPastEnd = 0;  // added to both counts, with no entry behind them
};

struct FakeWrapperState {
    bool answerQueries = true;  // false: every query answers 0 and writes nothing
    uint32_t mask = 0;
    std::map<int32_t, FakeMonitor> monitors;  // by 1-based index
    std::string i2cSupport = "VMD bus";

    // Get range: how the newer operation answers.
    int32_t rangeResult = 1;
    std::vector<uint8_t> replyBytes = {0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x32, 0x00};
    std::vector<uint8_t> sentBytes = {0x6E, 0x51, 0x82, 0x01, 0x10, 0xAC};
    uint32_t minimum = 0, maximum = 100, current = 50;
    // Supported values: when > 0, the size in bytes the library reports, whatever the buffer.
    uint32_t supportedValuesClaim = 0;

    // What was called, in order ("WrSynLock", "WrDDCGetRangeRtn 16 wait=5", ...).
    std::vector<std::string> calls;
    int lockDenials = 0;  // WrSynLock answers 0 this many times first
    int locksHeld = 0;
    int maxLocksHeld = 0;
};

FakeWrapperState& Fake();
void ResetFake();

// A module holding every entry point the fake has; tests remove names to model older libraries.
FakeEntryPoints MakeFakeModule();

// Binds `module` into the WrapperTable and serves the optional look-ups from it too.
class BoundFake {
  public:
    explicit BoundFake(FakeEntryPoints module);
    ~BoundFake();
    BoundFake(const BoundFake&) = delete;
    BoundFake& operator=(const BoundFake&) = delete;
    FakeEntryPoints& Module() { return module_; }

  private:
    FakeEntryPoints module_;
};

// How many calls whose text starts with `prefix`.
int CountCalls(const std::string& prefix);

}  // namespace kestrova::bus::testing
