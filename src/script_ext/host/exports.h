// The host whose work lmscript's exports do.
#pragma once

#include "script_ext/host/script_host.h"

namespace kestrova::lmscript {

// Null uninstalls: the exports then answer their missing-host defaults.
void InstallHost(ScriptHost* scriptHost);

}  // namespace kestrova::lmscript
