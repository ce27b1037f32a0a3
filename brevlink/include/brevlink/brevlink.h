// Brevlink, the I2C wrapper library: its C interface. Programs load the library by path and
// bind these names at run time; the function-pointer types below are what they bind to.
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#if defined(BREVLINK_BUILDING)
#define BREVLINK_API __declspec(dllexport)
#else
#define BREVLINK_API
#endif
#else
#define BREVLINK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define BREVLINK_ENTRY(ret, name, params) BREVLINK_API ret name params;
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY

// One pointer type per entry point, e.g. WrDDCGetRangeFn.
#define BREVLINK_ENTRY(ret, name, params) typedef ret(*name##Fn) params;
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY

// Test hook, not part of the Wr* set: drives and inspects the simulated monitor lab. See
// lab/README.md for the commands. Answers nonzero when the command was understood; the reply
// text is cut to *size like every other text.
BREVLINK_API int32_t BrevlinkLabCommand(const char* command, char* reply, uint32_t* size);
typedef int32_t (*BrevlinkLabCommandFn)(const char* command, char* reply, uint32_t* size);

#ifdef __cplusplus
}
#endif

// The number of Wr* entry points in entry_points.def.
#define BREVLINK_ENTRY_POINT_COUNT 126
