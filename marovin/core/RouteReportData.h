#pragma once
// What the route and library reports are given: the route header ("frxDsRoute"), the
// route waypoints ("frxDsRouteWaypoints") and the library ("frxDsLibrary"), each field
// under its own name, as plain values. Numbers stay numbers (degrees, nautical miles);
// the templates format them. Marovin supplies no report variables.

#include "RoutePlan.h"

#include "shell/core/ReportData.h"

#include <string>
#include <vector>

namespace marovin {

constexpr const char* kRouteTemplate = "RepRoute.fr3";
constexpr const char* kLibraryTemplate = "RepLibrary.fr3";

constexpr const char* kDsRoute = "frxDsRoute";
constexpr const char* kDsRouteWaypoints = "frxDsRouteWaypoints";
constexpr const char* kDsLibrary = "frxDsLibrary";

// Field names in table order.
// frxDsRoute: RouteId, RouteNo, RouteName, Departure, Destination, Description, Charts,
//             Distance, WpCount.
const std::vector<std::string>& RouteFields();
// frxDsRouteWaypoints: RouteWpId, OrdNumber, WpName, Latitude, Longitude, Description,
//             RouteId, CalcLatitude, CalcLongitude, CalcCourse, CalcDistance.
const std::vector<std::string>& RouteWaypointFields();
// frxDsLibrary: WpId, WpName, Latitude, Longitude, Description, CalcLatitude, CalcLongitude.
const std::vector<std::string>& LibraryFields();

// One row per record, one value per field of the lists above.
std::vector<shell::TReportValue> RouteRow(const TRouteHeader& route);
std::vector<shell::TReportValue> RouteWaypointRow(const TRouteWaypoint& wp);
std::vector<shell::TReportValue> LibraryRow(const TLibraryWaypoint& wp);

// The datasets of the route report (header, then waypoints in route order) and of the
// library report (waypoints in WpId order).
std::vector<shell::TReportDataset> RouteDatasets(const TRoutePlan& plan);
std::vector<shell::TReportDataset> LibraryDatasets(const TRoutePlan& plan);

// The report runs, with the Templates folder (ending in "/").
shell::TReportSource RouteReportSource(const TRoutePlan& plan, const std::string& templatesFolder);
shell::TReportSource LibraryReportSource(const TRoutePlan& plan, const std::string& templatesFolder);

// A value as headless output prints it: numbers with up to 15 significant digits and ".".
std::string ReportValueText(const shell::TReportValue& value);

} // namespace marovin
