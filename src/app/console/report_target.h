// Where --report puts the report: a file named outright, or the proposed name inside a folder.
#pragma once

#include <string>

namespace kestrova::app::console {

struct ReportTarget {
    std::string folder;  // set: the proposed name goes in here
    std::string file;    // set: this file
};

// "" is the current folder; an existing folder or a path ending in a separator is a folder (a
// missing one is created); anything else is a file whose folder must exist. False with a
// one-line `error` otherwise.
bool PrepareReportTarget(const std::string& given, ReportTarget& target, std::string& error);

// The report's path for the save dialog's proposed name.
std::string ReportPathFor(const ReportTarget& target, const std::string& proposedName);

}  // namespace kestrova::app::console
