#pragma once
// Number masks of report templates, as a spreadsheet writes them: "0.000", "#,##0.0",
// "0.00 t", "0.0;(0.0)", "0.000 m;-0.000 m;nil". Always "." as decimal separator.

#include <string>

namespace shell {

// The number written by the mask: '0' a digit always shown, '#' a digit shown when it
// matters, '.' the decimal point, ',' in the integer part groups thousands; up to three
// sections (positive;negative;zero); any other character, or text in double quotes, is
// printed as it stands. An empty mask writes up to 15 significant digits. A value that is
// not finite writes nothing.
std::string FormatReportNumber(double value, const std::string& mask);

} // namespace shell
