#pragma once
// The route plan document and the waypoint library it is built from: the three tables
// the route plan window shows, the two file formats, the route calculation and the
// route and library commands. The window and the dialogs only display what this model
// holds and tells them.
//
// Units: positions in decimal degrees (north and east positive), courses in degrees
// true, distances in nautical miles.

#include "shell/core/Error.h"

#include <functional>
#include <string>
#include <vector>

namespace shell {
class TXmlDocument;
}

namespace marovin {

// Text sizes of the table fields, in characters; longer values are cut when stored.
constexpr size_t kWpNameSize = 30;
constexpr size_t kLibraryDescriptionSize = 100;
constexpr size_t kRouteWpDescriptionSize = 50;
constexpr size_t kRouteNoSize = 10;
constexpr size_t kRouteNameSize = 50;
constexpr size_t kDepartureSize = 30;
constexpr size_t kDestinationSize = 30;
constexpr size_t kRouteDescriptionSize = 100;

// The first `size` characters (UTF-8 code points) of the text.
std::string CutText(std::string text, size_t size);

// One record of `tblLibrary`.
struct TLibraryWaypoint {
    int WpId = 0;            // library number, unique in the library, never changed
    std::string WpName;      // up to 30 characters
    double Latitude = 0;     // degrees, north positive
    double Longitude = 0;    // degrees, east positive
    std::string Description; // up to 100 characters

    std::string CalcLatitude() const;  // grid form, "22° 12.300' N"
    std::string CalcLongitude() const; // grid form, "122° 12.300' W"
};

// The one record of `tblRoute`.
struct TRouteHeader {
    int RouteId = 1;
    std::string RouteNo;     // 10
    std::string RouteName;   // 50
    std::string Departure;   // 30
    std::string Destination; // 30
    std::string Description; // 100
    std::string Charts;      // unlimited; lines separated by a carriage return
    double Distance = 0;     // nautical miles: sum of the rounded leg distances
    int WpCount = 0;         // number of route waypoints at the last calculation
};

// One record of `tblRouteDetails`. The fields the route calculation reads and writes
// come first, so that a long route is calculated through as little memory as possible.
struct TRouteWaypoint {
    int RouteWpId = 0;       // identity shown in the edit dialog's caption
    int OrdNumber = 0;       // position in the route, 1..N after a calculation
    double Latitude = 0;     // degrees, north positive
    double Longitude = 0;    // degrees, east positive
    double CalcCourse = 0;   // course of the leg to the next waypoint, degrees, 0.1
    double CalcDistance = 0; // distance of that leg, nautical miles, 0.01
    int RouteId = 1;
    std::string WpName;      // 30
    std::string Description; // 50

    std::string CalcLatitude() const;
    std::string CalcLongitude() const;
};

// Rounds to the nearest multiple of 10^-decimals, an exact half to the even neighbour.
double RoundHalfEven(double x, int decimals);

class TRoutePlan {
public:
    // `tblLibrary`, kept sorted by WpId (equal numbers keep their insertion order).
    std::vector<TLibraryWaypoint> tblLibrary;
    // `tblRoute`: always one record once Init or OpenVoyage has run.
    TRouteHeader tblRoute;
    // `tblRouteDetails`, kept sorted by OrdNumber.
    std::vector<TRouteWaypoint> tblRouteDetails;

    // The Waypoints folder (ending in "/") and the full path of the current library.
    std::string WaypointsFolder;
    std::string LibraryFileName;

    // Called after every change of any of the three tables (the window marks the
    // document changed).
    std::function<void()> OnChanged;

    // --- Document operations ---------------------------------------------------------

    // A new route plan: the header with its defaults, no route waypoints.
    void Init();
    // Replaces the whole library by the file's waypoints: every "Waypoints" element below
    // the root, in document order (its five value elements hold text only and are not
    // searched further), then kept in WpId order. On any error the library is left as it
    // was, LibraryLoadFailed is set and the error is thrown ("Unable to load the file:
    // <path>" for a file without a root element).
    void OpenLibrary(const std::string& fileName);
    // Writes the whole library to the file, replacing it atomically.
    void SaveLibrary(const std::string& fileName);
    // Writes the route plan file, then saves the library to the current library path
    // (see SaveCurrentLibrary).
    void SaveVoyage(const std::string& fileName);
    // Replaces the route header and waypoints by the file's content; on any error the
    // document is left as it was and the error is thrown.
    void OpenVoyage(const std::string& fileName);
    // CalcDistAndBearing, then the header totals.
    void CalculateAll();
    // Computes every leg and renumbers the route 1..N; false (and nothing changed) with
    // fewer than two waypoints. An invalid position throws EConvertError; legs computed
    // before it keep their new values.
    bool CalcDistAndBearing();

