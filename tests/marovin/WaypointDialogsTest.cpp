// The waypoint dialogs' decisions: checks in order with their messages and boxes, and
// the insert rules.
#include "marovin/core/WaypointDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace marovin;
using F = TWaypointField;

namespace {

const char* const kLatFormats = "Invalid Format.\r\nAcceptable Formats:\r\n22-12.3N\r\n22-12N\r\n22N";
const char* const kLonFormats = "Invalid Format.\r\nAcceptable Formats:\r\n122-12.3W\r\n122-12W\r\n122W";

TEST(WaypointDialogs, ChecksInOrderWithMessageAndBox)
{
    struct TCase {
        TWaypointDialog Dialog;
        TWaypointBoxes Boxes; // number, name, latitude, longitude, description
        const char* Message;  // "" when every check passes
        F Focus;
    };
    using D = TWaypointDialog;
    const TCase cases[] = {
        {D::NewLibWp, {" ", "", "", "", ""}, "Waypoint Number is required.", F::WpNumber},
        {D::EditLibWp, {"", " ", "", "", ""}, "Waypoint Name is required.", F::WpName},
        {D::NewLibWp, {"1", "A", "", "", ""}, "Latitude is required.", F::Latitude},
        {D::NewRouteWpDir, {"", "A", "22N", " ", ""}, "Longitude is required.", F::Longitude},
        {D::NewLibWp, {"1", "A", "95N", "x", ""}, "Latitude must be from 0 to 90.", F::Latitude},
        {D::NewLibWp, {"1", "A", "22-1.2.3N", "1.2.3", ""}, kLatFormats, F::Latitude},
        {D::EditLibWp, {"", "A", "22N", "122-12-3W", ""}, kLonFormats, F::Longitude},
        {D::EditLibWp, {"", "A", "22N", "181E", ""}, "Longitude must be from 0 to 180.", F::Longitude},
        {D::EditLibWp, {"", "A", "90S", "180W", ""}, "", F::None},
        {D::EditLibWp, {"", "A", "-95.5", "0", ""}, "", F::None}, // "-" is the degrees mark: 95.5 minutes
        // The route waypoint edit lets empty positions pass (stored as 0).
        {D::EditRouteWp, {"3", "A", "", "", ""}, "", F::None},
        {D::EditRouteWp, {"3", "A", "91N", "", ""}, "Latitude must be from 0 to 90.", F::Latitude},
    };
    for (const TCase& c : cases) {
        TDialogResult r = ValidateWaypoint(c.Dialog, c.Boxes);
        EXPECT_EQ(r.Message, c.Message) << c.Boxes.Latitude << " / " << c.Boxes.Longitude;
        EXPECT_EQ(r.Focus, c.Focus) << c.Message;
        EXPECT_EQ(r.Kind, r.Ok() ? TMessageKind::None : TMessageKind::Error);
    }
}

TEST(WaypointDialogs, NewLibraryWaypointChecksNumberAndDuplicates)
{
    TRoutePlan plan;
    plan.NewLibraryContent(); // waypoint 1
    TDialogResult r = InsertLibraryWaypoint(plan, {"7", " Fastnet ", "51-23.3n", "009-36.1w", " Rock "});
    EXPECT_TRUE(r.Ok());
    EXPECT_TRUE(r.ClearBoxes);
    EXPECT_EQ(r.Focus, F::WpNumber);
    ASSERT_EQ(plan.tblLibrary.size(), 2u);
    EXPECT_EQ(plan.tblLibrary[1].WpName, "Fastnet");
    EXPECT_EQ(plan.tblLibrary[1].Description, "Rock");
    EXPECT_NEAR(plan.tblLibrary[1].Latitude, 51 + 23.3 / 60, 1e-12);
    EXPECT_NEAR(plan.tblLibrary[1].Longitude, -(9 + 36.1 / 60), 1e-12);

    for (const char* number : {"7", "007"}) {
        r = InsertLibraryWaypoint(plan, {number, "Again", "1N", "1E", ""});
        EXPECT_EQ(r.Message, std::string("Waypoint with No. = ") + number + " already exists. Enter new Waypoint No.");
        EXPECT_EQ(r.Focus, F::WpNumber);
    }
    r = InsertLibraryWaypoint(plan, {"99999999999", "Big", "1N", "1E", ""});
    EXPECT_EQ(r.Message, "Invalid format: '99999999999' is not a valid integer value");
    EXPECT_EQ(r.Kind, TMessageKind::Plain);
    EXPECT_EQ(plan.tblLibrary.size(), 2u);
}

TEST(WaypointDialogs, RouteInsertsNumberWaypointsAndRefuseTakenNumbers)
{
    TRoutePlan plan;
    plan.Init();
    plan.NewLibraryContent();
    TLibraryWaypoint lib;
    lib.WpId = 2;
    lib.WpName = "Two";
    lib.Latitude = 2;
    lib.Description = std::string(80, 'd');
    plan.AddLibraryWaypoint(lib);

    // Two typed waypoints take RouteWpId 1 and 2 ...
    EXPECT_TRUE(InsertRouteWaypointDirect(plan, {"", "T1", "1N", "1E", ""}).Ok());
    TDialogResult r = InsertRouteWaypointDirect(plan, {"", "T2", "2N", "1E", ""});
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.Focus, F::WpName);
    EXPECT_EQ(plan.tblRouteDetails[1].RouteWpId, 2);
    EXPECT_EQ(plan.tblRouteDetails[1].OrdNumber, 2);
    // ... so library waypoint 2 is refused although it is not in the route.
    r = InsertRouteWaypointFromLibrary(plan, 1);
    EXPECT_EQ(r.Message, "Waypoint - Two already exists. Enter new waypoint No.");
    EXPECT_EQ(r.Focus, F::WpNumber);

