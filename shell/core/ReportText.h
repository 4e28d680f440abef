#pragma once
// Plain-text export of a prepared report, as a surveyor pastes it into an e-mail: no page
// breaks, frames or empty lines; the page header and footer are left out (they belong to
// paper); the columns of a table come out aligned. UTF-8, lines end in "\n".

#include "ReportEngine.h"

#include <string>

namespace shell {

std::string ReportToText(const TPreparedReport& report);

// Writes the text export to a file, replacing an existing one (atomically: a failed write
// leaves the old file as it was). Throws shell::Error when the file cannot be written.
void SaveReportText(const TPreparedReport& report, const std::string& fileName);

} // namespace shell
