// Position texts: the lenient number reader, the latitude/longitude readers and writers.
#include "marovin/core/UtilsMarovin.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace marovin;

namespace {

struct TReadCase {
    const char* Text;
    double Expected;
};

TEST(UtilsMarovin, ReadsLatitudesAsTyped)
{
    const TReadCase cases[] = {
        {"22-12.3N", 22.205}, {"22-12.3n", 22.205}, {"22-12N", 22.2},  {"22N", 22},
        {"22-12.3S", -22.205}, {"22-12.3", 22.205}, {"22", 22},        {"", 0},
        {"22.205", 22.205},    {" 22 - 12.3 n ", 22.205},              {"05-30S", -5.5},
        // A leading "-" is the degrees mark: 0 degrees 22.5 minutes; south needs "S".
        {"-22.5", 0.375},
        // Everything after the hemisphere letter is dropped.
        {"22N15", 22},
        // "-" before the degrees of a south latitude is the mark, not a sign.
        {"00-30S", -0.5},
        // Minutes are rounded independently of degrees when written; they read back.
        {"22-60.000N", 23},
        // A separator before any degree digit: the number is minutes.
        {"/30", 0.5},
    };
    for (const TReadCase& c : cases)
        EXPECT_NEAR(ParseLatitude(c.Text), c.Expected, 1e-12) << '"' << c.Text << '"';
}

TEST(UtilsMarovin, ReadsLongitudesAsTyped)
{
    const TReadCase cases[] = {
        {"122-12.3W", -122.205}, {"122-12.3E", 122.205}, {"122W", -122}, {"122-12w", -122.2},
        {"005-30.000E", 5.5},    {"180W", -180},         {"", 0},
    };
    for (const TReadCase& c : cases)
        EXPECT_NEAR(ParseLongitude(c.Text), c.Expected, 1e-12) << '"' << c.Text << '"';
}

TEST(UtilsMarovin, UnreadableMinutesOrDegreesRaiseConversionError)
{
    // The second "-" becomes part of the minutes; a second point makes no number; a
    // thousands separator is no part of a plain number; a number too big is no number.
    for (const std::string& text : {std::string("22-12-30N"), std::string("22-1.2.3N"), std::string("22-1,5N"),
                                   std::string("22.5.1"), "1" + std::string(400, '0')}) {
        EXPECT_THROW(ParseLatitude(text), EConvertError) << text;
    }
    try {
        ParseLatitude("22-1.2.3N");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1.2.3' is not a valid floating point value");
    }
    EXPECT_THROW(ParseLongitude("122-1.2.3W"), EConvertError);
}

TEST(UtilsMarovin, TextToNumberIsLenientAndNeverFails)
{
    const TReadCase cases[] = {
        {"22", 22},     {" 22.5 ", 22.5}, {"-22", -22},  {"22-", -22}, {"(22)", -22}, {"1,234", 1234},
        {"50%", 50},    {"22.", 22},      {"22e", 22},   {"+22+", 22}, {"", 0},       {"abc", 0},
        {"--", 0},      {"1e3", 1000},    {"1e999", 0},
    };
    for (const TReadCase& c : cases)
        EXPECT_EQ(TextToNumber(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(UtilsMarovin, WritesEntryAndGridForms)
{
    struct TCase {
        std::string Actual;
        const char* Expected;
    };
    const TCase cases[] = {
        {FormatLatitude(22.205), "22-12.300N"},
        {FormatLatitude(-5.5), "05-30.000S"},
        {FormatLatitude(0), "00-00.000N"},
        {FormatLatitude(-0.0), "00-00.000N"},
        {FormatLatitude(22.9999999), "22-60.000N"},
        {FormatLatitude(-0.25), "00-15.000S"},
        {FormatLongitude(-122.205), "122-12.300W"},
        {FormatLongitude(0), "000-00.000E"},
        {FormatLongitude(180), "180-00.000E"},
        {FormatLatitudeGrid(22.205), "22\u00B0 12.300' N"},
        {FormatLatitudeGrid(0), "00\u00B0 00.000' N"},
        {FormatLongitudeGrid(5.25), "005\u00B0 15.000' E"},
        {FormatLongitudeGrid(-122.206), "122\u00B0 12.360' W"},
        {FormatPositionPart(3, 5.5), "05.500"},
        {FormatPositionPart(3, 0.0005), "00.001"}, // halves away from zero
        {FormatPositionPart(2, 7), "007"},
        {FormatPositionPart(1, 123), "123"},
        {FormatPositionPart(3, std::numeric_limits<double>::quiet_NaN()), "0"},
        {FormatPositionPart(9, 1), "0"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Actual, c.Expected);
}

TEST(UtilsMarovin, EntryFormReadsBackToTheSamePosition)
{
    for (double lat : {22.205, -5.5, 0.0, 89.99, -45.123}) {
        EXPECT_NEAR(ParseLatitude(FormatLatitude(lat)), lat, 1e-5 / 60) << lat;
    }
    for (double lon : {-122.205, 5.25, 179.999, -180.0}) {
        EXPECT_NEAR(ParseLongitude(FormatLongitude(lon)), lon, 1e-5 / 60) << lon;
    }
}

} // namespace
