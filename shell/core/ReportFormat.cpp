#include "ReportFormat.h"

#include "Utils.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace shell {

namespace {

// Splits at ';' outside double quotes.
std::vector<std::string> Sections(const std::string& mask)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : mask) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

bool IsPlaceholder(char c)
{
    return c == '0' || c == '#';
}

// Text of a literal part: quotes removed.
std::string Literal(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (c != '"')
            out += c;
    return out;
}

// The value rounded to `decimals` places, halves away from zero, judged on its 15
// significant digits (so 2.675, stored as 2.67499..., still rounds up as written).
double RoundHalfAway(double value, int decimals)
{
    double v = std::strtod(FormatC("%.15g", value).c_str(), nullptr);
    double scale = std::pow(10.0, decimals);
    double scaled = v * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e15)
        return v;
    return std::round(std::strtod(FormatC("%.15g", scaled).c_str(), nullptr)) / scale;
}

// Formats a non-negative value by one section of the mask.
std::string FormatSection(double value, const std::string& section)
{
    // The number part runs from the first to the last placeholder outside quotes.
    size_t first = std::string::npos, last = std::string::npos;
    bool quoted = false;
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && IsPlaceholder(c)) {
            if (first == std::string::npos)
                first = i;
            last = i;
        }
    }
    if (first == std::string::npos)
        return Literal(section); // no digits: the section is all text
    // A point right after the last placeholder ("0.") still belongs to the number.
    if (last + 1 < section.size() && section[last + 1] == '.')
        ++last;
    std::string prefix = Literal(section.substr(0, first));
    std::string number = section.substr(first, last - first + 1);
    std::string suffix = Literal(section.substr(last + 1));

    size_t point = number.find('.');
    std::string intPart = point == std::string::npos ? number : number.substr(0, point);
    std::string fracPart = point == std::string::npos ? "" : number.substr(point + 1);
    int minInt = 0;
    for (char c : intPart)
        if (c == '0')
            ++minInt;
    bool grouping = intPart.find(',') != std::string::npos;
    int maxFrac = 0, minFrac = 0;
    for (char c : fracPart)
        if (IsPlaceholder(c)) {
            ++maxFrac;
            if (c == '0')
                minFrac = maxFrac; // zeros are kept up to the last '0'
        }
    if (maxFrac > 15)
        maxFrac = 15;
    if (minFrac > maxFrac)
        minFrac = maxFrac;

    std::string digits = FormatC("%.*f", maxFrac, RoundHalfAway(value, maxFrac));
    std::string i = digits, f;
    size_t dot = digits.find('.');
    if (dot != std::string::npos) {
        i = digits.substr(0, dot);
        f = digits.substr(dot + 1);
    }
    while (static_cast<int>(f.size()) > minFrac && !f.empty() && f.back() == '0')
        f.pop_back();
    if (i == "0" && minInt == 0)
        i.clear();
    while (static_cast<int>(i.size()) < minInt)
        i.insert(i.begin(), '0');
    if (grouping && i.size() > 3) {
        std::string g;
        int n = 0;
        for (size_t k = i.size(); k-- > 0;) {
            g.insert(g.begin(), i[k]);
            if (++n % 3 == 0 && k > 0)
                g.insert(g.begin(), ',');
        }
        i = g;
    }
    std::string out = i;
    if (!f.empty())
        out += "." + f;
    if (out.empty())
        out = "0";
    return prefix + out + suffix;
}

// True when the value prints as zero with the section's number of decimals.
bool RoundsToZero(double value, const std::string& section)
{
    int decimals = 0;
    size_t point = section.find('.');
    if (point != std::string::npos)
        for (size_t k = point + 1; k < section.size() && IsPlaceholder(section[k]); ++k)
            ++decimals;
    if (decimals > 15)
        decimals = 15;
    std::string s = FormatC("%.*f", decimals, RoundHalfAway(std::fabs(value), decimals));
    return s.find_first_not_of("0.") == std::string::npos;
}

} // namespace

std::string FormatReportNumber(double value, const std::string& mask)
{
    if (!std::isfinite(value))
        return "";
    if (mask.empty())
        return FormatNumber15(value);
    std::vector<std::string> sections = Sections(mask);
    if (sections.size() >= 3 && RoundsToZero(value, sections[0]))
        return FormatSection(0, sections[2]);
    if (value < 0) {
        if (sections.size() >= 2 && !sections[1].empty())
            return FormatSection(-value, sections[1]);
        if (RoundsToZero(value, sections[0]))
            return FormatSection(0, sections[0]); // no "-0.00"
        return "-" + FormatSection(-value, sections[0]);
    }
    return FormatSection(value, sections[0]);
}

} // namespace shell
