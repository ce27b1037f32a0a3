#include "operator/operator_output.h"

#include <gtest/gtest.h>

#include <string>

#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"

namespace kestrova::op {
namespace {

using testing::EventKind;
using testing::RecordingPresenter;

class OperatorOutputTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRunSettings(); }
    void TearDown() override { ResetRunSettings(); }
    RecordingPresenter presenter_;
};

TEST_F(OperatorOutputTest, LogLineFormatsAndBlankLineIsOneSpace) {
    ScopedPresenter scope(&presenter_);
    LogLine("Using project  '%s'", "C:\\a.vmdProj");
    LogBlankLine();
    LogLine("0x%.2X %d", 0x10, -5);
    EXPECT_EQ(presenter_.LogLines(), (std::vector<std::string>{"Using project  'C:\\a.vmdProj'", " ", "0x10 -5"}));
}

TEST_F(OperatorOutputTest, LogLineIsCutAt4095Characters) {
    ScopedPresenter scope(&presenter_);
    const std::string lengths[] = {std::string(4095, 'a'), std::string(4096, 'b'), std::string(10000, 'c')};
    for (const std::string& text : lengths) {
        LogLine("%s", text.c_str());
    }
    std::vector<std::string> lines = presenter_.LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], lengths[0]);
    EXPECT_EQ(lines[1], std::string(4095, 'b'));
    EXPECT_EQ(lines[2], std::string(4095, 'c'));
}

TEST_F(OperatorOutputTest, EverythingIsDroppedWithoutPresenterAndQuestionsGetDefaults) {
    ASSERT_EQ(InstalledPresenter(), nullptr);
    LogLine("lost %d", 1);
    LogBlankLine();
    SetOverallProgressRange(0, 10);
    SetIndividualProgress(3);
    PromptAnswer = 1;
    EXPECT_EQ(AskRedoYesNo(), kAnswerNo);
    EXPECT_EQ(PromptAnswer, kAnswerNo);
    EXPECT_EQ(ShowMessageBox("c", "t", MessageButtons::kYesNo), MessageAnswer::kNo);
    EXPECT_EQ(ShowMessageBox("c", "t", MessageButtons::kOk), MessageAnswer::kOk);
    ShowErrorBox("nobody sees this");
    EXPECT_FALSE(ShowOpenFileDialog(FileDialogRequest{}));
    EXPECT_FALSE(ShowSaveFileDialog(FileDialogRequest{}));
    EXPECT_TRUE(presenter_.Events().empty());
}

TEST_F(OperatorOutputTest, ProgressRangesStayWithinWhatTheBarsTake) {
    ScopedPresenter scope(&presenter_);
    SetOverallProgressRange(-5, 70000);
    SetIndividualProgressRange(2, 300);
    SetOverallProgress(7);
    SetIndividualProgress(9);
    auto events = presenter_.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, EventKind::kOverallRange);
    EXPECT_EQ(events[0].first, 0);
    EXPECT_EQ(events[0].second, 65535);
    EXPECT_EQ(events[1].kind, EventKind::kIndividualRange);
    EXPECT_EQ(events[1].first, 2);
    EXPECT_EQ(events[1].second, 300);
    EXPECT_EQ(events[2].kind, EventKind::kOverallPosition);
    EXPECT_EQ(events[2].first, 7);
    EXPECT_EQ(events[3].kind, EventKind::kIndividualPosition);
    EXPECT_EQ(events[3].first, 9);
}

TEST_F(OperatorOutputTest, AskRedoYesNoUsesPromptValuesAndStoresTheAnswer) {
    ScopedPresenter scope(&presenter_);
    PromptCaption = "Brightness";
    PromptQuestion = "Did the screen change?";
    struct Case {
        int given;
        int32_t stored;
    };
    const Case cases[] = {{1, 1}, {0, 0}, {-1, -1}, {7, 0}, {-2, 0}};
    for (const Case& c : cases) {
        presenter_.QueueQuestionAnswer(c.given);
        EXPECT_EQ(AskRedoYesNo(), c.stored) << "given " << c.given;
        EXPECT_EQ(PromptAnswer, c.stored);
    }
    auto questions = presenter_.EventsOf(EventKind::kQuestion);
    ASSERT_EQ(questions.size(), std::size(cases));
    EXPECT_EQ(questions[0].caption, "Brightness");
    EXPECT_EQ(questions[0].text, "Did the screen change?");
}

TEST_F(OperatorOutputTest, ErrorBoxIsCaptionedError) {
    ScopedPresenter scope(&presenter_);
    ShowErrorBox("Could not open Project file!");
    auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Could not open Project file!");
    EXPECT_EQ(boxes[0].buttons, MessageButtons::kOk);
}

TEST_F(OperatorOutputTest, FileDialogAnswersOutsideTheRequestCountAsCancel) {
    ScopedPresenter scope(&presenter_);
    FileDialogRequest request;
    request.title = "Open project:";
    request.maxPathLength = 10;
    presenter_.QueueOpenPath("C:\\a.txt");
    presenter_.QueueOpenPath("C:\\much\\too\\long.vmdProj");
    presenter_.QueueOpenPath(std::string());
    presenter_.QueueSavePath("C:\\r.html");
    EXPECT_EQ(ShowOpenFileDialog(request), std::optional<std::string>("C:\\a.txt"));
    EXPECT_FALSE(ShowOpenFileDialog(request));
    EXPECT_FALSE(ShowOpenFileDialog(request));
    EXPECT_FALSE(ShowOpenFileDialog(request));  // queue empty: cancelled
    EXPECT_EQ(ShowSaveFileDialog(request), std::optional<std::string>("C:\\r.html"));
    ASSERT_TRUE(presenter_.LastOpenRequest());
    EXPECT_EQ(presenter_.LastOpenRequest()->title, "Open project:");
}

TEST_F(OperatorOutputTest, ATooLongSavePathIsExplainedAndTheDialogOfferedAgain) {
    ScopedPresenter scope(&presenter_);
    FileDialogRequest request;
    request.maxPathLength = 10;
    presenter_.QueueSavePath("C:\\much\\too\\long.html");
    presenter_.QueueSavePath("C:\\r.html");
    presenter_.QueueSavePath("C:\\much\\too\\long.html");
    presenter_.QueueSavePath(std::nullopt);

    EXPECT_EQ(ShowSaveFileDialog(request), std::optional<std::string>("C:\\r.html"));
    EXPECT_FALSE(ShowSaveFileDialog(request));  // too long, then cancelled
    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text,
              "The path \"C:\\much\\too\\long.html\" is longer than 10 characters. Please choose a shorter one.");
}

}  // namespace
}  // namespace kestrova::op
