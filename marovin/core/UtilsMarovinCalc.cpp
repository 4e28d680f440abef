#include "UtilsMarovinCalc.h"

#include "UtilsMarovin.h"

#include <cmath>

namespace marovin {

namespace {

constexpr double kMinutesPerDegree = 60.0;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// 10800/pi * ln 10: the spherical meridional parts in minutes from a common logarithm;
// the three coefficients are 10800/pi times e^2, e^4/3 and e^6/5 of the spheroid.
constexpr double kMpFactor = 7915.704468;
constexpr double kMpSin1 = 23.0133633;
constexpr double kMpSin3 = 0.051353;
constexpr double kMpSin5 = 0.000206;

} // namespace

bool IsZeroValue(double x)
{
    return std::fabs(x) < 1e-7;
}

TGeoPosition MakePosition(double lat, double lon)
{
    // Written so that a NaN fails the test too.
    if (!(std::fabs(lat) <= 90.0))
        throw EConvertError("Invalid Latitude");
    if (!(lon <= 360.0 && lon >= -180.0))
        throw EConvertError("Invalid Longitude");
    TGeoPosition p;
    p.Latitude = lat;
    p.Longitude = lon > 180.0 ? lon - 360.0 : lon;
    return p;
}

double MeridionalParts(double lat)
{
    if (lat == 0)
        return 0;
    const double s = std::sin(lat * kDegToRad);
    const double s3 = s * s * s;
    const double s5 = s3 * s * s;
    return kMpFactor * std::log10(std::tan(45.0 * kDegToRad + (lat * kDegToRad) / 2.0))
        - kMpSin1 * s - kMpSin3 * s3 - kMpSin5 * s5;
}

TCourseDistance CalcCourseDistance(const TGeoPosition& from, const TGeoPosition& to)
{
    double dLon = to.Longitude - from.Longitude;
    if (dLon > 180.0)
        dLon -= 360.0;
    else if (dLon < -180.0)
        dLon += 360.0;
    const double dLat = to.Latitude - from.Latitude;
    const double dLatMin = dLat * kMinutesPerDegree;
    const double dLonMin = dLon * kMinutesPerDegree;

    TCourseDistance r;
    if (IsZeroValue(from.Latitude - to.Latitude)) {
        // Parallel sailing: departure along the parallel of the start.
        r.Distance = std::fabs(std::cos(from.Latitude * kDegToRad) * dLonMin);
        r.Course = dLonMin == 0 ? 0.0 : (dLonMin < 0 ? 270.0 : 90.0);
        return r;
    }
    if (IsZeroValue(to.Longitude - from.Longitude)) {
        // Meridian sailing (raw difference: 180 E to 180 W is handled below).
        r.Distance = std::fabs(dLatMin);
        r.Course = dLatMin < 0 ? 180.0 : 0.0;
        return r;
    }
    double m1 = MeridionalParts(std::fabs(from.Latitude));
    if (from.Latitude < 0)
        m1 = -m1;
    double m2 = MeridionalParts(std::fabs(to.Latitude));
    if (to.Latitude < 0)
        m2 = -m2;
    const double dMp = m2 - m1;
    const double c = std::atan(std::fabs(dLonMin) / std::fabs(dMp)); // 0..pi/2
    r.Distance = std::fabs(dLatMin) / std::cos(c);
    const double cDeg = c * kRadToDeg;
    if (dLatMin > 0 && dLonMin >= 0)
        r.Course = cDeg;
    else if (dLatMin < 0 && dLonMin >= 0)
        r.Course = 180.0 - cDeg;
    else if (dLatMin < 0 && dLonMin < 0)
        r.Course = 180.0 + cDeg;
    else
        r.Course = 360.0 - cDeg;
    return r;
}

} // namespace marovin
