#include "app/console/console_presenter.h"

#include <gtest/gtest.h>

#include <memory>

#include "operator/operator_output.h"
#include "operator/run_settings.h"

namespace kestrova::app::console {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

class ConsolePresenterTest : public ::testing::Test {
  protected:
    void SetUp() override { op::ResetRunSettings(); }
    void TearDown() override { op::ResetRunSettings(); }

    File out_{std::tmpfile()};
    File err_{std::tmpfile()};
    ConsolePresenter presenter_{out_.get(), err_.get(), ProgressStyle::kNone};
    op::ScopedPresenter installed_{&presenter_};
};

TEST_F(ConsolePresenterTest, LogLinesGoToStandardOutputAsTheyAre) {
    op::LogLine("READY");
    op::LogBlankLine();
    op::LogLine("Monitor selected is '%s'", "BRV - LAB");
    EXPECT_EQ(Contents(out_.get()), "READY\n \nMonitor selected is 'BRV - LAB'\n");
    EXPECT_EQ(Contents(err_.get()), "");
}

TEST_F(ConsolePresenterTest, AnswersThatGiveOutStopTheRunAndLaterQuestionsGetNoUnasked) {
    std::vector<AnswerLine> lines;
    std::string error;
    ASSERT_TRUE(ParseAnswers("yes\n", "a.txt", lines, error));
    ScriptedAnswers answers("a.txt", lines);
    presenter_.SetAnswerSource(&answers);

    op::PromptCaption = "0x10";
    op::PromptQuestion = "Did the level change?";
    EXPECT_EQ(op::AskRedoYesNo(), op::kAnswerYes);
    EXPECT_FALSE(op::StopRequested);
    EXPECT_EQ(op::ShowMessageBox("PIP", "Proceed?", op::MessageButtons::kYesNo), op::MessageAnswer::kNo);
    EXPECT_TRUE(op::StopRequested);
    EXPECT_EQ(presenter_.AnswerFailure(), "a.txt: no answer left for \"Proceed?\"");
    EXPECT_EQ(op::AskRedoYesNo(), op::kAnswerNo);
    EXPECT_EQ(Contents(err_.get()),
              "[0x10] Did the level change? -> yes\n"
              "kestrova: a.txt: no answer left for \"Proceed?\"; stopping the run\n");
}

TEST_F(ConsolePresenterTest, WithoutAnyoneToAskQuestionsGetNoAndBoxesOkWithANote) {
    EXPECT_EQ(op::ShowMessageBox("0xAE VertFreq", "Is this\ncorrect?", op::MessageButtons::kYesNo),
              op::MessageAnswer::kNo);
    EXPECT_EQ(op::ShowMessageBox("0x02", "Set the brightness lower."), op::MessageAnswer::kOk);
    EXPECT_FALSE(op::StopRequested);
    EXPECT_EQ(Contents(err_.get()),
              "[0xAE VertFreq] Is this correct? -> no (nobody to ask)\n[0x02] Set the brightness lower.\n");
}

TEST_F(ConsolePresenterTest, ErrorBoxesAreKeptAndShownUnlessMuted) {
    presenter_.MuteErrorBoxes(true);
    op::ShowMessageBox("Kestrova loading error", "line one\nline two", op::MessageButtons::kOk,
                       op::MessageIcon::kError);
    presenter_.MuteErrorBoxes(false);
    op::ShowErrorBox("Could not open Project file!");
    EXPECT_EQ(Contents(err_.get()), "Error: Could not open Project file!\n");
    const std::vector<ShownBox> boxes = presenter_.ErrorBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "line one\nline two");
}

TEST_F(ConsolePresenterTest, SaveDialogIsAnsweredOnceFromTheProposedName) {
    presenter_.SetSavePath([](const std::string& proposed) { return "out/" + proposed; });
    op::FileDialogRequest request;
    request.proposedName = "VCP Check BRV LAB.html";
    EXPECT_EQ(op::ShowSaveFileDialog(request), "out/VCP Check BRV LAB.html");
    EXPECT_EQ(op::ShowSaveFileDialog(request), std::nullopt);
    EXPECT_EQ(presenter_.SaveAnswers(), std::vector<std::string>{"out/VCP Check BRV LAB.html"});
}

}  // namespace
}  // namespace kestrova::app::console
