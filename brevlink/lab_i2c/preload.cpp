// LD_PRELOAD library: the C library's file calls on the lab's /dev/i2c-N paths go to the lab
// (lab_i2c_server.h); every other path and descriptor passes through untouched. The paths also
// show in stat() and in directory scans of /dev, so programs that look before they open find them.
// glibc has several names for most calls (open64, __open_2, __xstat, ...); each is covered.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/lab_i2c/lab_i2c_server.h"

namespace {

using brevlink::labi2c::LabI2cServer;

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

thread_local int insideSetup = 0;  // the setup's own file calls pass through

LabI2cServer* Server() {
    static std::once_flag once;
    static LabI2cServer* server = nullptr;
    if (insideSetup > 0) {
        return nullptr;
    }
    std::call_once(once, [] {
        ++insideSetup;
        std::string problem;
        server = brevlink::labi2c::ServerFromEnvironment(problem);
        if (!problem.empty()) {
            std::fprintf(stderr, "brevlink-lab-i2c: %s\n", problem.c_str());
        }
        if (server != nullptr && std::getenv("BREVLINK_LAB_I2C_LOG") != nullptr) {
            std::atexit([] {
                if (FILE* log = std::fopen(std::getenv("BREVLINK_LAB_I2C_LOG"), "a")) {
                    const std::string text = server->WritesLog();
                    std::fwrite(text.data(), 1, text.size(), log);
                    std::fclose(log);
                }
            });
        }
        --insideSetup;
    });
    return server;
}

bool IsDevDirectory(const char* path) {
    return path != nullptr && (std::strcmp(path, "/dev") == 0 || std::strcmp(path, "/dev/") == 0);
}

void FillStat(int bus, struct stat* out) {
    std::memset(out, 0, sizeof *out);
    out->st_mode = S_IFCHR | 0660;
    out->st_nlink = 1;
    out->st_rdev = makedev(brevlink::labi2c::kI2cMajor, static_cast<unsigned>(bus));
    out->st_dev = makedev(0, 5);
    out->st_ino = 0x6C6100 + static_cast<ino_t>(bus);
    out->st_blksize = 4096;
}

// A lab path opened: a descriptor of /dev/null keeps the number unique and survives dup-free use.
int OpenLab(int bus, int flags) {
    using OpenFn = int (*)(const char*, int, ...);
    static const auto realOpen = Next<OpenFn>("open");
    const int fd = realOpen("/dev/null", O_RDWR | (flags & O_CLOEXEC));
    if (fd >= 0) {
        Server()->Attach(fd, bus);
    }
    return fd;
}

int LabBus(const char* path) {
    LabI2cServer* server = Server();
    if (server == nullptr) {
        return -1;
    }
    const std::optional<int> bus = server->BusOfPath(path);
    return bus ? *bus : -1;
}

bool Served(int fd) {
    LabI2cServer* server = Server();
    return server != nullptr && server->IsServed(fd);
}

// The extra /dev entries a scan hands out after the real ones.
struct DirScan {
    std::vector<std::string> extra;
    size_t next = 0;
    dirent entry{};
};
std::mutex scansMutex;
std::map<DIR*, DirScan> scans;

constexpr char kSysDevices[] = "/sys/bus/i2c/devices";

bool IsSysDevicesDirectory(const char* path) {
    return path != nullptr && (std::strcmp(path, kSysDevices) == 0 || std::strcmp(path, "/sys/bus/i2c/devices/") == 0);
}

// "/sys/bus/i2c/devices/i2c-201" of a lab bus.
bool IsSysBusDirectory(LabI2cServer& server, const char* path) {
    if (std::strncmp(path, kSysDevices, sizeof kSysDevices - 1) != 0) {
        return false;
    }
    const std::string rest(path + sizeof kSysDevices - 1);
    for (const std::string& name : server.DeviceNames()) {
        if (rest == "/" + name || rest == "/" + name + "/") {
            return true;
        }
    }
    return false;
}

// What sysfs would say of a lab bus: its adapter's name.
std::optional<std::string> SysText(const char* path) {
    LabI2cServer* server = path != nullptr ? Server() : nullptr;
    if (server == nullptr || std::strncmp(path, kSysDevices, sizeof kSysDevices - 1) != 0) {
        return std::nullopt;
    }
    const std::string rest(path + sizeof kSysDevices - 1);
    for (const std::string& name : server->DeviceNames()) {
        if (rest == "/" + name + "/name") {
            return std::string("Brevlink lab monitor bus\n");
        }
        if (rest == "/" + name + "/device/class") {
            return std::string("0x030000\n");  // a display controller's bus
        }
    }
    return std::nullopt;
}

int MemoryFile(const std::string& text) {
    const int fd = memfd_create("brevlink-lab-sys", MFD_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    static const auto realWrite = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (realWrite(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        static const auto realClose = Next<int (*)(int)>("close");
        realClose(fd);
        return -1;
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

// A directory that does not exist on this machine (no i2c adapters at all) but holds lab buses:
// a stand-in handle that only readdir and closedir know.
struct FakeDir {
    char tag[8] = "lab-dir";
};
std::map<DIR*, FakeDir*> fakeDirs;

mode_t ModeOf(va_list& args, int flags) {
    // As the C library decides whether a mode argument was passed.
    const bool needsMode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return needsMode ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

// Found by the library (dlsym) when it runs inside a program served by this preload: its virtual
// bus waits move the lab's clock on, so a monitor that needs time before its reply gets it.
__attribute__((visibility("default"))) void brevlink_lab_i2c_advance_ms(uint32_t ms) {
    brevlink::labi2c::AdvanceLabClock(ms);
}

__attribute__((visibility("default"))) int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(args, flags);
    va_end(args);
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    if (const std::optional<std::string> text = SysText(path)) {
        return MemoryFile(*text);
    }
    static const auto real = Next<int (*)(const char*, int, ...)>("open");
    return real(path, flags, mode);
}

__attribute__((visibility("default"))) int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(args, flags);
    va_end(args);
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    if (const std::optional<std::string> text = SysText(path)) {
        return MemoryFile(*text);
    }
    static const auto real = Next<int (*)(const char*, int, ...)>("open64");
    return real(path, flags, mode);
}

__attribute__((visibility("default"))) int __open_2(const char* path, int flags) {
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    if (const std::optional<std::string> text = SysText(path)) {
        return MemoryFile(*text);
    }
    static const auto real = Next<int (*)(const char*, int)>("__open_2");
    return real(path, flags);
}

__attribute__((visibility("default"))) int __open64_2(const char* path, int flags) {
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    static const auto real = Next<int (*)(const char*, int)>("__open64_2");
    return real(path, flags);
}

__attribute__((visibility("default"))) int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(args, flags);
    va_end(args);
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    static const auto real = Next<int (*)(int, const char*, int, ...)>("openat");
    return real(dirfd, path, flags, mode);
}

__attribute__((visibility("default"))) int openat64(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(args, flags);
    va_end(args);
    if (const int bus = LabBus(path); bus >= 0) {
        return OpenLab(bus, flags);
    }
    static const auto real = Next<int (*)(int, const char*, int, ...)>("openat64");
    return real(dirfd, path, flags, mode);
}

__attribute__((visibility("default"))) int close(int fd) {
    if (Served(fd)) {
        Server()->Detach(fd);
    }
    static const auto real = Next<int (*)(int)>("close");
    return real(fd);
}

__attribute__((visibility("default"))) ssize_t read(int fd, void* data, size_t size) {
    if (Served(fd)) {
        int error = 0;
        const ssize_t done = Server()->Read(fd, data, size, error);
        if (done < 0) {
            errno = error;
        }
        return done;
    }
    static const auto real = Next<ssize_t (*)(int, void*, size_t)>("read");
    return real(fd, data, size);
}

__attribute__((visibility("default"))) ssize_t write(int fd, const void* data, size_t size) {
    if (Served(fd)) {
        int error = 0;
        const ssize_t done = Server()->Write(fd, data, size, error);
        if (done < 0) {
            errno = error;
        }
        return done;
    }
    static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    return real(fd, data, size);
}

__attribute__((visibility("default"))) int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);
    if (Served(fd)) {
        int error = 0;
        const int result = Server()->Ioctl(fd, request, argument, error);
        if (result < 0) {
            errno = error;
        }
        return result;
    }
    static const auto real = Next<int (*)(int, unsigned long, ...)>("ioctl");
    return real(fd, request, argument);
}

__attribute__((visibility("default"))) FILE* fopen(const char* path, const char* mode) {
    if (const std::optional<std::string> text = SysText(path)) {
        const int fd = MemoryFile(*text);
        return fd < 0 ? nullptr : fdopen(fd, "r");
    }
    static const auto real = Next<FILE* (*)(const char*, const char*)>("fopen");
    return real(path, mode);
}

__attribute__((visibility("default"))) FILE* fopen64(const char* path, const char* mode) {
    return fopen(path, mode);
}

// --- stat and its glibc names ----------------------------------------------------------------

__attribute__((visibility("default"))) int stat(const char* path, struct stat* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, out);
        return 0;
    }
    static const auto real = Next<int (*)(const char*, struct stat*)>("stat");
    return real(path, out);
}