    // The route plan file only (SaveVoyage without the library).
    void WriteRoutePlan(const std::string& fileName) const;
    // Saves the library to LibraryFileName, unless there is no path or the library
    // there could not be read and nothing has been changed since (so a damaged file is
    // never replaced by an empty or stale table behind the user's back).
    void SaveCurrentLibrary();

    // --- Library ---------------------------------------------------------------------

    // The library as the window loads it when it is created: the current library path
    // if that file exists; else "default.xml" of the Waypoints folder if it exists;
    // else that path with the new-library content. Load errors are thrown after the
    // path has been set (the table then stays empty).
    void LoadLibraryAtCreation();
    // The content of a new library: one waypoint 1 "Name" at 10 N 10 E.
    void NewLibraryContent();
    // True after a failed OpenLibrary, until the library is changed, reloaded or saved.
    bool LibraryLoadFailed = false;

    // Index of the first library waypoint with that number, or -1.
    int FindLibraryWaypoint(int wpId) const;
    // Appends a waypoint in WpId order (texts cut); returns its index.
    size_t AddLibraryWaypoint(TLibraryWaypoint wp);
    // Replaces name, position and description of a library waypoint (texts cut).
    void EditLibraryWaypoint(size_t index, const std::string& wpName, double latitude, double longitude,
                             const std::string& description);
    void DeleteLibraryWaypoint(size_t index);
    void DeleteAllLibraryWaypoints();

    // "&New Library" after the dialog: the path becomes the Waypoints folder + the
    // trimmed name + ".xml", and the table gets the new-library content. (The command
    // saves the current library with SaveCurrentLibrary before showing the dialog.)
    void NewLibrary(const std::string& typedName);

    // "&Open Library" after the file dialog. Throws for a file that cannot be loaded;
    // returns "Unknown file format: <path>" for a root other than "Library" (nothing
    // changes), else "" after copying the file into the Waypoints folder when no file
    // of its name is there, loading it and making it the library path. A file that
    // fails to load keeps the previous library and its path.
    std::string OpenLibraryFile(const std::string& fileName);

    // --- Route -----------------------------------------------------------------------

    // Whether a route waypoint has this RouteWpId (adding that library waypoint is refused).
    bool HasRouteWpId(int routeWpId) const;
    // Appends at the end: OrdNumber = count + 1, RouteId = the header's, no leg values.
    // RouteWpId is taken from the argument. Returns the index.
    size_t AddRouteWaypoint(TRouteWaypoint wp);
    // Replaces name, position and description, then recalculates.
    void EditRouteWaypoint(size_t index, const std::string& wpName, double latitude, double longitude,
                           const std::string& description);
    // Deletes one waypoint, then recalculates.
    void DeleteRouteWaypoint(size_t index);
    // Deletes every waypoint and sets the header's WpCount and Distance to 0.
    void DeleteAllRouteWaypoints();
    // Exchange the waypoint with its neighbour, then CalculateAll (also when nothing was
    // exchanged). Return the index the waypoint has afterwards.
    size_t MoveUp(size_t index);
    size_t MoveDown(size_t index);

private:
    std::string failedLibraryPath_; // the library path whose load failed last
    void Changed();
    void ReplaceLibrary(const shell::TXmlDocument& doc);
};

// Contents of the first "Contents" element of a document file, read as the main window
// does before it decides how to open a file; "" when there is none.
std::string ReadDocumentContents(const shell::TXmlDocument& doc);

// A route plan that the Open command refuses: what() is the program's message
// ("Can't load file: <path>"), Reason the underlying error or, for a file whose first
// "Contents" is not "Marovin", "the file is not a Marovin route plan".
class TOpenError : public shell::Error {
public:
    TOpenError(const std::string& message, std::string reason)
        : shell::Error(message), Reason(std::move(reason)) {}
    std::string Reason;
};

// Open as the program's Open command does: load the file (shell::Error "Unable to load
// the file: <path>" for a file without a root element, the reader's own message for a
// file it cannot read), require "Marovin" in its first "Contents" and OpenVoyage
// (TOpenError otherwise), then CalculateAll (EConvertError for an invalid position).
void OpenRoutePlanAsProgram(TRoutePlan& plan, const std::string& fileName);

} // namespace marovin
