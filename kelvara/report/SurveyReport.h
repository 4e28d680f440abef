#pragma once
// The survey report run: the template "RepKelvara.fr3", the ballast rows as the dataset
// "frxDsBallast" and every other value through the report variables of the survey form.

#include "kelvara/core/Survey.h"

#include "shell/core/ReportData.h"

#include <string>

namespace kelvara {

constexpr const char* kSurveyTemplate = "RepKelvara.fr3";

// The survey must outlive the source: the variables are answered from it when asked.
shell::TReportSource SurveyReportSource(const TSurvey& survey, const std::string& templatesFolder);

} // namespace kelvara
