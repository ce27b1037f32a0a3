#include "app/console/progress_view.h"

#include <gtest/gtest.h>

#include <memory>

namespace kestrova::app::console {
namespace {

TEST(ProgressView, BarsAsTheWindowFillsThem) {
    struct Case {
        ProgressBar overall;
        ProgressBar individual;
        const char* line;
    } cases[] = {
        {{}, {}, ""},
        {{0, 20, 5, true}, {}, "Overall [##........] 5/20"},
        {{0, 22, 30, true}, {}, "Overall [##########] 22/22"},  // past the end: a full bar
        {{0, 20, -1, true}, {}, "Overall [..........] 0/20"},
        {{0, 0, 0, true}, {}, "Overall [..........] 0/0"},
        {{0, 20, 20, true}, {50, 150, 100, true}, "Overall [##########] 20/20  Individual [#####.....] 100/150"},
        {{}, {0, 4, 1, true}, "Individual [##........] 1/4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RenderProgressLine(c.overall, c.individual, 10), c.line);
    }
    EXPECT_EQ(PlainProgressLine(ProgressBar{0, 22, 25, true}), "Overall progress 22/22");
    EXPECT_EQ(PlainProgressLine(ProgressBar{}), "");
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(ProgressView, PlainLinesOnlyWhenTheOverallPositionChanges) {
    std::unique_ptr<std::FILE, FileCloser> out(std::tmpfile());
    ProgressView view(out.get(), ProgressStyle::kPlain);
    view.SetIndividualRange(0, 100);
    view.SetIndividual(50);
    view.SetOverallRange(0, 2);
    view.SetOverall(0);
    view.SetOverall(1);
    view.SetIndividual(60);
    view.SetOverall(3);
    view.SetOverall(4);
    EXPECT_EQ(Contents(out.get()), "Overall progress 0/2\nOverall progress 1/2\nOverall progress 2/2\n");
}

TEST(ProgressView, TerminalBarIsErasedForOtherOutputDrawnAgainAndGoneAfterTheRun) {
    std::unique_ptr<std::FILE, FileCloser> out(std::tmpfile());
    ProgressView view(out.get(), ProgressStyle::kBar);
    view.SetOverallRange(0, 20);
    view.Hide();
    view.Show();
    view.SetOverall(0);  // unchanged line: nothing drawn
    view.Stop();
    view.SetOverall(5);
    view.Show();
    const std::string bar = "Overall [....................] 0/20";
    const std::string erase = "\r" + std::string(bar.size(), ' ') + "\r";
    EXPECT_EQ(Contents(out.get()), "\r" + bar + erase + "\r" + bar + erase);
}

}  // namespace
}  // namespace kestrova::app::console
