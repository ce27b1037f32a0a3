#include "app/console/progress_view.h"

#include <algorithm>

namespace kestrova::app::console {

namespace {

constexpr int kBarWidth = 20;

int Shown(const ProgressBar& bar) {
    return std::clamp(bar.position, bar.minimum, std::max(bar.minimum, bar.maximum));
}

std::string Bar(const char* label, const ProgressBar& bar, int width) {
    const int span = bar.maximum - bar.minimum;
    const int filled = span > 0 ? (Shown(bar) - bar.minimum) * width / span : 0;
    std::string text = std::string(label) + " [" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(width - filled), '.') + "] ";
    return text + std::to_string(Shown(bar)) + "/" + std::to_string(bar.maximum);
}

}  // namespace

std::string RenderProgressLine(const ProgressBar& overall, const ProgressBar& individual, int barWidth) {
    std::string line;
    if (overall.used) {
        line = Bar("Overall", overall, barWidth);
    }
    if (individual.used) {
        line += (line.empty() ? "" : "  ") + Bar("Individual", individual, barWidth);
    }
    return line;
}

std::string PlainProgressLine(const ProgressBar& overall) {
    if (!overall.used) {
        return "";
    }
    return "Overall progress " + std::to_string(Shown(overall)) + "/" + std::to_string(overall.maximum);
}

void ProgressView::SetOverallRange(int minimum, int maximum) {
    overall_ = ProgressBar{minimum, maximum, minimum, true};
    Changed();
}

void ProgressView::SetOverall(int position) {
    overall_.position = position;
    Changed();
}

void ProgressView::SetIndividualRange(int minimum, int maximum) {
    individual_ = ProgressBar{minimum, maximum, minimum, true};
    Changed();
}

void ProgressView::SetIndividual(int position) {
    individual_.position = position;
    Changed();
}

void ProgressView::Hide() {
    if (style_ != ProgressStyle::kBar || drawn_.empty()) {
        return;
    }
    std::fprintf(out_, "\r%s\r", std::string(drawn_.size(), ' ').c_str());
    std::fflush(out_);
    drawn_.clear();
}

void ProgressView::Show() {
    if (style_ != ProgressStyle::kBar) {
        return;
    }
    const std::string line = RenderProgressLine(overall_, individual_, kBarWidth);
    if (line == drawn_) {
        return;
    }
    // Spaces cover what a longer line left; no escape sequences, so every console shows it.
    const size_t cover = drawn_.size() > line.size() ? drawn_.size() - line.size() : 0;
    std::fprintf(out_, "\r%s%s", line.c_str(), std::string(cover, ' ').c_str());
    if (cover > 0) {
        std::fprintf(out_, "\r%s", line.c_str());
    }
    std::fflush(out_);
    drawn_ = line;
}

void ProgressView::Stop() {
    Hide();
    style_ = ProgressStyle::kNone;
}

void ProgressView::Changed() {
    if (style_ == ProgressStyle::kBar) {
        Show();
    } else if (style_ == ProgressStyle::kPlain) {
        const std::string line = PlainProgressLine(overall_);
        if (!line.empty() && line != lastPlain_) {
            std::fprintf(out_, "%s\n", line.c_str());
            std::fflush(out_);
            lastPlain_ = line;
        }
    }
}

}  // namespace kestrova::app::console
