// The built library exports exactly the 126 Wr* names (plus the lab hook), undecorated: read
// from the ELF dynamic symbol table on Linux, from the loaded image's PE export directory on
// Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <elf.h>

#include <cstring>
#endif

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

const char* const kExpected[] = {
#define BREVLINK_ENTRY(ret, name, params) #name,
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
};
static_assert(std::size(kExpected) == BREVLINK_ENTRY_POINT_COUNT);

#if defined(_WIN32)
std::vector<std::string> ExportedNames() {
    std::vector<std::string> names;
    const auto* base = static_cast<const uint8_t*>(LoadedLibrary::Get().Handle());
    if (base == nullptr) {
        return names;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.VirtualAddress == 0) {
        return names;
    }
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    }
    return names;
}
#else
std::vector<std::string> ExportedNames() {
    std::vector<std::string> names;
    std::ifstream file(LibraryPath(), std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (image.size() < sizeof(Elf64_Ehdr)) {
        return names;
    }
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof(header));
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
        return names;
    }
    auto section = [&](size_t index) {
        Elf64_Shdr s;
        std::memcpy(&s, image.data() + header.e_shoff + index * header.e_shentsize, sizeof(s));
        return s;
    };
    for (size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM) {
            continue;
        }
        const Elf64_Shdr strings = section(symbols.sh_link);
        for (size_t offset = 0; offset + sizeof(Elf64_Sym) <= symbols.sh_size; offset += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + symbols.sh_offset + offset, sizeof(symbol));
            const int binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) {
                continue;
            }
            names.emplace_back(image.data() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}
#endif

TEST(ExportTable, HoldsExactlyTheWrNamesAndTheLabHook) {
    const std::vector<std::string> exported = ExportedNames();
    ASSERT_FALSE(exported.empty()) << LibraryPath();
    const std::set<std::string> expected(std::begin(kExpected), std::end(kExpected));
    std::set<std::string> wrNames;
    for (const std::string& name : exported) {
        if (name.rfind("Wr", 0) == 0) {
            wrNames.insert(name);
        }
    }
    for (const std::string& name : expected) {
        EXPECT_TRUE(wrNames.count(name)) << "missing export " << name;
    }
    for (const std::string& name : wrNames) {
        EXPECT_TRUE(expected.count(name)) << "export not in the list " << name;
    }
    EXPECT_EQ(wrNames.size(), 126u);
    EXPECT_NE(std::find(exported.begin(), exported.end(), "BrevlinkLabCommand"), exported.end());
}

TEST(ExportTable, EveryNameBindsAtRunTime) {
    ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
    for (const char* name : kExpected) {
        EXPECT_NE(LoadedLibrary::Get().Symbol(name), nullptr) << name;
    }
}

}  // namespace
}  // namespace brevlink::testing
