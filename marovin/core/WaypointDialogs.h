#pragma once
// What the waypoint dialogs and the route plan window's commands decide: the checks of
// the boxes in their order, the message to show, the box to focus, and the table
// changes of the insert dialogs. The dialogs only display what they are told.

#include "RoutePlan.h"

#include <string>
#include <vector>

namespace marovin {

// The boxes of the dialogs (the drop-down list of "Add DB Wpt" is WpNumber too).
enum class TWaypointField { None, WpNumber, WpName, Latitude, Longitude, Description, LibraryName };

// How a message is shown: an error box with OK, or a plain message box with OK.
enum class TMessageKind { None, Error, Plain };

// Outcome of a check or an insert. Ok(): nothing to show; Focus then names the box that
// gets the focus next (after an insert, the dialog empties its boxes when ClearBoxes).
struct TDialogResult {
    std::string Message;
    TMessageKind Kind = TMessageKind::None;
    TWaypointField Focus = TWaypointField::None;
    bool ClearBoxes = false;

    bool Ok() const { return Message.empty(); }
};

// The texts of the boxes as typed.
struct TWaypointBoxes {
    std::string WpNumber;
    std::string WpName;
    std::string Latitude;
    std::string Longitude;
    std::string Description;
};

// The four dialogs that validate a waypoint.
enum class TWaypointDialog {
    NewLibWp,     // "New Waypoint" of the library: number, name, position, description
    EditLibWp,    // "Waypoint" of the library
    EditRouteWp,  // "Waypoint" of the route: empty positions allowed (stored as 0)
    NewRouteWpDir // "New Waypoint" typed directly into the route
};

// The waypoint checks in their order; the first that fails gives its message and box.
TDialogResult ValidateWaypoint(TWaypointDialog dialog, const TWaypointBoxes& boxes);

// "&Insert" of the library's "New Waypoint" dialog: checks, number, duplicate, append.
TDialogResult InsertLibraryWaypoint(TRoutePlan& plan, const TWaypointBoxes& boxes);
// "&Insert" of the route's direct-entry "New Waypoint" dialog.
TDialogResult InsertRouteWaypointDirect(TRoutePlan& plan, const TWaypointBoxes& boxes);
// "&Insert" of "Add DB Wpt" with the library waypoint at libraryIndex; the dialog keeps
// its selection.
TDialogResult InsertRouteWaypointFromLibrary(TRoutePlan& plan, size_t libraryIndex);

// The drop-down list of "Add DB Wpt": every library WpId as text, in library order.
std::vector<std::string> LibraryPickList(const TRoutePlan& plan);
// The library waypoint for the selected text (-1 if the text is not a number or no
// waypoint has it).
int LocatePickedWaypoint(const TRoutePlan& plan, const std::string& selectedText);

// "&OK" of "New Library": the name as typed, the Waypoints folder ending in "/".
TDialogResult ValidateNewLibraryName(const std::string& typedName, const std::string& waypointsFolder);

// Edit dialogs: the caption ("Waypoint No. 3") and the boxes filled from a record.
std::string EditDialogCaption(int number);
TWaypointBoxes EditBoxesOf(const TRouteWaypoint& wp);
TWaypointBoxes EditBoxesOf(const TLibraryWaypoint& wp);
// OK of the edit dialogs (the boxes have passed ValidateWaypoint): the route waypoint is
// updated and the route recalculated; the library waypoint is updated only.
void ApplyRouteWaypointEdit(TRoutePlan& plan, size_t index, const TWaypointBoxes& boxes);
void ApplyLibraryWaypointEdit(TRoutePlan& plan, size_t index, const TWaypointBoxes& boxes);

// Texts of the window's commands.
std::string DeleteRouteWaypointQuestion(const TRouteWaypoint& wp);     // "Delete waypoint - "X" ?"
std::string DeleteLibraryWaypointQuestion(const TLibraryWaypoint& wp); // "Delete waypoint - "X""
extern const char* const kDeleteAllRouteWaypointsQuestion;   // "Delete all route waypoints?"
extern const char* const kDeleteAllLibraryWaypointsQuestion; // "Delete all library waypoints?"
extern const char* const kNoWaypointsToEdit;                 // "There are no waypoints to edit."

// Key filters of the boxes (a rejected key is dropped); code is the typed character.
bool AcceptLatitudeKey(char32_t code);
bool AcceptLongitudeKey(char32_t code);
bool AcceptNumberKey(char32_t code);

} // namespace marovin