    // Library waypoints 1 and 2 are both taken by the typed waypoints.
    EXPECT_FALSE(InsertRouteWaypointFromLibrary(plan, 0).Ok());
    // Library waypoint 5 goes in once, copied (the description cut to 50).
    lib.WpId = 5;
    lib.WpName = "Five";
    lib.Latitude = 5;
    plan.AddLibraryWaypoint(lib);
    EXPECT_TRUE(InsertRouteWaypointFromLibrary(plan, 2).Ok());
    EXPECT_EQ(plan.tblRouteDetails[2].RouteWpId, 5);
    EXPECT_EQ(plan.tblRouteDetails[2].OrdNumber, 3);
    EXPECT_EQ(plan.tblRouteDetails[2].WpName, "Five");
    EXPECT_EQ(plan.tblRouteDetails[2].Description.size(), 50u);
    EXPECT_FALSE(InsertRouteWaypointFromLibrary(plan, 2).Ok());
    // Editing the library does not touch the route's copy.
    plan.EditLibraryWaypoint(2, "Renamed", 9, 9, "");
    EXPECT_EQ(plan.tblRouteDetails[2].WpName, "Five");
    EXPECT_EQ(plan.tblRouteDetails[2].Latitude, 5);
    EXPECT_EQ(plan.tblRouteDetails.size(), 3u);

    // The pick list and the located waypoint.
    EXPECT_EQ(LibraryPickList(plan), (std::vector<std::string>{"1", "2", "5"}));
    EXPECT_EQ(LocatePickedWaypoint(plan, "2"), 1);
    EXPECT_EQ(LocatePickedWaypoint(plan, "x"), -1);
}

TEST(WaypointDialogs, EditDialogsFillAndApply)
{
    TRoutePlan plan;
    plan.Init();
    TRouteWaypoint a;
    a.RouteWpId = 3;
    a.WpName = "A";
    a.Latitude = 22.205;
    a.Longitude = -122.205;
    plan.AddRouteWaypoint(a);
    plan.AddRouteWaypoint(a);
    EXPECT_EQ(EditDialogCaption(plan.tblRouteDetails[0].RouteWpId), "Waypoint No. 3");
    TWaypointBoxes boxes = EditBoxesOf(plan.tblRouteDetails[0]);
    EXPECT_EQ(boxes.WpNumber, "3");
    EXPECT_EQ(boxes.Latitude, "22-12.300N");
    EXPECT_EQ(boxes.Longitude, "122-12.300W");

    // An empty latitude box is accepted and moves the waypoint to latitude 0; the route
    // is recalculated.
    boxes.Latitude = "";
    boxes.WpName = "  B  ";
    ASSERT_TRUE(ValidateWaypoint(TWaypointDialog::EditRouteWp, boxes).Ok());
    ApplyRouteWaypointEdit(plan, 0, boxes);
    EXPECT_EQ(plan.tblRouteDetails[0].WpName, "B");
    EXPECT_EQ(plan.tblRouteDetails[0].Latitude, 0);
    EXPECT_EQ(plan.tblRouteDetails[0].CalcCourse, 0);
    EXPECT_NEAR(plan.tblRouteDetails[0].CalcDistance, 22.205 * 60, 0.005);

    EXPECT_EQ(DeleteRouteWaypointQuestion(plan.tblRouteDetails[0]), "Delete waypoint - \"B\" ?");
    TLibraryWaypoint lib;
    lib.WpName = "L";
    EXPECT_EQ(DeleteLibraryWaypointQuestion(lib), "Delete waypoint - \"L\"");
}

TEST(WaypointDialogs, NewLibraryNameMustBeGivenAndFree)
{
    std::random_device rd;
    const auto folder = std::filesystem::temp_directory_path() / ("marovin-lib-" + std::to_string(rd()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Coast.xml") << "<Library></Library>";
    const std::string path = folder.string() + "/";

    TDialogResult r = ValidateNewLibraryName("  ", path);
    EXPECT_EQ(r.Message, "Library name is required.");
    EXPECT_EQ(r.Focus, F::LibraryName);
    r = ValidateNewLibraryName(" Coast ", path);
    EXPECT_EQ(r.Message, "Library:  Coast  already exists.\n\rPlease enter another library name");
    EXPECT_TRUE(ValidateNewLibraryName("Pacific", path).Ok());
    std::filesystem::remove_all(folder);
}

TEST(WaypointDialogs, KeyFilters)
{
    for (char32_t c : {U'0', U'9', U'-', U'.', U'N', U's', char32_t(8)})
        EXPECT_TRUE(AcceptLatitudeKey(c)) << static_cast<int>(c);
    for (char32_t c : {U'x', U',', U'E', U' ', U'\u00F1', U'\u2116'})
        EXPECT_FALSE(AcceptLatitudeKey(c)) << static_cast<int>(c);
    EXPECT_TRUE(AcceptLongitudeKey(U'w'));
    EXPECT_FALSE(AcceptLongitudeKey(U'n'));
    EXPECT_TRUE(AcceptNumberKey(U'7'));
    EXPECT_FALSE(AcceptNumberKey(U'-'));
}

} // namespace