__attribute__((visibility("default"))) int stat64(const char* path, struct stat64* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(const char*, struct stat64*)>("stat64");
    return real(path, out);
}

__attribute__((visibility("default"))) int lstat(const char* path, struct stat* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, out);
        return 0;
    }
    static const auto real = Next<int (*)(const char*, struct stat*)>("lstat");
    return real(path, out);
}

__attribute__((visibility("default"))) int lstat64(const char* path, struct stat64* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(const char*, struct stat64*)>("lstat64");
    return real(path, out);
}

__attribute__((visibility("default"))) int fstat(int fd, struct stat* out) {
    if (Served(fd)) {
        FillStat(Server()->BusOf(fd), out);
        return 0;
    }
    static const auto real = Next<int (*)(int, struct stat*)>("fstat");
    return real(fd, out);
}

__attribute__((visibility("default"))) int fstat64(int fd, struct stat64* out) {
    if (Served(fd)) {
        FillStat(Server()->BusOf(fd), reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(int, struct stat64*)>("fstat64");
    return real(fd, out);
}

__attribute__((visibility("default"))) int fstatat(int dirfd, const char* path, struct stat* out, int flags) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, out);
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat*, int)>("fstatat");
    return real(dirfd, path, out, flags);
}

__attribute__((visibility("default"))) int fstatat64(int dirfd, const char* path, struct stat64* out, int flags) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat64*, int)>("fstatat64");
    return real(dirfd, path, out, flags);
}

