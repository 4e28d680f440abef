// The route plan document: files byte for byte, the route calculation and commands, the
// library loading rules, broken files.
#include "marovin/core/RoutePlan.h"
#include "marovin/core/RouteReportData.h"
#include "marovin/core/UtilsMarovin.h"
#include "marovin/core/UtilsMarovinCalc.h"

#include "shell/core/Error.h"
#include "shell/core/Xml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

using namespace marovin;
namespace fs = std::filesystem;

namespace {

const std::string kData = std::string(ORVANEL_TEST_DATA) + "/marovin/";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder for the test, removed afterwards; paths end in "/".
class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("marovin-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string Path() const { return path_.string() + "/"; }

private:
    fs::path path_;
};

TRouteWaypoint Wp(const std::string& name, double lat, double lon, int routeWpId = 0)
{
    TRouteWaypoint wp;
    wp.RouteWpId = routeWpId;
    wp.WpName = name;
    wp.Latitude = lat;
    wp.Longitude = lon;
    return wp;
}

TEST(RoutePlan, InitFillsTheNewRouteDefaults)
{
    TRoutePlan plan;
    plan.tblRouteDetails.push_back(Wp("left over", 1, 1));
    plan.Init();
    EXPECT_EQ(plan.tblRoute.RouteId, 1);
    EXPECT_EQ(plan.tblRoute.RouteNo, "01/2011");
    EXPECT_EQ(plan.tblRoute.RouteName, "RouteName");
    EXPECT_EQ(plan.tblRoute.Departure, "Departure");
    EXPECT_EQ(plan.tblRoute.Destination, "Destination");
    EXPECT_EQ(plan.tblRoute.Description, "Description");
    EXPECT_EQ(plan.tblRoute.Charts, "Charts:\rList of Lights:\rALRS:");
    EXPECT_EQ(plan.tblRoute.Distance, 0);
    EXPECT_EQ(plan.tblRoute.WpCount, 0);
    EXPECT_TRUE(plan.tblRouteDetails.empty());
}

TEST(RoutePlan, RoutePlanAndLibraryFilesAreByteExact)
{
    TempFolder tmp;
    TRoutePlan plan;
    plan.OpenVoyage(kData + "route.mvx");
    plan.CalculateAll();
    plan.WriteRoutePlan(tmp.Path() + "route.mvx");
    EXPECT_EQ(ReadFile(tmp.Path() + "route.mvx"), ReadFile(kData + "route.mvx"));

    plan.OpenLibrary(kData + "library.xml");
    plan.SaveLibrary(tmp.Path() + "library.xml");
    EXPECT_EQ(ReadFile(tmp.Path() + "library.xml"), ReadFile(kData + "library.xml"));

    // Values as read: entities, the carriage returns of the charts, empty texts.
    EXPECT_EQ(plan.tblRoute.Description, "Via the \"Dover Strait\" & Ushant TSS");
    EXPECT_EQ(plan.tblRoute.Charts, "Charts: BA 2449, BA 2675\rList of Lights: NP 75\rALRS: NP 281(1)");
    EXPECT_EQ(plan.tblRouteDetails[1].WpName, "Dover Strait <SW lane>");
    EXPECT_EQ(plan.tblRouteDetails[1].Description, "");
    ASSERT_EQ(plan.tblLibrary.size(), 5u);
    EXPECT_EQ(plan.tblLibrary[2].WpName, "Dateline & \"North\"");
    EXPECT_EQ(plan.tblLibrary[3].WpName, "S\u00E3o Vicente");
    EXPECT_EQ(plan.tblLibrary[3].Latitude, -1.234e-3);
}

TEST(RoutePlan, NewRoutePlanSavesHeaderRouteAndDefaults)
{
    TempFolder tmp;
    TRoutePlan plan;
    plan.Init();
    plan.WriteRoutePlan(tmp.Path() + "new.mvx");
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<RoutePlan>\r\n"
        "  <Header>\r\n"
        "    <Contents>Marovin</Contents>\r\n"
        "    <Version>9.1.0.1</Version>\r\n"
        "    <CalcMethod>Marovin</CalcMethod>\r\n"
        "  </Header>\r\n"
        "  <Route>\r\n"
        "    <RouteId>1</RouteId>\r\n"
        "    <RouteNo>01/2011</RouteNo>\r\n"
        "    <RouteName>RouteName</RouteName>\r\n"
        "    <Departure>Departure</Departure>\r\n"
        "    <Destination>Destination</Destination>\r\n"
        "    <Description>Description</Description>\r\n"
        "    <Charts>Charts:\rList of Lights:\rALRS:</Charts>\r\n"
        "    <Distance>0</Distance>\r\n"
        "    <WpCount>0</WpCount>\r\n"
        "  </Route>\r\n"
        "</RoutePlan>\r\n";
    EXPECT_EQ(ReadFile(tmp.Path() + "new.mvx"), expected);

    // An empty library is a root without children and reopens empty.
    plan.SaveLibrary(tmp.Path() + "empty.xml");
    EXPECT_EQ(ReadFile(tmp.Path() + "empty.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Library></Library>\r\n");
    plan.NewLibraryContent();
    plan.OpenLibrary(tmp.Path() + "empty.xml");
    EXPECT_TRUE(plan.tblLibrary.empty());
}

TEST(RoutePlan, SavingNumbersWaypointsByPositionAndKeepsSixDigits)
{
    TempFolder tmp;
    TRoutePlan plan;
    plan.Init();
    plan.AddRouteWaypoint(Wp("A", 10, 10, 7));
    plan.AddRouteWaypoint(Wp("B", 11, -122.205833333, 2));
    plan.AddRouteWaypoint(Wp("C", 12, 10, 5));
    plan.CalculateAll();
    plan.WriteRoutePlan(tmp.Path() + "r.mvx");
    const std::string text = ReadFile(tmp.Path() + "r.mvx");
    EXPECT_NE(text.find("<Longitude>-122.206</Longitude>"), std::string::npos);

    TRoutePlan reopened;
    reopened.OpenVoyage(tmp.Path() + "r.mvx");
    ASSERT_EQ(reopened.tblRouteDetails.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reopened.tblRouteDetails[i].RouteWpId, i + 1);
    EXPECT_EQ(reopened.tblRouteDetails[1].CalcLongitude(), "122\u00B0 12.360' W");
}

TEST(RoutePlan, OpenSortsByOrdNumberAndCalculationRenumbers)
{
    TRoutePlan plan;
    plan.OpenVoyage(kData + "route-unsorted.mvx");
    ASSERT_EQ(plan.tblRouteDetails.size(), 3u);
    // Stored as 12, 5, 9 (element names in other letter cases too): opened as 5, 9, 12.
    EXPECT_EQ(plan.tblRouteDetails[0].WpName, "Alpha");
    EXPECT_EQ(plan.tblRouteDetails[1].WpName, "Bravo");
    EXPECT_EQ(plan.tblRouteDetails[2].WpName, "Charlie");
    EXPECT_EQ(plan.tblRouteDetails[0].OrdNumber, 5);
    plan.CalculateAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(plan.tblRouteDetails[i].OrdNumber, i + 1);
    // Alpha 10N 12E -> Bravo 11N 12E -> Charlie 10N 10E.
    EXPECT_EQ(plan.tblRouteDetails[0].CalcCourse, 0);
    EXPECT_EQ(plan.tblRouteDetails[0].CalcDistance, 60);
    EXPECT_EQ(plan.tblRoute.WpCount, 3);
    EXPECT_DOUBLE_EQ(plan.tblRoute.Distance, 60 + plan.tblRouteDetails[1].CalcDistance);
}

TEST(RoutePlan, CalculationRoundsEachLegBeforeSumming)
{
    TRoutePlan plan;
    plan.Init();
    // Two waypoints 10N 10E and 11N 10E: 0.0 / 60.00, then 0.0 / 0.00; total 60.
    plan.AddRouteWaypoint(Wp("A", 10, 10));
    plan.AddRouteWaypoint(Wp("B", 11, 10));
    plan.CalculateAll();
    EXPECT_EQ(plan.tblRouteDetails[0].CalcDistance, 60);
    EXPECT_EQ(plan.tblRouteDetails[1].CalcDistance, 0);
    EXPECT_EQ(plan.tblRoute.WpCount, 2);
    EXPECT_EQ(plan.tblRoute.Distance, 60);

    // Three legs of 10.004 nm along a meridian: 10.00 each, total 30.
    plan.DeleteAllRouteWaypoints();
    const double step = 10.004 / 60;
    for (int i = 0; i < 4; ++i)
        plan.AddRouteWaypoint(Wp("M" + std::to_string(i), i * step, 20));
    plan.CalculateAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(plan.tblRouteDetails[i].CalcDistance, 10.0) << i;
    EXPECT_EQ(plan.tblRoute.Distance, 30);
    EXPECT_EQ(plan.tblRoute.WpCount, 4);

    // A course just west of north, 359.96, shows as 360.0.
    plan.DeleteAllRouteWaypoints();
    const double dLon = MeridionalParts(1) * std::tan(0.04 * M_PI / 180) / 60;
    plan.AddRouteWaypoint(Wp("N0", 0, 0));
    plan.AddRouteWaypoint(Wp("N1", 1, -dLon));
    plan.CalculateAll();
    EXPECT_EQ(plan.tblRouteDetails[0].CalcCourse, 360.0);
}

TEST(RoutePlan, RoundingIsHalfToEven)
{
    struct TCase {
        double X;
        int Decimals;
        double Expected;
    };
    const TCase cases[] = {
        {0.125, 2, 0.12}, {0.375, 2, 0.38}, {12.25, 1, 12.2}, {12.35, 1, 12.3}, // 12.35 is below the half in binary
        {359.96, 1, 360}, {10.004, 2, 10}, {2.5, 0, 2}, {-0.125, 2, -0.12},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(RoundHalfEven(c.X, c.Decimals), c.Expected) << c.X;
}

TEST(RoutePlan, MoveUpAndDownExchangeNeighboursAndAlwaysRecalculate)
{
    TRoutePlan plan;
    plan.Init();
    plan.AddRouteWaypoint(Wp("A", 10, 10));
    plan.AddRouteWaypoint(Wp("B", 11, 10));
    plan.AddRouteWaypoint(Wp("C", 12, 10));
    auto names = [&] {
        std::string s;
        for (const TRouteWaypoint& w : plan.tblRouteDetails)
            s += w.WpName + std::to_string(w.OrdNumber);
        return s;
    };
    // At the ends nothing is exchanged, but the calculation runs all the same.
    EXPECT_EQ(plan.MoveUp(0), 0u);
    EXPECT_EQ(plan.tblRouteDetails[0].CalcDistance, 60);
    plan.tblRouteDetails[1].CalcDistance = 123;
    EXPECT_EQ(plan.MoveDown(2), 2u);
    EXPECT_EQ(plan.tblRouteDetails[1].CalcDistance, 60);
    EXPECT_EQ(names(), "A1B2C3");

    EXPECT_EQ(plan.MoveDown(0), 1u);
    EXPECT_EQ(names(), "B1A2C3");
    EXPECT_EQ(plan.tblRouteDetails[0].CalcCourse, 180); // B 11N -> A 10N
    EXPECT_EQ(plan.MoveUp(2), 1u);
    EXPECT_EQ(names(), "B1C2A3");
    EXPECT_EQ(plan.tblRoute.Distance, 60 + 120);
}

TEST(RoutePlan, DeletingWaypointsKeepsTheTotalsTrue)
{
    TRoutePlan plan;
    plan.Init();
    plan.AddRouteWaypoint(Wp("A", 10, 10));
    plan.AddRouteWaypoint(Wp("B", 11, 10));
    plan.AddRouteWaypoint(Wp("C", 12, 10));
    plan.CalculateAll();
    EXPECT_EQ(plan.tblRoute.Distance, 120);

    plan.DeleteRouteWaypoint(1);
    EXPECT_EQ(plan.tblRouteDetails[1].WpName, "C");
    EXPECT_EQ(plan.tblRouteDetails[1].OrdNumber, 2);
    EXPECT_EQ(plan.tblRoute.Distance, 120); // A -> C is two degrees
    EXPECT_EQ(plan.tblRoute.WpCount, 2);

    // Down to one waypoint: no leg is left, so neither the waypoint nor the header keeps
    // the deleted leg, and a new waypoint goes after it.
    plan.DeleteRouteWaypoint(0);
    ASSERT_EQ(plan.tblRouteDetails.size(), 1u);
    EXPECT_EQ(plan.tblRouteDetails[0].OrdNumber, 1);
    EXPECT_EQ(plan.tblRouteDetails[0].CalcDistance, 0);
    EXPECT_EQ(plan.tblRoute.Distance, 0);
    EXPECT_EQ(plan.tblRoute.WpCount, 1);
    plan.AddRouteWaypoint(Wp("D", 13, 10));
    EXPECT_EQ(plan.tblRouteDetails[1].WpName, "D");

    // Delete All sets the totals to 0 without a calculation.
    plan.CalculateAll();
    EXPECT_EQ(plan.tblRoute.Distance, 60);
    plan.DeleteAllRouteWaypoints();
    EXPECT_TRUE(plan.tblRouteDetails.empty());
    EXPECT_EQ(plan.tblRoute.WpCount, 0);
    EXPECT_EQ(plan.tblRoute.Distance, 0);
}

TEST(RoutePlan, InvalidPositionStopsTheCalculationWithLegsBeforeItKept)
{
    TRoutePlan plan;
    plan.OpenVoyage(kData + "broken/invalid-latitude.mvx");
    try {
        plan.CalculateAll();
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid Latitude");
    }
    EXPECT_EQ(plan.tblRouteDetails[0].CalcDistance, 60);
    EXPECT_EQ(plan.tblRoute.Distance, 999); // the totals are not reached
}

TEST(RoutePlan, TextsAreCutToTheirFieldSizes)
{
    EXPECT_EQ(CutText("abc", 2), "ab");
    EXPECT_EQ(CutText("\u00E5\u00E6\u00F8x", 3), "\u00E5\u00E6\u00F8"); // characters, not bytes
    EXPECT_EQ(CutText("short", 30), "short");

    TRoutePlan plan;
    plan.Init();
    TLibraryWaypoint lib;
    lib.WpId = 1;
    lib.WpName = std::string(40, 'n');
    lib.Description = std::string(120, 'd');
    plan.AddLibraryWaypoint(lib);
    EXPECT_EQ(plan.tblLibrary[0].WpName.size(), 30u);
    EXPECT_EQ(plan.tblLibrary[0].Description.size(), 100u);
    TRouteWaypoint wp = Wp(lib.WpName, 0, 0);
    wp.Description = lib.Description;
    plan.AddRouteWaypoint(wp);
    EXPECT_EQ(plan.tblRouteDetails[0].WpName.size(), 30u);
    EXPECT_EQ(plan.tblRouteDetails[0].Description.size(), 50u);
}

// Every broken file fails with the reader's or the program's message, and the document
// (or the library) stays exactly as it was.
TEST(RoutePlan, BrokenFilesFailAndLeaveTheDocumentAsItWas)
{
    struct TCase {
        const char* File;
        const char* Message; // start of the message; the path follows where it ends in ": "
    };
    const TCase routeCases[] = {
        {"broken/empty.mvx", "Unable to load the file: "},
        {"broken/declaration-only.mvx", "Unable to load the file: "},
        {"broken/not-xml.mvx", "Invalid XML in "},
        {"broken/missing-routename.mvx", "Element 'RouteName' not found"},
        {"broken/missing-wpname.mvx", "Element 'WpName' not found"},
        {"broken/bad-latitude.mvx", "Cannot convert value to float"},
        {"broken/bad-ordnumber.mvx", "'1.5' is not a valid integer value"},
        {"broken/bad-distance.mvx", "Cannot convert value to float"},
        {"broken/huge-wpcount.mvx", "'99999999999' is not a valid integer value"},
        {"broken/infinite-longitude.mvx", "Cannot convert value to float"},
        {"does-not-exist.mvx", "Cannot open file "},
    };
    for (const TCase& c : routeCases) {
        TRoutePlan plan;
        plan.OpenVoyage(kData + "route.mvx");
        const std::string before = plan.tblRouteDetails[2].WpName;
        try {
            plan.OpenVoyage(kData + c.File);
            ADD_FAILURE() << c.File;
        } catch (const shell::Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << c.File << ": " << e.what();
        }
        EXPECT_EQ(plan.tblRoute.RouteName, "Rotterdam - Lisboa") << c.File;
        ASSERT_EQ(plan.tblRouteDetails.size(), 4u) << c.File;
        EXPECT_EQ(plan.tblRouteDetails[2].WpName, before);
    }

    const TCase libraryCases[] = {
        {"broken/empty.xml", "Unable to load the file: "},
        {"broken/not-xml.xml", "Invalid XML in "},
        {"broken/missing-longitude.xml", "Element 'Longitude' not found"},
        {"broken/bad-wpid.xml", "'x7' is not a valid integer value"},
        {"broken/bad-latitude.xml", "Cannot convert value to float"},
    };
    for (const TCase& c : libraryCases) {
        TRoutePlan plan;
        plan.OpenLibrary(kData + "library.xml");
        try {
            plan.OpenLibrary(kData + c.File);
            ADD_FAILURE() << c.File;
        } catch (const shell::Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << c.File << ": " << e.what();
        }
        EXPECT_EQ(plan.tblLibrary.size(), 5u) << c.File;
        EXPECT_TRUE(plan.LibraryLoadFailed);
    }
}

TEST(RoutePlan, OpenAsTheProgramDoes)
{
    TRoutePlan plan;
    OpenRoutePlanAsProgram(plan, kData + "route-unsorted.mvx");
    EXPECT_EQ(plan.tblRouteDetails[2].OrdNumber, 3); // calculated after opening

    struct TCase {
        const char* File;
        const char* Message;
    };
    const TCase cases[] = {
        {"broken/not-marovin.mvx", "Can't load file: "},
        {"broken/no-contents.mvx", "Can't load file: "},
        {"broken/missing-wpname.mvx", "Can't load file: "},
        {"broken/empty.mvx", "Unable to load the file: "},
    };
    for (const TCase& c : cases) {
        try {
            OpenRoutePlanAsProgram(plan, kData + c.File);
            ADD_FAILURE() << c.File;
        } catch (const shell::Error& e) {
            EXPECT_EQ(std::string(e.what()), c.Message + kData + c.File);
        }
    }
    EXPECT_THROW(OpenRoutePlanAsProgram(plan, kData + "broken/invalid-latitude.mvx"), EConvertError);
}

TEST(RoutePlan, LibraryIsLoadedAtCreationFromPathDefaultOrNew)
{
    TempFolder tmp;
    const std::string folder = tmp.Path();
    TRoutePlan plan;
    plan.WaypointsFolder = folder;

    // Neither the remembered library nor "default.xml": a new library at "default.xml",
    // written by the first save of the route plan.
    plan.LibraryFileName = folder + "Coast.xml";
    plan.LoadLibraryAtCreation();
    EXPECT_EQ(plan.LibraryFileName, folder + "default.xml");
    ASSERT_EQ(plan.tblLibrary.size(), 1u);
    EXPECT_EQ(plan.tblLibrary[0].WpId, 1);
    EXPECT_EQ(plan.tblLibrary[0].WpName, "Name");
    EXPECT_EQ(plan.tblLibrary[0].Latitude, 10);
    EXPECT_EQ(plan.tblLibrary[0].Longitude, 10);
    EXPECT_EQ(plan.tblLibrary[0].Description, "Description");
    EXPECT_FALSE(fs::exists(folder + "default.xml"));
    plan.Init();
    plan.SaveVoyage(folder + "route.mvx");
    EXPECT_TRUE(fs::exists(folder + "default.xml"));

    // "default.xml" exists: it becomes the library.
    fs::copy_file(kData + "library.xml", folder + "default.xml", fs::copy_options::overwrite_existing);
    TRoutePlan second;
    second.WaypointsFolder = folder;
    second.LibraryFileName = folder + "Coast.xml";
    second.LoadLibraryAtCreation();
    EXPECT_EQ(second.LibraryFileName, folder + "default.xml");
    EXPECT_EQ(second.tblLibrary.size(), 5u);

    // The remembered library exists: it is loaded.
    WriteFile(folder + "Coast.xml", "<Library><Waypoints><WpId>4</WpId><WpName>X</WpName><Latitude>1</Latitude>"
                                    "<Longitude>2</Longitude><Description/></Waypoints></Library>");
    TRoutePlan third;
    third.WaypointsFolder = folder;
    third.LibraryFileName = folder + "Coast.xml";
    third.LoadLibraryAtCreation();
    EXPECT_EQ(third.LibraryFileName, folder + "Coast.xml");
    ASSERT_EQ(third.tblLibrary.size(), 1u);
    EXPECT_EQ(third.tblLibrary[0].WpId, 4);
}

TEST(RoutePlan, DamagedLibraryIsNotOverwrittenBySavingTheRoute)
{
    TempFolder tmp;
    const std::string folder = tmp.Path();
    const std::string damaged = ReadFile(kData + "broken/bad-wpid.xml");
    WriteFile(folder + "default.xml", damaged);
    TRoutePlan plan;
    plan.WaypointsFolder = folder;
    plan.LibraryFileName = folder + "default.xml";
    EXPECT_THROW(plan.LoadLibraryAtCreation(), shell::Error);
    EXPECT_TRUE(plan.tblLibrary.empty());
    plan.Init();
    plan.SaveVoyage(folder + "route.mvx");
    EXPECT_TRUE(fs::exists(folder + "route.mvx"));
    EXPECT_EQ(ReadFile(folder + "default.xml"), damaged);

    // Once the user changes the library, saving writes it as it now stands.
    TLibraryWaypoint wp;
    wp.WpId = 3;
    wp.WpName = "Typed";
    plan.AddLibraryWaypoint(wp);
    plan.SaveVoyage(folder + "route.mvx");
    TRoutePlan check;
    check.OpenLibrary(folder + "default.xml");
    ASSERT_EQ(check.tblLibrary.size(), 1u);
    EXPECT_EQ(check.tblLibrary[0].WpName, "Typed");
}

TEST(RoutePlan, OpenLibraryCommandChecksRootCopiesOnceAndKeepsTheChosenPath)
{
    TempFolder waypoints, elsewhere;
    TRoutePlan plan;
    plan.WaypointsFolder = waypoints.Path();
    plan.LibraryFileName = waypoints.Path() + "default.xml";
    plan.NewLibraryContent();

    EXPECT_EQ(plan.OpenLibraryFile(kData + "route.mvx"), "Unknown file format: " + kData + "route.mvx");
    EXPECT_EQ(plan.LibraryFileName, waypoints.Path() + "default.xml");
    EXPECT_EQ(plan.tblLibrary.size(), 1u);

    const std::string chosen = elsewhere.Path() + "Coast.xml";
    fs::copy_file(kData + "library.xml", chosen);
    EXPECT_EQ(plan.OpenLibraryFile(chosen), "");
    EXPECT_EQ(plan.LibraryFileName, chosen); // the chosen file, not the copy
    EXPECT_EQ(plan.tblLibrary.size(), 5u);
    EXPECT_EQ(ReadFile(waypoints.Path() + "Coast.xml"), ReadFile(chosen));

    // The copy is never overwritten; later saves go to the chosen file.
    plan.DeleteLibraryWaypoint(0);
    plan.SaveCurrentLibrary();
    EXPECT_EQ(plan.OpenLibraryFile(chosen), "");
    EXPECT_EQ(plan.tblLibrary.size(), 4u);
    EXPECT_EQ(ReadFile(waypoints.Path() + "Coast.xml"), ReadFile(kData + "library.xml"));

    // A library that fails to load keeps the previous library and its path.
    EXPECT_THROW(plan.OpenLibraryFile(kData + "broken/bad-wpid.xml"), shell::Error);
    EXPECT_EQ(plan.LibraryFileName, chosen);
    EXPECT_EQ(plan.tblLibrary.size(), 4u);

    // New Library: the path is the Waypoints folder + the trimmed name + ".xml".
    plan.NewLibrary(" Pacific ");
    EXPECT_EQ(plan.LibraryFileName, waypoints.Path() + "Pacific.xml");
    EXPECT_EQ(plan.tblLibrary.size(), 1u);
}

TEST(RoutePlan, LibraryWaypointsAreFoundAtAnyDepthInAnyLetterCase)
{
    TempFolder tmp;
    WriteFile(tmp.Path() + "nested.xml",
              "<library><Group><WAYPOINTS><wpid>9</wpid><WPNAME> Deep </WPNAME><latitude>1,5</latitude>"
              "<Longitude> -2 </Longitude><Description/></WAYPOINTS></Group>"
              "<Waypoints><Description>d</Description><Longitude>4</Longitude><Latitude>3</Latitude>"
              "<WpName>Outer</WpName><WpId>2</WpId><WpId>77</WpId>"
              "<Extra><Waypoints><WpId>5</WpId><WpName>Inner</WpName><Latitude>-1.234E-3</Latitude>"
              "<Longitude>0</Longitude><Description>x</Description></Waypoints></Extra></Waypoints></library>");
    TRoutePlan plan;
    plan.OpenLibrary(tmp.Path() + "nested.xml");
    ASSERT_EQ(plan.tblLibrary.size(), 3u);
    EXPECT_EQ(plan.tblLibrary[0].WpId, 2); // the first WpId of a record counts
    EXPECT_EQ(plan.tblLibrary[0].WpName, "Outer");
    EXPECT_EQ(plan.tblLibrary[0].Latitude, 3);
    EXPECT_EQ(plan.tblLibrary[1].WpName, "Inner");
    EXPECT_EQ(plan.tblLibrary[1].Latitude, -1.234e-3);
    EXPECT_EQ(plan.tblLibrary[2].WpName, "Deep");
    EXPECT_EQ(plan.tblLibrary[2].Latitude, 1.5);
    EXPECT_EQ(plan.tblLibrary[2].Longitude, -2);
}

TEST(RoutePlan, LibraryNumbersReadBackExactlyAsTheXmlLayerReadsThem)
{
    TempFolder tmp;
    TRoutePlan plan;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180), tiny(-1e-3, 1e-3);
    for (int i = 0; i < 2000; ++i) {
        TLibraryWaypoint wp;
        wp.WpId = i % 2 ? -i * 1000 : i * 1000003;
        wp.WpName = "W";
        wp.Latitude = i % 3 ? lat(random) : tiny(random);
        wp.Longitude = lon(random);
        plan.tblLibrary.push_back(wp);
    }
    std::sort(plan.tblLibrary.begin(), plan.tblLibrary.end(),
              [](const TLibraryWaypoint& a, const TLibraryWaypoint& b) { return a.WpId < b.WpId; });
    plan.SaveLibrary(tmp.Path() + "l.xml");
    TRoutePlan reopened;
    reopened.OpenLibrary(tmp.Path() + "l.xml");
    ASSERT_EQ(reopened.tblLibrary.size(), plan.tblLibrary.size());
    for (size_t i = 0; i < plan.tblLibrary.size(); ++i) {
        const TLibraryWaypoint& a = plan.tblLibrary[i];
        const TLibraryWaypoint& b = reopened.tblLibrary[i];
        ASSERT_EQ(b.WpId, a.WpId);
        ASSERT_EQ(b.Latitude, shell::XmlTextToFloat(shell::FloatToXmlText(a.Latitude))) << a.Latitude;
        ASSERT_EQ(b.Longitude, shell::XmlTextToFloat(shell::FloatToXmlText(a.Longitude))) << a.Longitude;
    }
}

TEST(RoutePlan, LibraryKeepsWpIdOrder)
{
    TRoutePlan plan;
    for (int id : {5, 2, 9, 2}) {
        TLibraryWaypoint wp;
        wp.WpId = id;
        wp.WpName = "W" + std::to_string(plan.tblLibrary.size());
        plan.AddLibraryWaypoint(wp);
    }
    std::string order;
    for (const TLibraryWaypoint& wp : plan.tblLibrary)
        order += std::to_string(wp.WpId) + wp.WpName + " ";
    EXPECT_EQ(order, "2W1 2W3 5W0 9W2 ");
    EXPECT_EQ(plan.FindLibraryWaypoint(9), 3);
    EXPECT_EQ(plan.FindLibraryWaypoint(4), -1);
}

TEST(RoutePlan, ChangesAreReported)
{
    TRoutePlan plan;
    int changes = 0;
    plan.OnChanged = [&] { ++changes; };
    plan.Init();
    plan.AddRouteWaypoint(Wp("A", 10, 10));
    plan.NewLibraryContent();
    plan.DeleteLibraryWaypoint(0);
    EXPECT_EQ(changes, 4);
    plan.CalculateAll(); // the header's count becomes 1
    EXPECT_EQ(changes, 5);
    plan.CalculateAll(); // one waypoint, already settled: nothing changes
    EXPECT_EQ(changes, 5);
}

TEST(RoutePlan, ReportDatasetsOfferEveryFieldByName)
{
    TRoutePlan plan;
    OpenRoutePlanAsProgram(plan, kData + "route.mvx");
    plan.OpenLibrary(kData + "library.xml");
    std::vector<shell::TReportDataset> route = RouteDatasets(plan);
    ASSERT_EQ(route.size(), 2u);
    EXPECT_EQ(route[0].UserName, "frxDsRoute");
    EXPECT_EQ(route[1].UserName, "frxDsRouteWaypoints");
    ASSERT_EQ(route[1].Rows.size(), 4u);
    auto field = [](const shell::TReportDataset& ds, size_t row, const std::string& name) {
        for (size_t i = 0; i < ds.Fields.size(); ++i)
            if (ds.Fields[i] == name)
                return ReportValueText(ds.Rows[row][i]);
        return std::string("<missing>");
    };
    EXPECT_EQ(field(route[0], 0, "Distance"), "1034.1");
    EXPECT_EQ(field(route[1], 2, "CalcCourse"), "196");
    EXPECT_EQ(field(route[1], 2, "CalcDistance"), "606.5");
    EXPECT_EQ(field(route[1], 2, "CalcLongitude"), "005\u00B0 45.000' W");
    std::vector<shell::TReportDataset> library = LibraryDatasets(plan);
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].UserName, "frxDsLibrary");
    EXPECT_EQ(field(library[0], 2, "WpId"), "7");
    EXPECT_EQ(field(library[0], 2, "CalcLatitude"), "12\u00B0 20.742' S");
    EXPECT_EQ(RouteReportSource(plan, "/t/").TemplatePath(), "/t/RepRoute.fr3");
    EXPECT_EQ(LibraryReportSource(plan, "/t/").MissingTemplateMessage(), "Unable to find 'RepLibrary.fr3' file.");
}

} // namespace
