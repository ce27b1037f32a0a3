#include "operator/testing/recording_presenter.h"

namespace kestrova::op::testing {

void RecordingPresenter::QueueQuestionAnswer(int answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    questionAnswers_.push_back(answer);
}

void RecordingPresenter::SetDefaultQuestionAnswer(int answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    defaultQuestionAnswer_ = answer;
}

void RecordingPresenter::QueueMessageAnswer(MessageAnswer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    messageAnswers_.push_back(answer);
}

void RecordingPresenter::SetDefaultMessageAnswer(MessageAnswer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    defaultMessageAnswer_ = answer;
}

void RecordingPresenter::QueueOpenPath(std::optional<std::string> path) {
    std::lock_guard<std::mutex> lock(mutex_);
    openPaths_.push_back(std::move(path));
}

void RecordingPresenter::QueueSavePath(std::optional<std::string> path) {
    std::lock_guard<std::mutex> lock(mutex_);
    savePaths_.push_back(std::move(path));
}

void RecordingPresenter::OnQuestion(std::string textPart, std::function<void()> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    questionTriggers_.push_back({std::move(textPart), std::move(action)});
}

void RecordingPresenter::OnMessage(std::string textPart, std::function<void()> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    messageTriggers_.push_back({std::move(textPart), std::move(action)});
}

std::vector<PresenterEvent> RecordingPresenter::Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

std::vector<PresenterEvent> RecordingPresenter::EventsOf(EventKind kind) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<PresenterEvent> found;
    for (const PresenterEvent& event : events_) {
        if (event.kind == kind) {
            found.push_back(event);
        }
    }
    return found;
}

std::vector<std::string> RecordingPresenter::LogLines() const {
    std::vector<std::string> texts;
    for (const PresenterEvent& event : EventsOf(EventKind::kLogLine)) {
        texts.push_back(event.text);
    }
    return texts;
}

std::vector<std::string> RecordingPresenter::Questions() const {
    std::vector<std::string> texts;
    for (const PresenterEvent& event : EventsOf(EventKind::kQuestion)) {
        texts.push_back(event.text);
    }
    return texts;
}

std::vector<std::string> RecordingPresenter::Messages() const {
    std::vector<std::string> texts;
    for (const PresenterEvent& event : EventsOf(EventKind::kMessage)) {
        texts.push_back(event.text);
    }
    return texts;
}

void RecordingPresenter::ClearEvents() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}

std::optional<FileDialogRequest> RecordingPresenter::LastOpenRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastOpenRequest_;
}

std::optional<FileDialogRequest> RecordingPresenter::LastSaveRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastSaveRequest_;
}

void RecordingPresenter::Record(PresenterEvent event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(std::move(event));
}

void RecordingPresenter::RunTriggers(const std::vector<Trigger>& triggers, const std::string& text) {
    for (const Trigger& trigger : triggers) {
        if (text.find(trigger.textPart) != std::string::npos && trigger.action) {
            trigger.action();
        }
    }
}

void RecordingPresenter::AppendLogLine(const std::string& line) {
    PresenterEvent event;
    event.kind = EventKind::kLogLine;
    event.text = line;
    Record(std::move(event));
}

void RecordingPresenter::SetOverallProgressRange(int minimum, int maximum) {
    Record({EventKind::kOverallRange, {}, {}, minimum, maximum});
}

void RecordingPresenter::SetOverallProgress(int position) {
    Record({EventKind::kOverallPosition, {}, {}, position});
}

void RecordingPresenter::SetIndividualProgressRange(int minimum, int maximum) {
    Record({EventKind::kIndividualRange, {}, {}, minimum, maximum});
}

void RecordingPresenter::SetIndividualProgress(int position) {
    Record({EventKind::kIndividualPosition, {}, {}, position});
}

int RecordingPresenter::AskRedoYesNo(const std::string& caption, const std::string& question) {
    std::vector<Trigger> triggers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        triggers = questionTriggers_;
    }
    RunTriggers(triggers, question);
    PresenterEvent event;
    event.kind = EventKind::kQuestion;
    event.caption = caption;
    event.text = question;
    std::lock_guard<std::mutex> lock(mutex_);
    event.answer = defaultQuestionAnswer_;
    if (!questionAnswers_.empty()) {
        event.answer = questionAnswers_.front();
        questionAnswers_.pop_front();
    }
    events_.push_back(event);
    return event.answer;
}

MessageAnswer RecordingPresenter::ShowMessage(const std::string& caption,
                                              const std::string& text,
                                              MessageButtons buttons,
                                              MessageIcon icon) {
    std::vector<Trigger> triggers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        triggers = messageTriggers_;
    }
    RunTriggers(triggers, text);
    std::lock_guard<std::mutex> lock(mutex_);
    MessageAnswer answer = buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
    if (defaultMessageAnswer_) {
        answer = *defaultMessageAnswer_;
    }
    if (!messageAnswers_.empty()) {
        answer = messageAnswers_.front();
        messageAnswers_.pop_front();
    }
    PresenterEvent event;
    event.kind = EventKind::kMessage;
    event.caption = caption;
    event.text = text;
    event.buttons = buttons;
    event.icon = icon;
    event.answer = static_cast<int>(answer);
    events_.push_back(std::move(event));
    return answer;
}

std::optional<std::string> RecordingPresenter::AnswerDialog(EventKind kind, const FileDialogRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto& queue = kind == EventKind::kOpenDialog ? openPaths_ : savePaths_;
    (kind == EventKind::kOpenDialog ? lastOpenRequest_ : lastSaveRequest_) = request;
    std::optional<std::string> path;
    if (!queue.empty()) {
        path = queue.front();
        queue.pop_front();
    }
    PresenterEvent event;
    event.kind = kind;
    event.caption = request.title;
    event.text = path.value_or("");
    events_.push_back(std::move(event));
    return path;
}

std::optional<std::string> RecordingPresenter::AskOpenPath(const FileDialogRequest& request) {
    return AnswerDialog(EventKind::kOpenDialog, request);
}

std::optional<std::string> RecordingPresenter::AskSavePath(const FileDialogRequest& request) {
    return AnswerDialog(EventKind::kSaveDialog, request);
}

}  // namespace kestrova::op::testing
