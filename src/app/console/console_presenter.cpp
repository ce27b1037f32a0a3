#include "app/console/console_presenter.h"

#include "operator/operator_output.h"
#include "operator/run_settings.h"

namespace kestrova::app::console {

namespace {

bool IsErrorBox(const std::string& caption, op::MessageButtons buttons, op::MessageIcon icon) {
    return buttons == op::MessageButtons::kOk && (icon == op::MessageIcon::kError || caption == "Error");
}

// A box's lines joined into one, so every note stays one line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

int32_t QuestionAnswer(Reply reply) {
    switch (reply) {
        case Reply::kYes:
            return op::kAnswerYes;
        case Reply::kRedo:
            return op::kAnswerRedo;
        case Reply::kNo:
        case Reply::kOk:
            break;
    }
    return op::kAnswerNo;
}

}  // namespace

ConsolePresenter::ConsolePresenter(std::FILE* out, std::FILE* err, ProgressStyle progress)
    : out_(out), err_(err), progress_(err, progress) {}

std::optional<std::string> ConsolePresenter::AnswerFailure() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return answerFailure_;
}

std::vector<ShownBox> ConsolePresenter::ErrorBoxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return errorBoxes_;
}

std::vector<std::string> ConsolePresenter::SaveAnswers() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return saveAnswers_;
}

void ConsolePresenter::EndProgress() {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.Stop();
}

void ConsolePresenter::Note(const std::string& line) {
    progress_.Hide();
    std::fprintf(err_, "%s\n", line.c_str());
    std::fflush(err_);
    progress_.Show();
}

void ConsolePresenter::AppendLogLine(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.Hide();
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
    progress_.Show();
}

void ConsolePresenter::SetOverallProgressRange(int minimum, int maximum) {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.SetOverallRange(minimum, maximum);
}

void ConsolePresenter::SetOverallProgress(int position) {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.SetOverall(position);
}

void ConsolePresenter::SetIndividualProgressRange(int minimum, int maximum) {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.SetIndividualRange(minimum, maximum);
}

void ConsolePresenter::SetIndividualProgress(int position) {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.SetIndividual(position);
}

std::optional<Reply> ConsolePresenter::Ask(const Prompt& prompt) {
    // After the answers gave out the run is stopping: the remaining questions get No unasked.
    if (answerFailure_) {
        return std::nullopt;
    }
    if (answers_ == nullptr) {
        if (prompt.kind != PromptKind::kOk) {
            Note("[" + prompt.caption + "] " + OneLine(prompt.text) + " -> no (nobody to ask)");
            return Reply::kNo;
        }
        Note("[" + prompt.caption + "] " + OneLine(prompt.text));
        return Reply::kOk;
    }
    progress_.Hide();
    std::string failure;
    const std::optional<Reply> reply = answers_->Answer(prompt, failure);
    if (!reply) {
        answerFailure_ = failure;
        op::StopRequested = true;
        Note("kestrova: " + failure + "; stopping the run");
        return std::nullopt;
    }
    if (!answers_->Interactive()) {
        Note("[" + prompt.caption + "] " + OneLine(prompt.text) + " -> " + ReplyWord(*reply));
    }
    progress_.Show();
    return reply;
}

int ConsolePresenter::AskRedoYesNo(const std::string& caption, const std::string& question) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::optional<Reply> reply = Ask(Prompt{PromptKind::kRedoYesNo, caption, question});
    return reply ? QuestionAnswer(*reply) : op::kAnswerNo;
}

op::MessageAnswer ConsolePresenter::ShowMessage(const std::string& caption,
                                                const std::string& text,
                                                op::MessageButtons buttons,
                                                op::MessageIcon icon) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (IsErrorBox(caption, buttons, icon)) {
        errorBoxes_.push_back(ShownBox{caption, text});
        if (!muted_) {
            Note(caption + ": " + OneLine(text));
        }
        return op::MessageAnswer::kOk;
    }
    if (buttons == op::MessageButtons::kOk) {
        Ask(Prompt{PromptKind::kOk, caption, text});
        return op::MessageAnswer::kOk;
    }
    const std::optional<Reply> reply = Ask(Prompt{PromptKind::kYesNo, caption, text});
    return reply == Reply::kYes ? op::MessageAnswer::kYes : op::MessageAnswer::kNo;
}

std::optional<std::string> ConsolePresenter::AskOpenPath(const op::FileDialogRequest&) {
    std::lock_guard<std::mutex> lock(mutex_);
    return openPath_;
}

std::optional<std::string> ConsolePresenter::AskSavePath(const op::FileDialogRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!savePath_ || !saveAnswers_.empty()) {
        return std::nullopt;
    }
    saveAnswers_.push_back(savePath_(request.proposedName));
    return saveAnswers_.back();
}

}  // namespace kestrova::app::console
