#include "operator/operator_output.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

#include "operator/run_settings.h"

namespace kestrova::op {

namespace {

int ClampProgress(int value) {
    return std::clamp(value, 0, kProgressLimit);
}

std::optional<std::string> CheckedPath(std::optional<std::string> path, const FileDialogRequest& request) {
    if (!path || path->empty() || path->size() > request.maxPathLength) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

void LogLine(const char* format, ...) {
    Presenter* presenter = InstalledPresenter();
    if (presenter == nullptr || format == nullptr) {
        return;
    }
    char buffer[kLogLineBufferSize];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0) {
        buffer[0] = '\0';
    }
    buffer[sizeof buffer - 1] = '\0';
    presenter->AppendLogLine(buffer);
}

void LogBlankLine() {
    LogLine(" ");
}

void SetOverallProgressRange(int minimum, int maximum) {
    if (Presenter* presenter = InstalledPresenter()) {
        presenter->SetOverallProgressRange(ClampProgress(minimum), ClampProgress(maximum));
    }
}

void SetOverallProgress(int position) {
    if (Presenter* presenter = InstalledPresenter()) {
        presenter->SetOverallProgress(position);
    }
}

void SetIndividualProgressRange(int minimum, int maximum) {
    if (Presenter* presenter = InstalledPresenter()) {
        presenter->SetIndividualProgressRange(ClampProgress(minimum), ClampProgress(maximum));
    }
}

void SetIndividualProgress(int position) {
    if (Presenter* presenter = InstalledPresenter()) {
        presenter->SetIndividualProgress(position);
    }
}

int32_t AskRedoYesNo() {
    int32_t answer = kAnswerNo;
    if (Presenter* presenter = InstalledPresenter()) {
        answer = presenter->AskRedoYesNo(PromptCaption.Str(), PromptQuestion.Str());
        if (answer != kAnswerYes && answer != kAnswerRedo) {
            answer = kAnswerNo;
        }
    }
    PromptAnswer = answer;
    return answer;
}

MessageAnswer ShowMessageBox(const std::string& caption,
                             const std::string& text,
                             MessageButtons buttons,
                             MessageIcon icon) {
    if (Presenter* presenter = InstalledPresenter()) {
        return presenter->ShowMessage(caption, text, buttons, icon);
    }
    return buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
}

void ShowErrorBox(const std::string& text) {
    ShowMessageBox("Error", text, MessageButtons::kOk, MessageIcon::kError);
}

std::optional<std::string> ShowOpenFileDialog(const FileDialogRequest& request) {
    Presenter* presenter = InstalledPresenter();
    return presenter == nullptr ? std::nullopt : CheckedPath(presenter->AskOpenPath(request), request);
}

std::optional<std::string> ShowSaveFileDialog(const FileDialogRequest& request) {
    Presenter* presenter = InstalledPresenter();
    if (presenter == nullptr) {
        return std::nullopt;
    }
    // A path the caller cannot hold is not a cancel: what is to be saved (a whole run's report) would
    // be lost without a word. Say so and offer the dialog again.
    for (;;) {
        std::optional<std::string> path = presenter->AskSavePath(request);
        if (!path || path->size() <= request.maxPathLength) {
            return CheckedPath(std::move(path), request);
        }
        ShowErrorBox("The path \"" + *path + "\" is longer than " + std::to_string(request.maxPathLength) +
                     " characters. Please choose a shorter one.");
    }
}

}  // namespace kestrova::op
