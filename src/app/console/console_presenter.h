// The presenter of the command-line front: log lines to standard output, exactly as the window's
// log list shows them; progress, boxes and questions on standard error; the open and save dialogs
// answered from the command line.
#pragma once

#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/console/answer_source.h"
#include "app/console/progress_view.h"
#include "operator/presenter.h"

namespace kestrova::app::console {

struct ShownBox {
    std::string caption;
    std::string text;
};

class ConsolePresenter final : public op::Presenter {
  public:
    ConsolePresenter(std::FILE* out, std::FILE* err, ProgressStyle progress);

    // Null: questions are answered No and boxes OK, each with a note on standard error (an
    // Automatic run that asks was not meant to need anyone).
    void SetAnswerSource(AnswerSource* source) { answers_ = source; }
    // The open dialog's answer (the project path); nullopt cancels.
    void SetOpenPath(std::optional<std::string> path) { openPath_ = std::move(path); }
    // The save dialog's answer from the proposed file name. Asked once: a save that failed is not
    // retried, as nobody is there to choose another name.
    void SetSavePath(std::function<std::string(const std::string& proposedName)> resolve) {
        savePath_ = std::move(resolve);
    }
    // While muted, error boxes are only kept (the front says what went wrong in one line).
    void MuteErrorBoxes(bool muted) { muted_ = muted; }

    // After the run: no more progress, and the bar line is cleared.
    void EndProgress();

    // Why the answers stopped (the run was asked to stop then); nullopt while they held.
    std::optional<std::string> AnswerFailure() const;
    std::vector<ShownBox> ErrorBoxes() const;
    // The paths the save dialog answered, in order.
    std::vector<std::string> SaveAnswers() const;

    void AppendLogLine(const std::string& line) override;
    void SetOverallProgressRange(int minimum, int maximum) override;
    void SetOverallProgress(int position) override;
    void SetIndividualProgressRange(int minimum, int maximum) override;
    void SetIndividualProgress(int position) override;
    int AskRedoYesNo(const std::string& caption, const std::string& question) override;
    op::MessageAnswer ShowMessage(const std::string& caption,
                                  const std::string& text,
                                  op::MessageButtons buttons,
                                  op::MessageIcon icon) override;
    std::optional<std::string> AskOpenPath(const op::FileDialogRequest& request) override;
    std::optional<std::string> AskSavePath(const op::FileDialogRequest& request) override;

  private:
    std::optional<Reply> Ask(const Prompt& prompt);
    void Note(const std::string& line);

    std::FILE* out_;
    std::FILE* err_;
    mutable std::mutex mutex_;
    ProgressView progress_;
    AnswerSource* answers_ = nullptr;
    std::optional<std::string> openPath_;
    std::function<std::string(const std::string&)> savePath_;
    bool muted_ = false;
    std::optional<std::string> answerFailure_;
    std::vector<ShownBox> errorBoxes_;
    std::vector<std::string> saveAnswers_;
};

}  // namespace kestrova::app::console
