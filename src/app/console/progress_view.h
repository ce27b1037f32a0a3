// The window's two progress bars on standard error: one redrawn line on a terminal, plain lines
// of the overall progress otherwise (a sweep's hundreds of individual steps would drown a log).
#pragma once

#include <cstdio>
#include <string>

namespace kestrova::app::console {

struct ProgressBar {
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    bool used = false;  // a range was set
};

// "Overall [#####...............]  5/20  Individual [##########..........] 50/100"; a bar that
// never got a range is left out. Positions outside the range show as its ends, as a bar does.
std::string RenderProgressLine(const ProgressBar& overall, const ProgressBar& individual, int barWidth);

// "Overall progress 5/20", or "" while the overall bar has no range.
std::string PlainProgressLine(const ProgressBar& overall);

enum class ProgressStyle { kNone, kBar, kPlain };

// Not thread-safe: the presenter serialises the calls.
class ProgressView {
  public:
    ProgressView(std::FILE* out, ProgressStyle style) : out_(out), style_(style) {}

    void SetOverallRange(int minimum, int maximum);
    void SetOverall(int position);
    void SetIndividualRange(int minimum, int maximum);
    void SetIndividual(int position);

    // Other output is about to go to the terminal: the bar line is erased, and drawn again by Show.
    void Hide();
    void Show();
    // The run is over: the bar goes for good, so the lines that follow start at the left.
    void Stop();

  private:
    void Changed();

    std::FILE* out_;
    ProgressStyle style_;
    ProgressBar overall_;
    ProgressBar individual_;
    std::string drawn_;      // the bar line on the terminal now ("" when erased)
    std::string lastPlain_;  // the last plain line, so an unchanged position is not repeated
};

}  // namespace kestrova::app::console
