#include "WaypointDialogs.h"

#include "UtilsMarovin.h"

#include "shell/core/Folders.h"
#include "shell/core/Xml.h"

namespace marovin {

const char* const kDeleteAllRouteWaypointsQuestion = "Delete all route waypoints?";
const char* const kDeleteAllLibraryWaypointsQuestion = "Delete all library waypoints?";
const char* const kNoWaypointsToEdit = "There are no waypoints to edit.";

namespace {

TDialogResult Fail(std::string message, TWaypointField focus, TMessageKind kind = TMessageKind::Error)
{
    TDialogResult r;
    r.Message = std::move(message);
    r.Kind = kind;
    r.Focus = focus;
    return r;
}

TDialogResult Done(TWaypointField focus, bool clearBoxes)
{
    TDialogResult r;
    r.Focus = focus;
    r.ClearBoxes = clearBoxes;
    return r;
}

const char* const kLatitudeFormats = "Invalid Format.\r\nAcceptable Formats:\r\n22-12.3N\r\n22-12N\r\n22N";
const char* const kLongitudeFormats = "Invalid Format.\r\nAcceptable Formats:\r\n122-12.3W\r\n122-12W\r\n122W";
const char* const kSetValueFailed = "Cannot set a value due to the exception: ";

} // namespace

TDialogResult ValidateWaypoint(TWaypointDialog dialog, const TWaypointBoxes& boxes)
{
    using F = TWaypointField;
    if (dialog == TWaypointDialog::NewLibWp && TrimText(boxes.WpNumber).empty())
        return Fail("Waypoint Number is required.", F::WpNumber);
    if (TrimText(boxes.WpName).empty())
        return Fail("Waypoint Name is required.", F::WpName);
    if (dialog != TWaypointDialog::EditRouteWp) {
        if (TrimText(boxes.Latitude).empty())
            return Fail("Latitude is required.", F::Latitude);
        if (TrimText(boxes.Longitude).empty())
            return Fail("Longitude is required.", F::Longitude);
    }
    double lat = 0;
    try {
        lat = ParseLatitude(boxes.Latitude);
    } catch (const shell::Error&) {
        return Fail(kLatitudeFormats, F::Latitude);
    }
    // Negated comparisons so that a value that is not a number fails too.
    if (!(lat <= 90 && lat >= -90))
        return Fail("Latitude must be from 0 to 90.", F::Latitude);
    double lon = 0;
    try {
        lon = ParseLongitude(boxes.Longitude);
    } catch (const shell::Error&) {
        return Fail(kLongitudeFormats, F::Longitude);
    }
    if (!(lon <= 180 && lon >= -180))
        return Fail("Longitude must be from 0 to 180.", F::Longitude);
    return {};
}

TDialogResult InsertLibraryWaypoint(TRoutePlan& plan, const TWaypointBoxes& boxes)
{
    using F = TWaypointField;
    TDialogResult check = ValidateWaypoint(TWaypointDialog::NewLibWp, boxes);
    if (!check.Ok())
        return check;
    int number = 0;
    try {
        number = shell::XmlTextToInteger(boxes.WpNumber);
    } catch (const shell::Error& e) {
        return Fail(std::string("Invalid format: ") + e.what(), F::WpNumber, TMessageKind::Plain);
    }
    if (plan.FindLibraryWaypoint(number) >= 0)
        return Fail("Waypoint with No. = " + boxes.WpNumber + " already exists. " + "Enter new Waypoint No.",
                    F::WpNumber);
    try {
        TLibraryWaypoint wp;
        wp.WpId = number;
        wp.WpName = TrimText(boxes.WpName);
        wp.Latitude = ParseLatitude(boxes.Latitude);
        wp.Longitude = ParseLongitude(boxes.Longitude);
        wp.Description = TrimText(boxes.Description);
        plan.AddLibraryWaypoint(std::move(wp));
    } catch (const std::exception& e) {
        return Fail(kSetValueFailed + std::string(e.what()), F::WpNumber, TMessageKind::Plain);
    }
    return Done(F::WpNumber, true);
}

TDialogResult InsertRouteWaypointDirect(TRoutePlan& plan, const TWaypointBoxes& boxes)
{
    using F = TWaypointField;
    TDialogResult check = ValidateWaypoint(TWaypointDialog::NewRouteWpDir, boxes);
    if (!check.Ok())
        return check;
    try {
        TRouteWaypoint wp;
        // A typed waypoint is numbered after the waypoints already in the route.
        wp.RouteWpId = static_cast<int>(plan.tblRouteDetails.size()) + 1;
        wp.WpName = TrimText(boxes.WpName);
        wp.Latitude = ParseLatitude(boxes.Latitude);
        wp.Longitude = ParseLongitude(boxes.Longitude);
        wp.Description = TrimText(boxes.Description);
        plan.AddRouteWaypoint(std::move(wp));
    } catch (const std::exception& e) {
        return Fail(kSetValueFailed + std::string(e.what()), F::WpName, TMessageKind::Plain);
    }
    return Done(F::WpName, true);
}

TDialogResult InsertRouteWaypointFromLibrary(TRoutePlan& plan, size_t libraryIndex)
{
    using F = TWaypointField;
    if (libraryIndex >= plan.tblLibrary.size())
        return Done(F::WpNumber, false); // an empty library: nothing to insert
    const TLibraryWaypoint& lib = plan.tblLibrary[libraryIndex];
    if (plan.HasRouteWpId(lib.WpId))
        return Fail("Waypoint - " + lib.WpName + " already exists. " + "Enter new waypoint No.", F::WpNumber);
    TRouteWaypoint wp;
    wp.RouteWpId = lib.WpId;
    wp.WpName = lib.WpName;
    wp.Latitude = lib.Latitude;
    wp.Longitude = lib.Longitude;
    wp.Description = lib.Description; // cut to the route's 50 characters when stored
    plan.AddRouteWaypoint(std::move(wp));
    return Done(F::WpNumber, false);
}

std::vector<std::string> LibraryPickList(const TRoutePlan& plan)
{
    std::vector<std::string> list;
    list.reserve(plan.tblLibrary.size());
    for (const TLibraryWaypoint& wp : plan.tblLibrary)
        list.push_back(std::to_string(wp.WpId));
    return list;
}

int LocatePickedWaypoint(const TRoutePlan& plan, const std::string& selectedText)
{
    int number = -1;
    try {
        number = shell::XmlTextToInteger(selectedText);
    } catch (const shell::Error&) {
        number = -1;
    }
    return plan.FindLibraryWaypoint(number);
}

TDialogResult ValidateNewLibraryName(const std::string& typedName, const std::string& waypointsFolder)
{
    using F = TWaypointField;
    const std::string name = TrimText(typedName);
    if (name.empty())
        return Fail("Library name is required.", F::LibraryName);
    if (shell::FileExists(waypointsFolder + name + ".xml"))
        return Fail("Library: " + typedName + " already exists.\n\rPlease enter another library name",
                    F::LibraryName);
    return {};
}

std::string EditDialogCaption(int number)
{
    return "Waypoint No. " + std::to_string(number);
}

TWaypointBoxes EditBoxesOf(const TRouteWaypoint& wp)
{
    return {std::to_string(wp.RouteWpId), wp.WpName, FormatLatitude(wp.Latitude), FormatLongitude(wp.Longitude),
            wp.Description};
}

TWaypointBoxes EditBoxesOf(const TLibraryWaypoint& wp)
{
    return {std::to_string(wp.WpId), wp.WpName, FormatLatitude(wp.Latitude), FormatLongitude(wp.Longitude),
            wp.Description};
}

void ApplyRouteWaypointEdit(TRoutePlan& plan, size_t index, const TWaypointBoxes& boxes)
{
    plan.EditRouteWaypoint(index, TrimText(boxes.WpName), ParseLatitude(boxes.Latitude),
                           ParseLongitude(boxes.Longitude), TrimText(boxes.Description));
}

void ApplyLibraryWaypointEdit(TRoutePlan& plan, size_t index, const TWaypointBoxes& boxes)
{
    plan.EditLibraryWaypoint(index, TrimText(boxes.WpName), ParseLatitude(boxes.Latitude),
                             ParseLongitude(boxes.Longitude), TrimText(boxes.Description));
}

std::string DeleteRouteWaypointQuestion(const TRouteWaypoint& wp)
{
    return "Delete waypoint - \"" + wp.WpName + "\" ?";
}

std::string DeleteLibraryWaypointQuestion(const TLibraryWaypoint& wp)
{
    return "Delete waypoint - \"" + wp.WpName + "\"";
}

namespace {

bool AcceptPositionKey(char32_t code, char32_t up1, char32_t up2)
{
    if (code > 255)
        return false;
    if (code == 8 || code == '-' || code == '.' || (code >= '0' && code <= '9'))
        return true;
    return code == up1 || code == up2 || code == up1 + 32 || code == up2 + 32;
}

} // namespace

bool AcceptLatitudeKey(char32_t code)
{
    return AcceptPositionKey(code, 'N', 'S');
}

bool AcceptLongitudeKey(char32_t code)
{
    return AcceptPositionKey(code, 'E', 'W');
}

bool AcceptNumberKey(char32_t code)
{
    return code == 8 || (code >= '0' && code <= '9');
}

} // namespace marovin
