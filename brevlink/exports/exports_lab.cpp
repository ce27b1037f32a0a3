// BrevlinkLabCommand: the test hook into the simulated monitors.
#include "brevlink/brevlink.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"
#include "brevlink/sim/lab_command.h"

using brevlink::Call;
using brevlink::Library;

extern "C" {

int32_t BrevlinkLabCommand(const char* command, char* reply, uint32_t* size) {
    return Call([&](Library& library) {
        brevlink::sim::Lab* lab = library.Lab();
        std::string answer;
        bool ok = false;
        if (command == nullptr) {
            answer = "no command";
        } else if (lab == nullptr) {
            answer = "no lab: the library is not serving simulated monitors";
        } else {
            ok = brevlink::sim::RunLabCommand(*lab, command, answer);
        }
        if (reply != nullptr && size != nullptr) {
            brevlink::PutText(answer, reply, size);
        }
        return ok ? 1 : 0;
    });
}

}  // extern "C"

// Every Wr* name of the list is defined exactly once across the export files: declaring them
// all here with the list's own types makes a mismatch a compile error.
#define BREVLINK_ENTRY(ret, name, params) [[maybe_unused]] static constexpr ret(*const k##name) params = &name;
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY

#define BREVLINK_ENTRY(ret, name, params) +1
static_assert(0
#include "brevlink/entry_points.def"
                  == BREVLINK_ENTRY_POINT_COUNT,
              "entry_points.def must list every Wr* export");
#undef BREVLINK_ENTRY
