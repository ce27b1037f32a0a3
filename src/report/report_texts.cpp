#include "report/report_texts.h"

#include "report/html_templates.h"

namespace kestrova::report {

ReportText ReportCover;
ReportText ReportSummary;

void ReportText::Assign(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_.assign(text);
}

void ReportText::Append(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_.append(text);
}

void ReportText::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    text_.clear();
}

std::string ReportText::Str() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

size_t ReportText::Size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_.size();
}

bool ReportText::Empty() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_.empty();
}

void ResetReportTexts() {
    ReportCover.Clear();
    ReportSummary.Clear();
}

void WriteSummaryHeading() {
    ReportSummary.Assign(html::kSummary);
}

}  // namespace kestrova::report
