// The bound entry points of the wrapper library: one function pointer per Wr* name, in binding
// order, filled once at start-up and only read afterwards. A name the library lacks stays null.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "brevlink/brevlink.h"
#include "platform/dynamic_library.h"

namespace kestrova::bus {

struct WrapperTable {
#define BREVLINK_ENTRY(ret, name, params) name##Fn name = nullptr;
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
};

inline constexpr size_t kWrapperEntryPointCount = BREVLINK_ENTRY_POINT_COUNT;

// The process-wide table.
extern WrapperTable Wrapper;

// The names of the table, in binding order.
const std::array<const char*, kWrapperEntryPointCount>& WrapperEntryPointNames();

// Where entry points are looked up: a loaded library, or a fake module in tests.
class EntryPointSource {
  public:
    virtual ~EntryPointSource() = default;
    virtual void* Find(const char* name) = 0;
};

// A library loaded by the platform seam.
class LibraryEntryPoints final : public EntryPointSource {
  public:
    explicit LibraryEntryPoints(platform::ModuleHandle module) : module_(module) {}
    void* Find(const char* name) override { return platform::FindSymbol(module_, name); }

  private:
    platform::ModuleHandle module_;
};

// An in-process module of named functions, for tests: BindWrapper takes what it holds.
class FakeEntryPoints final : public EntryPointSource {
  public:
    template <typename Fn>
    void Add(const std::string& name, Fn function) {
        functions_[name] = reinterpret_cast<void*>(function);
    }
    void Remove(const std::string& name) { functions_.erase(name); }
    void* Find(const char* name) override;

  private:
    std::map<std::string, void*> functions_;
};

// Looks up every name of the table in binding order; a missing name leaves null, unreported.
void BindWrapper(EntryPointSource& module);
void BindWrapper(platform::ModuleHandle module);
// Empties the table (tests).
void UnbindWrapper();

// Whether the table holds an entry point of that name.
bool IsBound(std::string_view name);

// The names the tester calls that a library may not lack (the optional newer operations excepted).
// Empty when every one is bound.
std::string FirstMissingRequiredEntryPoint();

// The three newer operations are not taken from the table: they are looked up at each use in the
// already loaded library, found by its file name. Tests may put a fake module in its place.
void* FindOptionalEntryPoint(const char* name);
void SetOptionalEntryPointSource(EntryPointSource* source);  // null: the loaded library by file name

template <typename Fn>
Fn FindOptional(const char* name) {
    return reinterpret_cast<Fn>(FindOptionalEntryPoint(name));
}

}  // namespace kestrova::bus
