#include "operator/testing/recording_presenter.h"

#include <gtest/gtest.h>

#include <thread>

#include "operator/operator_output.h"
#include "operator/run_settings.h"

namespace kestrova::op::testing {
namespace {

TEST(RecordingPresenterTest, AnswersFromQueueThenDefault) {
    RecordingPresenter presenter;
    presenter.QueueQuestionAnswer(-1);
    presenter.QueueQuestionAnswer(1);
    presenter.SetDefaultQuestionAnswer(1);
    EXPECT_EQ(presenter.AskRedoYesNo("c", "q1"), -1);
    EXPECT_EQ(presenter.AskRedoYesNo("c", "q2"), 1);
    EXPECT_EQ(presenter.AskRedoYesNo("c", "q3"), 1);

    EXPECT_EQ(presenter.ShowMessage("c", "t", MessageButtons::kYesNo, MessageIcon::kNone), MessageAnswer::kNo);
    presenter.QueueMessageAnswer(MessageAnswer::kYes);
    EXPECT_EQ(presenter.ShowMessage("c", "t", MessageButtons::kYesNo, MessageIcon::kNone), MessageAnswer::kYes);
    presenter.SetDefaultMessageAnswer(MessageAnswer::kYes);
    EXPECT_EQ(presenter.ShowMessage("c", "t", MessageButtons::kYesNo, MessageIcon::kNone), MessageAnswer::kYes);
    EXPECT_EQ(presenter.Questions(), (std::vector<std::string>{"q1", "q2", "q3"}));
    EXPECT_EQ(presenter.Messages().size(), 3u);
}

TEST(RecordingPresenterTest, TriggerActsBeforeTheAnswerAndMayLog) {
    ResetRunSettings();
    RecordingPresenter presenter;
    ScopedPresenter scope(&presenter);
    int seen = 0;
    presenter.OnQuestion("screen change", [&] {
        ++seen;
        LogLine("engineer looks at the screen");
    });
    presenter.OnMessage("unplug", [&] { seen += 10; });
    PromptQuestion = "Did the screen change?";
    presenter.QueueQuestionAnswer(1);
    EXPECT_EQ(AskRedoYesNo(), 1);
    PromptQuestion = "Something else";
    AskRedoYesNo();
    ShowMessageBox("Info", "Please unplug the cable");
    EXPECT_EQ(seen, 11);
    auto events = presenter.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, EventKind::kLogLine);
    EXPECT_EQ(events[1].kind, EventKind::kQuestion);
    EXPECT_EQ(events[1].answer, 1);
    ResetRunSettings();
}

TEST(RecordingPresenterTest, RecordsFromAnotherThreadInOrder) {
    RecordingPresenter presenter;
    ScopedPresenter scope(&presenter);
    std::thread worker([] {
        for (int i = 0; i < 100; ++i) {
            LogLine("%d", i);
        }
    });
    worker.join();
    auto lines = presenter.LogLines();
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines.front(), "0");
    EXPECT_EQ(lines.back(), "99");
}

}  // namespace
}  // namespace kestrova::op::testing
