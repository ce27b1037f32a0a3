// A presenter for tests: records everything shown in order and answers from a script. A trigger
// runs a callback when a matching question or box appears, so a test can act as the engineer at
// the monitor (change a setting, unplug a cable) before the answer is given. Thread-safe: the test
// thread reports while the test's own thread scripts and reads.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "operator/presenter.h"

namespace kestrova::op::testing {

enum class EventKind {
    kLogLine,
    kOverallRange,
    kOverallPosition,
    kIndividualRange,
    kIndividualPosition,
    kQuestion,
    kMessage,
    kOpenDialog,
    kSaveDialog,
};

struct PresenterEvent {
    EventKind kind = EventKind::kLogLine;
    std::string caption;  // question/box caption, dialog title
    std::string text;     // log line, question, box text; the chosen path of a dialog
    int first = 0;        // range minimum or position
    int second = 0;       // range maximum
    MessageButtons buttons = MessageButtons::kOk;
    MessageIcon icon = MessageIcon::kNone;
    int answer = 0;  // the question's answer, or the box's MessageAnswer as int
};

class RecordingPresenter : public Presenter {
  public:
    // Answers, used first-in first-out; when a queue is empty the default answers.
    void QueueQuestionAnswer(int answer);
    void SetDefaultQuestionAnswer(int answer);  // starts as No (0)
    void QueueMessageAnswer(MessageAnswer answer);
    void SetDefaultMessageAnswer(MessageAnswer answer);   // starts as kOk for OK boxes, kNo for Yes/No
    void QueueOpenPath(std::optional<std::string> path);  // empty queue: cancel
    void QueueSavePath(std::optional<std::string> path);

    // Runs `action` each time a question (or a box) whose text contains `textPart` appears, before
    // it is answered. Actions run without the presenter's lock held, so they may log.
    void OnQuestion(std::string textPart, std::function<void()> action);
    void OnMessage(std::string textPart, std::function<void()> action);

    std::vector<PresenterEvent> Events() const;
    std::vector<std::string> LogLines() const;
    std::vector<std::string> Questions() const;
    std::vector<std::string> Messages() const;  // box texts
    std::vector<PresenterEvent> EventsOf(EventKind kind) const;
    void ClearEvents();

    void AppendLogLine(const std::string& line) override;
    void SetOverallProgressRange(int minimum, int maximum) override;
    void SetOverallProgress(int position) override;
    void SetIndividualProgressRange(int minimum, int maximum) override;
    void SetIndividualProgress(int position) override;
    int AskRedoYesNo(const std::string& caption, const std::string& question) override;
    MessageAnswer ShowMessage(const std::string& caption,
                              const std::string& text,
                              MessageButtons buttons,
                              MessageIcon icon) override;
    std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
    std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;

    // The last request of each dialog kind (tests check titles and filters).
    std::optional<FileDialogRequest> LastOpenRequest() const;
    std::optional<FileDialogRequest> LastSaveRequest() const;

  private:
    struct Trigger {
        std::string textPart;
        std::function<void()> action;
    };

    void Record(PresenterEvent event);
    void RunTriggers(const std::vector<Trigger>& triggers, const std::string& text);
    std::optional<std::string> AnswerDialog(EventKind kind, const FileDialogRequest& request);

    mutable std::mutex mutex_;
    std::vector<PresenterEvent> events_;
    std::deque<int> questionAnswers_;
    int defaultQuestionAnswer_ = 0;
    std::deque<MessageAnswer> messageAnswers_;
    std::optional<MessageAnswer> defaultMessageAnswer_;
    std::deque<std::optional<std::string>> openPaths_;
    std::deque<std::optional<std::string>> savePaths_;
    std::optional<FileDialogRequest> lastOpenRequest_;
    std::optional<FileDialogRequest> lastSaveRequest_;
    std::vector<Trigger> questionTriggers_;
    std::vector<Trigger> messageTriggers_;
};

}  // namespace kestrova::op::testing
