#include "UtilsMarovin.h"

#include "shell/core/Utils.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace marovin {

namespace {

// The separators of number text. The decimal separator is fixed at "." for the whole
// program; the thousands separator is fixed too, so that a reading never depends on the
// user's regional settings.
constexpr char kDecimalSeparator = '.';
constexpr char kThousandSeparator = ',';

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Plain decimal number: optional sign, digits with an optional fraction (at least one
// digit), optionally an exponent when allowed. False for anything else.
bool IsDecimalText(std::string_view s, bool allowExponent)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == kDecimalSeparator) {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (allowExponent && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

// Converts text already checked by IsDecimalText; false when the value is not finite.
bool ConvertDecimal(std::string_view s, double& value)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::string copy(s);
    double v = strtod_l(copy.c_str(), nullptr, cLocale);
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

// Strict conversion of a collected degrees or minutes number.
double StrictNumber(const std::string& text)
{
    double value = 0;
    if (!IsDecimalText(text, false) || !ConvertDecimal(text, value))
        throw EConvertError("'" + text + "' is not a valid floating point value");
    return value;
}

bool IsTrimmable(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string RemoveAll(std::string_view text, char c)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c)
            out += ch;
    return out;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// The sign followed by the trimmed text.
std::string SignedText(char sign, std::string_view text)
{
    std::string out(1, sign);
    out += TrimText(text);
    return out;
}

// Shared reader of both coordinates; positive and negative are the hemisphere letters
// in lower case ("n"/"s" or "e"/"w").
double ParseCoordinate(std::string_view text, char positive, char negative)
{
    std::string s = TrimText(text);
    for (char& c : s)
        c = Lower(c);

    // The first "-" is the degrees mark; "D" cannot clash with typed letters, which are
    // lower case by now.
    size_t dash = s.find('-');
    if (dash != std::string::npos)
        s = TrimText(s.substr(0, dash)) + "D" + TrimText(s.substr(dash + 1));

    bool isNegative = false;
    size_t letter = s.find(positive);
    if (letter != std::string::npos) {
        s = SignedText('+', s.substr(0, letter));
        isNegative = false;
    }
    letter = s.find(negative);
    if (letter != std::string::npos) {
        s = SignedText('-', s.substr(0, letter));
        isNegative = true;
    }

    auto applyMinutes = [&](double total, const std::string& buffer) {
        double m = StrictNumber(buffer);
        return isNegative ? total - std::fabs(m / 60.0) : total + m / 60.0;
    };

    std::string buffer;
    double total = 0;
    int stage = 0; // 0 degrees, 1 minutes, 2 done
    for (char c : s) {
        if (c == '+' || c == '-' || IsDigit(c) || c == kDecimalSeparator || c == kThousandSeparator) {
            buffer += c;
        } else if (c == 'D') {
            total += TextToNumber(buffer);
            stage = 1;
            buffer.clear();
        } else if (c == ' ' || c == '/' || c == ':') {
            if (stage == 1 && !buffer.empty()) {
                total = applyMinutes(total, buffer);
                stage = 2;
                buffer.clear();
            } else if (stage == 0 && buffer.empty()) {
                // Nothing collected yet: no degrees were given, the number that follows
                // is minutes. After degree digits the character is skipped.
                stage = 1;
            }
        }
        // every other character is skipped
    }
    if (!buffer.empty() && stage < 2) {
        if (stage == 0)
            total += StrictNumber(buffer);
        else
            total = applyMinutes(total, buffer);
    }
    if (!std::isfinite(total))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return total;
}

// Hemisphere letter, truncated degrees and minutes of a coordinate, both writers.
struct TParts {
    double Degrees;
    double Minutes;
    char Letter;
};

TParts SplitCoordinate(double x, char positive, char negative)
{
    TParts p{};
    p.Letter = x >= 0 ? positive : negative;
    if (x == 0)
        return p;
    double d = std::trunc(x);
    p.Degrees = std::fabs(d);
    p.Minutes = std::fabs(x - d) * 60.0;
    return p;
}

} // namespace

std::string TrimText(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && IsTrimmable(text[b]))
        ++b;
    while (e > b && IsTrimmable(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

double TextToNumber(std::string_view text)
{
    std::string s(text);
    size_t percent = s.find('%');
    if (percent != std::string::npos)
        s.erase(percent, 1);
    s = TrimText(RemoveAll(s, kThousandSeparator));
    if (s.empty())
        return 0;

    bool isNegative = false;
    std::string noBrackets;
    for (char c : s) {
        if (c == '(' || c == ')')
            isNegative = true;
        else
            noBrackets += c;
    }
    s = TrimText(noBrackets);
    while (!s.empty() && s.front() == '-') {
        s.erase(0, 1);
        isNegative = true;
    }
    while (!s.empty() && s.back() == '-') {
        s.pop_back();
        isNegative = true;
    }
    s = TrimText(s);
    if (s.empty())
        return 0;

    while (!s.empty()) {
        char last = s.back();
        if (last != '+' && last != '-' && last != 'E' && last != 'e' && last != kDecimalSeparator)
            break;
        s.pop_back();
        s = TrimText(s);
    }
    if (s.empty())
        return 0;

    double value = 0;
    if (!IsDecimalText(s, true) || !ConvertDecimal(s, value))
        return 0;
    return isNegative ? -value : value;
}

double ParseLatitude(std::string_view text)
{
    return ParseCoordinate(text, 'n', 's');
}

double ParseLongitude(std::string_view text)
{
    return ParseCoordinate(text, 'e', 'w');
}

std::string FormatPositionPart(int code, double x)
{
    if (!std::isfinite(x) || code < 1 || code > 3)
        return "0";
    // x * 1000 is exact in extended precision (a double's 53 bits times at most 10 bits),
    // so the rounding below is that of the binary value itself, halves away from zero.
    const int decimals = code == 3 ? 3 : 0;
    const int intDigits = code == 2 ? 3 : 2;
    long double scaled = std::roundl(std::fabs(static_cast<long double>(x)) * (decimals ? 1000.0L : 1.0L));
    if (scaled >= 1e30L)
        return "0";
    std::string digits = shell::FormatC("%.0Lf", scaled);
    std::string intPart = digits, fracPart;
    if (decimals > 0) {
        while (digits.size() < static_cast<size_t>(decimals) + 1)
            digits.insert(digits.begin(), '0');
        intPart = digits.substr(0, digits.size() - decimals);
        fracPart = digits.substr(digits.size() - decimals);
    }
    while (intPart.size() < static_cast<size_t>(intDigits))
        intPart.insert(intPart.begin(), '0');
    std::string text = (x < 0 && scaled != 0) ? "-" : "";
    text += intPart;
    if (decimals > 0)
        text += std::string(1, kDecimalSeparator) + fracPart;
    return text;
}

std::string FormatLatitude(double x)
{
    TParts p = SplitCoordinate(x, 'N', 'S');
    return FormatPositionPart(1, p.Degrees) + "-" + FormatPositionPart(3, p.Minutes) + p.Letter;
}

std::string FormatLongitude(double x)
{
    TParts p = SplitCoordinate(x, 'E', 'W');
    return FormatPositionPart(2, p.Degrees) + "-" + FormatPositionPart(3, p.Minutes) + p.Letter;
}

std::string FormatLatitudeGrid(double x)
{
    TParts p = SplitCoordinate(x, 'N', 'S');
    return FormatPositionPart(1, p.Degrees) + "\u00B0 " + FormatPositionPart(3, p.Minutes) + "' " + p.Letter;
}

std::string FormatLongitudeGrid(double x)
{
    TParts p = SplitCoordinate(x, 'E', 'W');
    return FormatPositionPart(2, p.Degrees) + "\u00B0 " + FormatPositionPart(3, p.Minutes) + "' " + p.Letter;
}

} // namespace marovin
