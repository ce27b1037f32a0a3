// Everything the engine shows to or asks of the engineer goes through one installed presenter: the
// window renders it with Win32 controls, the console front on a terminal, tests with a script.
// No engine code touches a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrova::op {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kError };
enum class MessageAnswer { kOk, kYes, kNo };

// One file-type filter of an open or save dialog, e.g. {"Project", "*.vmdProj"}.
struct FileFilter {
    std::string name;
    std::string pattern;
};

struct FileDialogRequest {
    std::string title;                // "Open project:", "Save results as:" ...
    std::vector<FileFilter> filters;  // may be empty
    int selectedFilter = 0;           // 0-based index into filters
    std::string proposedName;         // the default file name (save dialogs)
    std::string defaultExtension;     // without the dot; may be empty
    size_t maxPathLength = 260;       // a longer answer is refused by the dialog
    bool pathMustExist = false;
};

class Presenter {
  public:
    virtual ~Presenter() = default;

    // One new last line of the log list (already formatted; a blank line arrives as " ").
    virtual void AppendLogLine(const std::string& line) = 0;

    // Setting a bar's range also sets its step to 1 and its position to `minimum`.
    virtual void SetOverallProgressRange(int minimum, int maximum) = 0;
    virtual void SetOverallProgress(int position) = 0;
    virtual void SetIndividualProgressRange(int minimum, int maximum) = 0;
    virtual void SetIndividualProgress(int position) = 0;

    // The modal Redo/Yes/No question: 1 Yes, 0 No, -1 Redo.
    virtual int AskRedoYesNo(const std::string& caption, const std::string& question) = 0;

    // A modal message box owned by the main window.
    virtual MessageAnswer ShowMessage(const std::string& caption,
                                      const std::string& text,
                                      MessageButtons buttons,
                                      MessageIcon icon) = 0;

    // The common open and save dialogs: the chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
};

// Installs the process-wide presenter (null uninstalls; output is then dropped silently and
// questions get their default answers). The presenter must outlive its installation.
void InstallPresenter(Presenter* presenter);
Presenter* InstalledPresenter();

// Installs a presenter for the lifetime of a scope and puts the previous one back (tests).
class ScopedPresenter {
  public:
    explicit ScopedPresenter(Presenter* presenter);
    ~ScopedPresenter();
    ScopedPresenter(const ScopedPresenter&) = delete;
    ScopedPresenter& operator=(const ScopedPresenter&) = delete;

  private:
    Presenter* previous_;
};

}  // namespace kestrova::op
