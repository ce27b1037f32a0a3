#include <cstdio>
#include <memory>
#include <optional>

#include "bus/monitor_table.h"
#include "operator/operator_output.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

// The path buffer of the save dialog, terminator included.
constexpr size_t kReportPathCapacity = 300;
constexpr char kSaveTitle[] = "Save results as:";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool WriteAll(std::FILE* file, std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Characters a Windows file name cannot hold, path separators among them.
bool UnsafeInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

std::string SafeFileNamePart(std::string_view text) {
    std::string part(text);
    for (char& c : part) {
        if (UnsafeInFileName(c)) {
            c = '_';
        }
    }
    return part;
}

}  // namespace

std::string ProposedReportName(const bus::MonitorRecord& record) {
    std::string name = "VCP Check " + SafeFileNamePart(record.manufacturer.View()) + " " +
                       SafeFileNamePart(record.model.View()) + ".html";
    if (name.size() > kReportPathCapacity - 1) {
        name.resize(kReportPathCapacity - 1);
    }
    return name;
}

bool WriteReportFile(const std::string& path) {
    const std::string cover = ReportCover.Str();
    const std::string summary = ReportSummary.Str();
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file.get(), cover) && WriteAll(file.get(), summary) &&
                         WriteAll(file.get(), ReportBody.View()) && std::fflush(file.get()) == 0;
    // Closing may still have bytes to hand to the disk; its failure loses them too.
    return std::fclose(file.release()) == 0 && written;
}

bool SaveReport() {
    op::FileDialogRequest request;
    request.title = kSaveTitle;
    request.proposedName = ProposedReportName(bus::CurrentMonitorRecord());
    request.maxPathLength = kReportPathCapacity - 1;
    request.pathMustExist = true;

    bool saved = false;
    // An hour of manual testing is not thrown away over one bad folder: ask again until saved or cancelled.
    while (!saved) {
        const std::optional<std::string> path = op::ShowSaveFileDialog(request);
        if (!path) {
            break;
        }
        saved = WriteReportFile(*path);
        if (!saved) {
            // A file cut short by a full disk is reported like one that could not be created.
            op::ShowErrorBox("The report could not be saved in full to \"" + *path +
                             "\".\nChoose another file name or folder, or cancel to discard the report.");
        }
    }
    FreeReportBody();
    return saved;
}

}  // namespace kestrova::report
