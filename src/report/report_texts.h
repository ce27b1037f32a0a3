// The cover and summary texts: process-wide, written by the test thread during a run and emptied
// by the window thread's Reset. Each text takes its own lock, so a Reset pressed while a run still
// writes loses at most that run's fragments and never corrupts the text.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace kestrova::report {

class ReportText {
  public:
    void Assign(std::string_view text);
    void Append(std::string_view text);
    void Clear();

    // A copy, so the caller never reads while another thread writes.
    std::string Str() const;
    size_t Size() const;
    bool Empty() const;

  private:
    mutable std::mutex mutex_;
    std::string text_;
};

extern ReportText ReportCover;
extern ReportText ReportSummary;

// Reset of the window: empties the cover and the summary.
void ResetReportTexts();

// The "Summary" heading of an Automatic run, replacing whatever ReportSummary held.
void WriteSummaryHeading();

}  // namespace kestrova::report
