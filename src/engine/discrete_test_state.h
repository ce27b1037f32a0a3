// What one run of the discrete-control procedure carries from its first read into the handler of
// the code, and the bus steps the handlers share. Nothing here survives the call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/vcp_catalogue.h"
#include "engine/test_procedure.h"

namespace kestrova::engine {

struct DiscreteTest {
    uint8_t code = 0;
    ResultText& result;
    bool pass = true;
    // From the first read, as the monitor reported them.
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t initial = 0;

    const catalogue::VcpEntry& Entry() const { return catalogue::Catalogue()[code]; }
    const char* Name() const { return Entry().name.CStr(); }
};

// A handler of one code, run after the first read succeeded.
using DiscreteHandler = void (*)(DiscreteTest& test);

// One read without the unsupported flag. `value` is what the read reported: 0 when it gave none,
// so a handler that does not check success compares a defined value.
bool ReadValue(uint8_t code, int32_t& value);
// Reads and hands back the reported value only (success not checked).
int32_t ReadReported(uint8_t code);

// Writes and lets the monitor settle.
void WriteAndWait(uint8_t code, int32_t value, uint32_t settleMs);

// The discrete values the capabilities list for `code`, in their order (zeros included), at most
// 40. False when the query failed.
bool QuerySupportedValues(uint8_t code, std::vector<int32_t>& values);

// A Yes/No box without icon; true for Yes.
bool AskYesNo(const std::string& caption, const std::string& text);

// Both in the log list and in the result text.
void LogAndAppend(DiscreteTest& test, const char* line);

}  // namespace kestrova::engine
