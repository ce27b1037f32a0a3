#include "brevlink/exports/backend_config.h"

#include <gtest/gtest.h>

#include <map>

namespace brevlink {
namespace {

struct Files {
    std::map<std::string, std::string> contents;
    std::vector<std::string> asked;

    FileReader Reader() {
        return [this](const std::string& path) -> std::optional<std::string> {
            asked.push_back(path);
            const auto it = contents.find(path);
            return it == contents.end() ? std::nullopt : std::optional<std::string>(it->second);
        };
    }
};

TEST(SelectBackend, PrecedenceAndVocabulary) {
    struct Case {
        const char* what;
        std::optional<std::string> backend;
        std::optional<std::string> profile;
        std::optional<std::string> config;
        BackendKind kind;
        std::string profilePath;
        std::string origin;
    };
    const Case cases[] = {
        {"nothing", std::nullopt, std::nullopt, std::nullopt, BackendKind::kBuiltinLab, "", "built-in"},
        {"empty variables are unset", "  ", "", std::nullopt, BackendKind::kBuiltinLab, "", "built-in"},
        {"lab", "lab", std::nullopt, std::nullopt, BackendKind::kBuiltinLab, "", "BREVLINK_BACKEND"},
        {"lab with profile", "lab:/p/x.json", std::nullopt, std::nullopt, BackendKind::kLabProfile, "/p/x.json",
         "BREVLINK_BACKEND"},
        {"lab and profile variable", "lab", "/p/y.json", std::nullopt, BackendKind::kLabProfile, "/p/y.json",
         "BREVLINK_BACKEND"},
        {"backend variable wins over profile variable", "lab:/p/x.json", "/p/y.json", std::nullopt,
         BackendKind::kLabProfile, "/p/x.json", "BREVLINK_BACKEND"},
        {"i2c-dev", " i2c-dev ", std::nullopt, "backend = lab", BackendKind::kI2cDev, "", "BREVLINK_BACKEND"},
        {"profile variable over the file", std::nullopt, "/p/y.json", "backend = i2c-dev", BackendKind::kLabProfile,
         "/p/y.json", "BREVLINK_LAB_PROFILE"},
        {"file", std::nullopt, std::nullopt, "# comment\n\nbackend = i2c-dev\n", BackendKind::kI2cDev, "",
         "D:\\drv\\brevlink.conf"},
        {"monitor-config from the file", std::nullopt, std::nullopt, "backend = monitor-config\n",
         BackendKind::kMonitorConfig, "", "D:\\drv\\brevlink.conf"},
        {"file profile beside it", std::nullopt, std::nullopt, "profile = two.json", BackendKind::kLabProfile,
         "D:\\drv\\two.json", "D:\\drv\\brevlink.conf"},
        {"file absolute profile", std::nullopt, std::nullopt, "backend = lab:/abs/two.json", BackendKind::kLabProfile,
         "/abs/two.json", "D:\\drv\\brevlink.conf"},
        {"unknown back end", "usb", std::nullopt, std::nullopt, BackendKind::kNone, "", "BREVLINK_BACKEND"},
        {"bad file line", std::nullopt, std::nullopt, "backend\n", BackendKind::kNone, "", "D:\\drv\\brevlink.conf"},
        {"unknown file key", std::nullopt, std::nullopt, "driver = x\n", BackendKind::kNone, "",
         "D:\\drv\\brevlink.conf"},
    };
    for (const Case& c : cases) {
        Files files;
        if (c.config) {
            files.contents["D:\\drv\\brevlink.conf"] = *c.config;
        }
        const BackendChoice choice = SelectBackend({c.backend, c.profile, "D:\\drv\\"}, files.Reader());
        EXPECT_EQ(choice.kind, c.kind) << c.what;
        EXPECT_EQ(choice.profilePath, c.profilePath) << c.what;
        EXPECT_EQ(choice.origin, c.origin) << c.what;
        EXPECT_EQ(choice.error.empty(), c.kind != BackendKind::kNone) << c.what << ": " << choice.error;
    }
}

TEST(SelectBackend, NoDriverDirectoryMeansNoFileIsRead) {
    Files files;
    const BackendChoice choice = SelectBackend({std::nullopt, std::nullopt, ""}, files.Reader());
    EXPECT_EQ(choice.kind, BackendKind::kBuiltinLab);
    EXPECT_TRUE(files.asked.empty());
}

TEST(SelectBackend, ErrorsNameTheLine) {
    Files files;
    files.contents["/drv/brevlink.conf"] = "backend = lab\nprofile x\n";
    const BackendChoice choice = SelectBackend({std::nullopt, std::nullopt, "/drv"}, files.Reader());
    EXPECT_EQ(choice.kind, BackendKind::kNone);
    EXPECT_NE(choice.error.find("/drv/brevlink.conf:2"), std::string::npos) << choice.error;
}

TEST(JoinPath, OneSeparator) {
    EXPECT_EQ(JoinPath("C:\\Drivers\\", "brevlink.conf"), "C:\\Drivers\\brevlink.conf");
    EXPECT_EQ(JoinPath("/opt/drv/", "brevlink.conf"), "/opt/drv/brevlink.conf");
    EXPECT_EQ(JoinPath("/opt/drv", "brevlink.conf"), "/opt/drv/brevlink.conf");
    EXPECT_EQ(JoinPath("", "brevlink.conf"), "brevlink.conf");
}

}  // namespace
}  // namespace brevlink
