#include "brevlink/exports/library.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "brevlink/exports/environment.h"
#include "brevlink/sim/profile_json.h"

namespace brevlink {
namespace {

std::optional<std::string> ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

Library& Library::Instance() {
    // Never destroyed: an export called while the process exits must still find it.
    static Library* library = new Library();
    return *library;
}

void Library::SetDriverDirectory(std::string directory, std::string productKey) {
    driverDirectory_ = std::move(directory);
    productKey_ = std::move(productKey);
}

void Library::Report(const std::string& message) {
    std::fprintf(stderr, "Brevlink: %s\n", message.c_str());
    diagLog_.AddAlways(message);
}

void Library::LogWire(int32_t monitor, const char* direction, const uint8_t* bytes, size_t size) {
    if (!wireLog_.Enabled() || size == 0) {
        return;
    }
    // Every exchange of a run passes here while the log is on: the hex digits are written in place.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = "monitor " + std::to_string(monitor) + " " + direction;
    const size_t start = line.size();
    line.resize(start + size * 3);
    char* out = line.data() + start;
    for (size_t i = 0; i < size; ++i, out += 3) {
        out[0] = ' ';
        out[1] = kDigits[bytes[i] >> 4];
        out[2] = kDigits[bytes[i] & 0x0F];
    }
    wireLog_.Add(std::move(line));
}

std::unique_ptr<Backend> Library::OpenBackend(const BackendChoice& choice) {
    switch (choice.kind) {
        case BackendKind::kBuiltinLab:
            diagLog_.Add("back end: built-in simulated monitor (lab), from " + choice.origin);
            return MakeLabBackend(sim::BuiltinProfile());
        case BackendKind::kLabProfile: {
            sim::ProfileResult loaded = sim::LoadProfileFile(choice.profilePath);
            if (!loaded.profile) {
                for (const std::string& error : loaded.errors) {
                    Report(error);
                }
                Report("lab profile not loaded (" + choice.origin + "); no monitor is served");
                return nullptr;
            }
            diagLog_.Add("back end: lab profile " + choice.profilePath + ", from " + choice.origin);
            return MakeLabBackend(*loaded.profile);
        }
        case BackendKind::kI2cDev: {
            std::string error;
            std::unique_ptr<Backend> backend =
                MakeI2cDevBackend(error, [this](const std::string& problem) { Report(problem); });
            if (!backend) {
                Report(error + " (" + choice.origin + "); no monitor is served");
                return nullptr;
            }
            diagLog_.Add("back end: i2c-dev, from " + choice.origin);
            return backend;
        }
        case BackendKind::kMonitorConfig: {
            std::string error;
            std::unique_ptr<Backend> backend =
                MakeMonitorConfigBackend(error, [this](const std::string& problem) { diagLog_.Add(problem); });
            if (!backend) {
                Report(error + " (" + choice.origin + "); no monitor is served");
                return nullptr;
            }
            diagLog_.Add("back end: monitor-config (Windows Monitor Configuration API), from " + choice.origin);
            return backend;
        }
        case BackendKind::kNone:
            break;
    }
    Report(choice.error + "; no monitor is served");
    return nullptr;
}

bool Library::Enumerate() {
    enumerated_ = true;
    ChooseWaiter();
    sessions_.clear();
    backend_.reset();
    BackendInputs inputs;
    inputs.backendVariable = ReadEnvironment(kBackendVariable);
    inputs.profileVariable = ReadEnvironment(kLabProfileVariable);
    inputs.driverDirectory = driverDirectory_;
    backend_ = OpenBackend(SelectBackend(inputs, ReadTextFile));
    if (!backend_) {
        return false;
    }
    for (const MonitorLink& link : backend_->Monitors()) {
        if (link.transport != nullptr && link.position >= sim::kMinPosition && link.position <= sim::kMaxPosition) {
            sessions_[link.position] =
                std::make_unique<MonitorSession>(link.position, *link.transport, *waiter_, link.facts);
        }
    }
    return true;
}

void Library::ChooseWaiter() {
    if (ReadEnvironment("KESTROVA_VIRTUAL_CLOCK").value_or("") != "1") {
        waiter_ = &sleepWaiter_;
        return;
    }
    waiter_ = &virtualWaiter_;
    virtualWaiter_.SetOnWait(FindLabClockHook());
    static bool registered = false;
    if (!registered && ReadEnvironment("BREVLINK_BUS_TIME_LOG")) {
        registered = true;
        std::atexit([] {
            const Library& library = Instance();
            if (FILE* log = std::fopen(ReadEnvironment("BREVLINK_BUS_TIME_LOG")->c_str(), "a")) {
                std::fprintf(log, "bus waits %llu ms in %llu pauses\n",
                             static_cast<unsigned long long>(library.virtualWaiter_.TotalMs()),
                             static_cast<unsigned long long>(library.virtualWaiter_.Waits()));
                for (const auto& [ms, count] : library.virtualWaiter_.ByLength()) {
                    std::fprintf(log, "pauses of %u ms: %llu\n", ms, static_cast<unsigned long long>(count));
                }
                std::fclose(log);
            }
        });
    }
}

void Library::Release() {
    sessions_.clear();
    backend_.reset();
    enumerated_ = false;
}

void Library::EnsureEnumerated() {
    if (!enumerated_) {
        Enumerate();
    }
}

uint32_t Library::AttachMask() {
    EnsureEnumerated();
    uint32_t mask = 0;
    for (const auto& [position, session] : sessions_) {
        mask |= 1u << position;
    }
    return mask;
}

int32_t Library::MonitorCount() {
    EnsureEnumerated();
    return static_cast<int32_t>(sessions_.size());
}

MonitorSession* Library::Session(int32_t monitor) {
    EnsureEnumerated();
    const auto it = sessions_.find(monitor);
    return it == sessions_.end() ? nullptr : it->second.get();
}

sim::Lab* Library::Lab() {
    EnsureEnumerated();
    return backend_ ? backend_->LabOrNull() : nullptr;
}

}  // namespace brevlink
