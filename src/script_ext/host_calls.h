// Finding the host's exports: afresh at every call, in the main executable, never cached, so a host
// may add or lack any of them.
#pragma once

#include "platform/dynamic_library.h"
#include "script_ext/host_exports.h"

namespace kestrova::script {

template <typename Fn>
Fn FindHostFunction(const char* name) {
    return platform::FindFunction<Fn>(platform::MainProgramModule(), name);
}

}  // namespace kestrova::script

// The host export `name` typed as declared in host_exports.h; null when the host lacks it.
#define KESTROVA_HOST_FUNCTION(name) ::kestrova::script::FindHostFunction<decltype(&::name)>(#name)
