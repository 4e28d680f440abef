// Navigation of one leg: validated positions, meridional parts, rhumb-line course and
// distance.
#include "marovin/core/UtilsMarovin.h"
#include "marovin/core/UtilsMarovinCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace marovin;

namespace {

TEST(UtilsMarovinCalc, MakePositionValidatesAndNormalises)
{
    struct TCase {
        double Lat, Lon;
        double ExpectedLon;
    };
    const TCase valid[] = {
        {0, 190, -170}, {0, -180, -180}, {0, 180, 180}, {90, 360, 0}, {-90, -179.5, -179.5}, {45, 200.5, -159.5},
    };
    for (const TCase& c : valid) {
        TGeoPosition p = MakePosition(c.Lat, c.Lon);
        EXPECT_EQ(p.Latitude, c.Lat);
        EXPECT_EQ(p.Longitude, c.ExpectedLon) << c.Lon;
    }

    struct TBad {
        double Lat, Lon;
        const char* Message;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TBad invalid[] = {
        {91, 0, "Invalid Latitude"},   {-90.0001, 0, "Invalid Latitude"}, {nan, 0, "Invalid Latitude"},
        {0, 361, "Invalid Longitude"}, {0, -180.0001, "Invalid Longitude"}, {0, nan, "Invalid Longitude"},
        {95, 400, "Invalid Latitude"}, // latitude is checked first
    };
    for (const TBad& c : invalid) {
        try {
            MakePosition(c.Lat, c.Lon);
            ADD_FAILURE() << c.Lat << " " << c.Lon;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

TEST(UtilsMarovinCalc, MeridionalPartsOnTheSpheroid)
{
    EXPECT_EQ(MeridionalParts(0), 0);
    EXPECT_NEAR(MeridionalParts(60), 4507.4, 0.05);
    // The spheroid series: slightly less than the spherical parts away from the equator.
    const double spherical = 7915.704468 * std::log10(std::tan(M_PI / 4 + 30 * M_PI / 360));
    EXPECT_NEAR(spherical - MeridionalParts(30), 23.0133633 * 0.5 + 0.051353 / 8 + 0.000206 / 32, 1e-9);
    // Near the pole the value is very large but finite.
    EXPECT_TRUE(std::isfinite(MeridionalParts(90)));
    EXPECT_GT(MeridionalParts(90), 1e5);
}

TEST(UtilsMarovinCalc, CourseAndDistanceOfLegs)
{
    struct TCase {
        const char* What;
        double Lat1, Lon1, Lat2, Lon2;
        double Course, CourseTol;
        double Distance, DistanceTol;
    };
    const double cos10 = std::cos(10 * M_PI / 180);
    const TCase cases[] = {
        {"same position", 10, 10, 10, 10, 0, 0, 0, 0},
        {"parallel east", 10, 10, 10, 11, 90, 0, 60 * cos10, 1e-9},
        {"parallel west", 10, 11, 10, 10, 270, 0, 60 * cos10, 1e-9},
        {"parallel across 180", 0, 179.5, 0, -179.5, 90, 0, 60, 1e-9},
        {"meridian north", 10, 10, 11, 10, 0, 0, 60, 1e-9},
        {"meridian south", 11, 10, 10, 10, 180, 0, 60, 1e-9},
        {"180 E to 180 W", 10, 180, 9, -180, 180, 1e-12, 60, 1e-9},
        {"across 180 the short way", 0, 170, 1, -170, 87.16, 0.005, 1209.5, 0.05},
        {"across 180 westbound", 1, -170, 0, 170, 267.16, 0.005, 1209.5, 0.05},
        {"north-east from the origin", 0, 0, 1, 1, 45.19, 0.005, 85.14, 0.005},
        {"south-east", 1, 0, 0, 1, 134.81, 0.005, 85.14, 0.005},
        {"south-west", 1, 1, 0, 0, 225.19, 0.005, 85.14, 0.005},
        {"north-west", 0, 1, 1, 0, 314.81, 0.005, 85.14, 0.005},
        {"southern hemisphere", -10, 10, -11, 10, 180, 0, 60, 1e-9},
    };
    for (const TCase& c : cases) {
        TCourseDistance r = CalcCourseDistance(MakePosition(c.Lat1, c.Lon1), MakePosition(c.Lat2, c.Lon2));
        EXPECT_NEAR(r.Course, c.Course, c.CourseTol) << c.What;
        EXPECT_NEAR(r.Distance, c.Distance, c.DistanceTol) << c.What;
    }
}

TEST(UtilsMarovinCalc, MercatorLegAgreesWithMeridionalParts)
{
    // tan(course) = departure in longitude / difference of meridional parts, and the
    // distance is the difference of latitude over cos(course).
    const TGeoPosition a = MakePosition(-33.9, 18.4), b = MakePosition(51.5, -0.1);
    TCourseDistance r = CalcCourseDistance(a, b);
    const double dmp = MeridionalParts(51.5) + MeridionalParts(33.9);
    const double c = std::atan(18.5 * 60 / dmp);
    EXPECT_NEAR(r.Course, 360 - c * 180 / M_PI, 1e-9);
    EXPECT_NEAR(r.Distance, 85.4 * 60 / std::cos(c), 1e-6);
}

TEST(UtilsMarovinCalc, PolarLegStaysFinite)
{
    TCourseDistance r = CalcCourseDistance(MakePosition(89, 0), MakePosition(90, 90));
    EXPECT_TRUE(std::isfinite(r.Course));
    EXPECT_TRUE(std::isfinite(r.Distance));
    EXPECT_GT(r.Course, 0);
    EXPECT_LT(r.Course, 5); // the huge meridional parts of the pole pull the course towards north
}

} // namespace
