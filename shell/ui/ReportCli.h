#pragma once
// Report commands of the command-line programs: the program's report of a document
// written as plain text or PDF, from the template in the Templates folder.

#include "shell/core/ReportData.h"

#include <string>

namespace shell {

enum class TReportCliFormat { Text, Pdf };

// Writes the report; faults (the missing-template message, a faulty template, a file that
// cannot be written) go to standard error as "error: TEXT". Returns the exit code: 0 on
// success, 1 on a fault. PDF needs fonts: a QGuiApplication is started when none runs,
// on the "offscreen" platform when there is no display.
int RunReportCommand(const TReportSource& source, const std::string& outFile, TReportCliFormat format);

} // namespace shell
