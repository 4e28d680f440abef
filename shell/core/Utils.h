#pragma once
// Small helpers shared by every program of the suite.

#include <string>
#include <string_view>

namespace shell {

// True when |x| is strictly below 1e-7: the suite's test of a value "for zero".
bool IsZeroValue(double x);

// True when the text has no characters at all.
bool IsEmptyString(std::string_view s);

// Number as text for headless output: up to 15 significant digits, "." as separator,
// no exponent for ordinary magnitudes (the shortest "%.15g" form).
std::string FormatNumber15(double x);

// printf-style formatting that never depends on the user's locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Case-insensitive ASCII comparison, as names are compared throughout the suite.
bool SameText(std::string_view a, std::string_view b);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view s);

// Every line break as "\n": "\r\n", "\n\r" and a lone "\r" each end one line, so texts
// typed on other systems keep their lines.
std::string NormaliseLineBreaks(std::string_view s);

// The last path component ("/a/b/c.kvx" gives "c.kvx").
std::string ExtractFileName(const std::string& path);

} // namespace shell
