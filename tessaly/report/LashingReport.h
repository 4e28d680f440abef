#pragma once
// The lashing report run of either method: its template ("RepTessalyAdv.fr3" or
// "RepTessalyAlt.fr3"), the report table as the dataset "frxDBDataset" (the fields of
// FillReportTable plus the record number "RecId") and the 35 report variables.

#include "tessaly/core/LashingBase.h"

#include "shell/core/ReportData.h"

#include <string>

namespace tessaly {

// Fills the report table anew from the document's lashing rows. The document must outlive
// the source: the variables are answered from it when asked.
shell::TReportSource LashingReportSource(const TLashingDocument& document, const std::string& templatesFolder);

} // namespace tessaly
