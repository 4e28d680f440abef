#include "Utils.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace shell {

bool IsZeroValue(double x)
{
    return std::fabs(x) < 1e-7;
}

bool IsEmptyString(std::string_view s)
{
    return s.empty();
}

namespace {

// A C locale object, created once; snprintf under uselocale() keeps "." whatever
// LC_NUMERIC the process was started with.
locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

std::string FormatC(const char* format, ...)
{
    locale_t previous = uselocale(CLocale());
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    uselocale(previous);
    return out;
}

std::string FormatNumber15(double x)
{
    if (x == 0)
        return "0"; // also folds -0 into 0
    return FormatC("%.15g", x);
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca + 32);
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb)
            return false;
    }
    return true;
}

size_t Utf8Length(std::string_view s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string NormaliseLineBreaks(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            if (i + 1 < s.size() && (s[i + 1] == '\r' || s[i + 1] == '\n') && s[i + 1] != c)
                ++i;
            out += '\n';
        } else {
            out += c;
        }
    }
    return out;
}

std::string ExtractFileName(const std::string& path)
{
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

} // namespace shell
