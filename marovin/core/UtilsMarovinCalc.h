#pragma once
// Navigation of one leg: the validated position, meridional parts on the spheroid, and
// the rhumb-line course and distance by Mercator sailing (parallel and meridian sailing
// as its special cases).
//
// Positions in decimal degrees (north and east positive), courses in degrees true
// clockwise from north (0 to below 360), distances in nautical miles (minutes of
// latitude).

namespace marovin {

// True when |x| is strictly below 1e-7 (degrees): the "same latitude/longitude" test.
bool IsZeroValue(double x);

struct TGeoPosition {
    double Latitude = 0;  // degrees, -90..90, north positive
    double Longitude = 0; // degrees, -180..180, east positive
};

struct TCourseDistance {
    double Course = 0;   // degrees true
    double Distance = 0; // nautical miles
};

// Validates and normalises: |lat| above 90 throws EConvertError("Invalid Latitude"); lon
// above 360 or below -180 throws EConvertError("Invalid Longitude"); a longitude above
// 180 is stored minus 360 (190 becomes -170; 180 and -180 stay as they are).
TGeoPosition MakePosition(double lat, double lon);

// Meridional parts of a latitude (degrees, 0..90) on the spheroid, in minutes of arc.
double MeridionalParts(double lat);

// Course and distance of the rhumb line from one position to another, going the short
// way round across the 180th meridian. Not rounded.
TCourseDistance CalcCourseDistance(const TGeoPosition& from, const TGeoPosition& to);

} // namespace marovin
