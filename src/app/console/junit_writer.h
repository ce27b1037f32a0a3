// The run's results as JUnit XML, so a lab's CI shows each VCP code and plug-in step as a test.
#pragma once

#include <string>
#include <vector>

#include "app/console/report_rows.h"

namespace kestrova::app::console {

// One testsuite per group table, one testcase per row (classname: the group, with the plug-in
// table for plug-in steps). A failed row carries a failure whose text is its comments as plain
// text; a passed row keeps them as system-out. Text from the monitor is made valid UTF-8 first.
std::string JunitXml(const std::vector<ReportRow>& rows);

// False with a one-line `error` when the file cannot be written in full.
bool WriteJunitFile(const std::string& path, const std::vector<ReportRow>& rows, std::string& error);

}  // namespace kestrova::app::console