// Programs built against glibc before 2.33 call these.
__attribute__((visibility("default"))) int __xstat(int version, const char* path, struct stat* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, out);
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat*)>("__xstat");
    return real(version, path, out);
}

__attribute__((visibility("default"))) int __xstat64(int version, const char* path, struct stat64* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat64*)>("__xstat64");
    return real(version, path, out);
}

__attribute__((visibility("default"))) int __lxstat(int version, const char* path, struct stat* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, out);
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat*)>("__lxstat");
    return real(version, path, out);
}

__attribute__((visibility("default"))) int __lxstat64(int version, const char* path, struct stat64* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        FillStat(bus, reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, struct stat64*)>("__lxstat64");
    return real(version, path, out);
}

__attribute__((visibility("default"))) int __fxstat(int version, int fd, struct stat* out) {
    if (Served(fd)) {
        FillStat(Server()->BusOf(fd), out);
        return 0;
    }
    static const auto real = Next<int (*)(int, int, struct stat*)>("__fxstat");
    return real(version, fd, out);
}

__attribute__((visibility("default"))) int __fxstat64(int version, int fd, struct stat64* out) {
    if (Served(fd)) {
        FillStat(Server()->BusOf(fd), reinterpret_cast<struct stat*>(out));
        return 0;
    }
    static const auto real = Next<int (*)(int, int, struct stat64*)>("__fxstat64");
    return real(version, fd, out);
}

__attribute__((visibility("default"))) int statx(int dirfd,
                                                 const char* path,
                                                 int flags,
                                                 unsigned int mask,
                                                 struct statx* out) {
    if (const int bus = LabBus(path); bus >= 0) {
        std::memset(out, 0, sizeof *out);
        out->stx_mask = STATX_BASIC_STATS;
        out->stx_mode = S_IFCHR | 0660;
        out->stx_nlink = 1;
        out->stx_ino = 0x6C6100 + static_cast<uint64_t>(bus);
        out->stx_blksize = 4096;
        out->stx_rdev_major = brevlink::labi2c::kI2cMajor;
        out->stx_rdev_minor = static_cast<uint32_t>(bus);
        out->stx_dev_minor = 5;
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, int, unsigned int, struct statx*)>("statx");
    return real(dirfd, path, flags, mask, out);
}

__attribute__((visibility("default"))) int access(const char* path, int mode) {
    if (LabBus(path) >= 0) {
        return 0;
    }
    static const auto real = Next<int (*)(const char*, int)>("access");
    return real(path, mode);
}

__attribute__((visibility("default"))) int faccessat(int dirfd, const char* path, int mode, int flags) {
    if (LabBus(path) >= 0) {
        return 0;
    }
    static const auto real = Next<int (*)(int, const char*, int, int)>("faccessat");
    return real(dirfd, path, mode, flags);
}

