// brevlink-record [--output FILE] [--name NAME]: every monitor the library finds, through whichever
// back end it is configured for (BREVLINK_BACKEND, BREVLINK_LAB_PROFILE, brevlink.conf), written
// as one lab profile (standard output without --output).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "brevlink/exports/environment.h"
#include "brevlink/exports/library.h"
#include "brevlink/record/record.h"

int main(int argc, char** argv) {
    std::string output;
    std::string name = "recorded";
    for (int i = 1; i < argc; ++i) {
        if ((std::strcmp(argv[i], "--output") == 0 || std::strcmp(argv[i], "--name") == 0) && i + 1 < argc) {
            (std::strcmp(argv[i], "--output") == 0 ? output : name) = argv[i + 1];
            ++i;
        } else {
            std::fputs("usage: brevlink-record [--output FILE] [--name NAME]\n", stderr);
            return 2;
        }
    }
    brevlink::Library& library = brevlink::Library::Instance();
    std::lock_guard<std::recursive_mutex> lock(library.Mutex());
    if (!library.Enumerate()) {
        return 2;  // the library said why
    }
    std::vector<brevlink::record::RecordedMonitor> monitors;
    for (int position = brevlink::sim::kMinPosition; position <= brevlink::sim::kMaxPosition; ++position) {
        brevlink::MonitorSession* session = library.Session(position);
        if (session == nullptr) {
            continue;
        }
        brevlink::record::MonitorReading reading;
        reading.position = position;
        reading.edid = session->EdidBytes();
        if (const brevlink::caps::Capabilities* caps = session->Capabilities()) {
            reading.capabilities = caps->raw;
        }
        reading.facts = session->Facts();
        monitors.push_back(
            brevlink::record::RecordMonitor(reading, [session](uint8_t code) { return session->GetVcp(code); }));
        std::fprintf(stderr, "brevlink-record: monitor %d: %zu codes read\n", position,
                     brevlink::caps::ParseCapabilities(reading.capabilities).vcp.size());
    }
    if (monitors.empty()) {
        std::fputs("brevlink-record: no monitor found\n", stderr);
        return 1;
    }
    const std::string backend = brevlink::ReadEnvironment("BREVLINK_BACKEND").value_or("the configured back end");
    const std::string text = brevlink::record::ProfileJson(name, "by brevlink-record through " + backend, monitors);
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::ofstream file(output, std::ios::binary);
    file << text;
    if (!file.flush()) {
        std::fprintf(stderr, "brevlink-record: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
