// The test procedures are reached through one table keyed by the catalogue's test-procedure
// identifier, so the dispatcher knows none of them and tests can plug in doubles.
#pragma once

#include <cstdint>
#include <string>

namespace kestrova::engine {

// The result text of one code: HTML fragments, each ending in "<BR>", appended in order.
using ResultText = std::string;

// Tests one code, appends its findings to `result` and answers pass (true) or fail.
using TestProcedure = bool (*)(uint8_t code, ResultText& result);

// The procedure registered for an identifier, or null when none is.
TestProcedure FindTestProcedure(uint32_t identifier);
// Registers (or, with null, removes) the procedure of an identifier. Not for use during a run.
void SetTestProcedure(uint32_t identifier, TestProcedure procedure);

// Installs a procedure for the lifetime of a scope and puts the previous one back (tests).
class ScopedTestProcedure {
  public:
    ScopedTestProcedure(uint32_t identifier, TestProcedure procedure)
        : identifier_(identifier), previous_(FindTestProcedure(identifier)) {
        SetTestProcedure(identifier, procedure);
    }
    ~ScopedTestProcedure() { SetTestProcedure(identifier_, previous_); }
    ScopedTestProcedure(const ScopedTestProcedure&) = delete;
    ScopedTestProcedure& operator=(const ScopedTestProcedure&) = delete;

  private:
    uint32_t identifier_;
    TestProcedure previous_;
};

}  // namespace kestrova::engine