__attribute__((visibility("default"))) char* realpath(const char* path, char* resolved) {
    if (LabBus(path) >= 0) {
        if (resolved == nullptr) {
            return strdup(path);
        }
        std::snprintf(resolved, PATH_MAX, "%s", path);
        return resolved;
    }
    static const auto real = Next<char* (*)(const char*, char*)>("realpath");
    return real(path, resolved);
}

// --- directory scans of /dev ------------------------------------------------------------------

__attribute__((visibility("default"))) DIR* opendir(const char* path) {
    static const auto real = Next<DIR* (*)(const char*)>("opendir");
    DIR* dir = real(path);
    LabI2cServer* server = (dir == nullptr || IsDevDirectory(path)) ? Server() : nullptr;
    if (server == nullptr) {
        return dir;
    }
    const bool sys = IsSysDevicesDirectory(path);
    const bool bus = !sys && IsSysBusDirectory(*server, path);
    std::lock_guard<std::mutex> lock(scansMutex);
    if (dir == nullptr && (sys || bus)) {
        auto* fake = new FakeDir;
        dir = reinterpret_cast<DIR*>(fake);
        fakeDirs[dir] = fake;
    }
    if (dir != nullptr && bus) {
        scans[dir].extra = {"name"};
    } else if (dir != nullptr) {
        scans[dir].extra = server->DeviceNames();
    }
    return dir;
}

__attribute__((visibility("default"))) struct dirent* readdir(DIR* dir) {
    static const auto real = Next<struct dirent* (*)(DIR*)>("readdir");
    {
        std::lock_guard<std::mutex> lock(scansMutex);
        if (fakeDirs.count(dir) == 0) {
            if (struct dirent* entry = real(dir)) {
                return entry;
            }
        }
    }
    std::lock_guard<std::mutex> lock(scansMutex);
    const auto it = scans.find(dir);
    if (it == scans.end() || it->second.next >= it->second.extra.size()) {
        return nullptr;
    }
    DirScan& scan = it->second;
    scan.entry = dirent{};
    scan.entry.d_ino = 0x6C6100 + scan.next;
    scan.entry.d_type = DT_CHR;
    scan.entry.d_reclen = sizeof(dirent);
    std::snprintf(scan.entry.d_name, sizeof scan.entry.d_name, "%s", scan.extra[scan.next].c_str());
    scan.next++;
    return &scan.entry;
}

// dirent and dirent64 are the same structure on 64-bit Linux.
__attribute__((visibility("default"))) struct dirent64* readdir64(DIR* dir) {
    return reinterpret_cast<struct dirent64*>(readdir(dir));
}

__attribute__((visibility("default"))) int closedir(DIR* dir) {
    {
        std::lock_guard<std::mutex> lock(scansMutex);
        scans.erase(dir);
        if (const auto fake = fakeDirs.find(dir); fake != fakeDirs.end()) {
            delete fake->second;
            fakeDirs.erase(fake);
            return 0;
        }
    }
    static const auto real = Next<int (*)(DIR*)>("closedir");
    return real(dir);
}

__attribute__((visibility("default"))) int scandir(const char* path,
                                                   struct dirent*** names,
                                                   int (*filter)(const struct dirent*),
                                                   int (*compare)(const struct dirent**, const struct dirent**)) {
    static const auto real = Next<int (*)(const char*, struct dirent***, int (*)(const struct dirent*),
                                          int (*)(const struct dirent**, const struct dirent**))>("scandir");
    const int count = real(path, names, filter, compare);
    LabI2cServer* server = IsDevDirectory(path) && count >= 0 ? Server() : nullptr;
    if (server == nullptr) {
        return count;
    }
    std::vector<struct dirent*> all(*names, *names + count);
    for (const std::string& name : server->DeviceNames()) {
        auto* entry = static_cast<struct dirent*>(std::calloc(1, sizeof(struct dirent)));
        if (entry == nullptr) {
            break;
        }
        entry->d_type = DT_CHR;
        entry->d_reclen = sizeof(struct dirent);
        std::snprintf(entry->d_name, sizeof entry->d_name, "%s", name.c_str());
        if (filter != nullptr && filter(entry) == 0) {
            std::free(entry);
            continue;
        }
        all.push_back(entry);
    }
    if (compare != nullptr) {
        std::sort(all.begin(), all.end(),
                  [compare](const struct dirent* a, const struct dirent* b) { return compare(&a, &b) < 0; });
    }
    auto* list = static_cast<struct dirent**>(std::malloc(sizeof(struct dirent*) * (all.size() + 1)));
    if (list == nullptr) {
        return count;
    }
    std::copy(all.begin(), all.end(), list);
    std::free(*names);
    *names = list;
    return static_cast<int>(all.size());
}

}  // extern "C"
