// The --help texts of the command-line front.
#pragma once

namespace kestrova::app::console {

extern const char kMainUsage[];
extern const char kVersionText[];  // "kestrova <version>", as help2man reads it
extern const char kMonitorsUsage[];
extern const char kCapsUsage[];
extern const char kGroupsUsage[];
extern const char kRunUsage[];
extern const char kProjectUsage[];

}  // namespace kestrova::app::console
