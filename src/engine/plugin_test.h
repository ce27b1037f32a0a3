// The manual plug-in tests of a Manual run (theft deterrence in group 3, PIP and zoning in group 5)
// are reached through one table keyed by group index, so the run driver knows none of them and
// tests can plug in doubles.
#pragma once

#include <cstdint>

namespace kestrova::engine {

// Runs one manual plug-in test; it writes its own table into the still open group table.
using PluginTest = void (*)();

// The test registered for a group, or null when none is (or the index is outside the groups). From
// the start, group 3 has TheftDeterrenceTest and group 5 PipZoningTest.
PluginTest FindPluginTest(int32_t groupIndex);
// Registers (or, with null, removes) the test of a group. Not for use during a run.
void SetPluginTest(int32_t groupIndex, PluginTest test);

// Installs a test for the lifetime of a scope and puts the previous one back (tests).
class ScopedPluginTest {
  public:
    ScopedPluginTest(int32_t groupIndex, PluginTest test)
        : groupIndex_(groupIndex), previous_(FindPluginTest(groupIndex)) {
        SetPluginTest(groupIndex, test);
    }
    ~ScopedPluginTest() { SetPluginTest(groupIndex_, previous_); }
    ScopedPluginTest(const ScopedPluginTest&) = delete;
    ScopedPluginTest& operator=(const ScopedPluginTest&) = delete;

  private:
    int32_t groupIndex_;
    PluginTest previous_;
};

}  // namespace kestrova::engine
