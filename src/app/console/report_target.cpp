#include "app/console/report_target.h"

#include <filesystem>
#include <system_error>

namespace kestrova::app::console {

namespace fs = std::filesystem;

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

bool PrepareReportTarget(const std::string& given, ReportTarget& target, std::string& error) {
    target = ReportTarget{};
    std::error_code failed;
    if (given.empty()) {
        target.folder = ".";
        return true;
    }
    if (EndsWithSeparator(given) || fs::is_directory(given, failed)) {
        if (!fs::is_directory(given, failed) && !fs::create_directories(given, failed)) {
            error = "cannot create the report folder \"" + given + "\"";
            return false;
        }
        target.folder = given;
        return true;
    }
    const fs::path parent = fs::path(given).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, failed)) {
        error = "the folder of the report \"" + given + "\" does not exist";
        return false;
    }
    target.file = given;
    return true;
}

std::string ReportPathFor(const ReportTarget& target, const std::string& proposedName) {
    if (!target.file.empty()) {
        return target.file;
    }
    if (target.folder == ".") {
        return proposedName;
    }
    return EndsWithSeparator(target.folder) ? target.folder + proposedName : target.folder + "/" + proposedName;
}

}  // namespace kestrova::app::console
