// The exit statuses every command of the command-line front answers.
#pragma once

namespace kestrova::app::console {

// Every row passed, or a command other than run did what it was asked.
inline constexpr int kExitPassed = 0;
// The run ended and at least one VCP or plug-in row failed.
inline constexpr int kExitRowFailed = 1;
// Usage or setup errors: bad flags, no wrapper library, no monitor, a bad project or answers file.
inline constexpr int kExitSetupError = 2;

}  // namespace kestrova::app::console
