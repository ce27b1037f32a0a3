#include "platform/shell_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace kestrova::platform {
namespace {

#ifdef _WIN32

TEST(SystemShellFolders, AnswerTheProgramFolders) {
    const std::optional<std::string> common = SystemShellFolders().CommonProgramFiles();
    const std::optional<std::string> programs = SystemShellFolders().ProgramFiles();
    ASSERT_TRUE(common.has_value());
    ASSERT_TRUE(programs.has_value());
    EXPECT_NE(common->find(":\\"), std::string::npos) << *common;
    EXPECT_NE(programs->find(":\\"), std::string::npos) << *programs;
    // Common files live inside the program files folder on every Windows.
    EXPECT_EQ(common->rfind(*programs, 0), 0u) << *common << " / " << *programs;
}

#else

TEST(SystemShellFolders, EnvironmentFirstThenInstallLocations) {
    struct Case {
        const char* value;  // null: the variable is unset
        const char* commonAnswer;
        const char* programsAnswer;
    };
    const Case cases[] = {
        {"/srv/velmora", "/srv/velmora", "/srv/velmora"},
        {"", "", ""},
        {nullptr, KESTROVA_COMMON_FILES_DEFAULT, "/opt"},  // /usr/local/lib unless a package build says /usr/lib
    };
    const char* const savedCommon = std::getenv("CommonProgramFiles");
    const char* const savedPrograms = std::getenv("ProgramFiles");
    const std::string common = savedCommon ? savedCommon : "";
    const std::string programs = savedPrograms ? savedPrograms : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(unset)");
        if (c.value != nullptr) {
            setenv("CommonProgramFiles", c.value, 1);
            setenv("ProgramFiles", c.value, 1);
        } else {
            unsetenv("CommonProgramFiles");
            unsetenv("ProgramFiles");
        }
        EXPECT_EQ(SystemShellFolders().CommonProgramFiles(), std::optional<std::string>(c.commonAnswer));
        EXPECT_EQ(SystemShellFolders().ProgramFiles(), std::optional<std::string>(c.programsAnswer));
    }
    savedCommon ? setenv("CommonProgramFiles", common.c_str(), 1) : unsetenv("CommonProgramFiles");
    savedPrograms ? setenv("ProgramFiles", programs.c_str(), 1) : unsetenv("ProgramFiles");
}

#endif

}  // namespace
}  // namespace kestrova::platform
