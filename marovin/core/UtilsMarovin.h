#pragma once
// Positions as text: the lenient number reader, the latitude and longitude readers, and
// the writers of the entry form ("22-12.300N") and of the grid form ("22° 12.300' N").
//
// Angles are decimal degrees: latitude north positive, longitude east positive. The
// decimal separator is always "."; "," is taken as the thousands separator.

#include "shell/core/Error.h"

#include <string>
#include <string_view>

namespace marovin {

// The one error kind for unreadable or invalid position values; its message is the text
// shown to the user ("Invalid Latitude", "'12-3' is not a valid floating point value").
class EConvertError : public shell::Error {
public:
    explicit EConvertError(const std::string& message) : shell::Error(message) {}
};

// Lenient reader used for the degrees part: "%", thousands separators, brackets and
// leading or trailing "-" (each marking the number negative) are tolerated. Never
// throws; anything unreadable gives 0.
double TextToNumber(std::string_view text);

// Reads a latitude as typed ("22-12.3N", "22-12N", "22N", "22.205"): "-" is the degrees
// mark, "N"/"S" give the hemisphere (south negative), minutes are read strictly.
// Throws EConvertError when a collected number is not a plain decimal number. Does not
// check the range.
double ParseLatitude(std::string_view text);
// The same for a longitude, with "E"/"W" (west negative).
double ParseLongitude(std::string_view text);

// code 1: degrees of latitude "00", code 2: degrees of longitude "000", code 3: minutes
// "00.000" (three decimals, halves away from zero). "0" for a value it cannot format.
std::string FormatPositionPart(int code, double x);

// Entry form: "22-12.300N", "05-30.000S"; "122-12.300W", "005-30.000E".
std::string FormatLatitude(double x);
std::string FormatLongitude(double x);

// Grid form: "22° 12.300' N", "122° 12.300' W".
std::string FormatLatitudeGrid(double x);
std::string FormatLongitudeGrid(double x);

// The text trimmed of blanks and control characters at both ends, as the dialogs and
// the readers trim what the user typed.
std::string TrimText(std::string_view text);

} // namespace marovin
