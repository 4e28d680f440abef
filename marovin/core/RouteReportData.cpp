#include "RouteReportData.h"

#include "shell/core/Utils.h"

namespace marovin {

using shell::TReportValue;

const std::vector<std::string>& RouteFields()
{
    static const std::vector<std::string> fields = {"RouteId", "RouteNo", "RouteName", "Departure", "Destination",
                                                    "Description", "Charts", "Distance", "WpCount"};
    return fields;
}

const std::vector<std::string>& RouteWaypointFields()
{
    static const std::vector<std::string> fields = {"RouteWpId", "OrdNumber", "WpName", "Latitude",
                                                    "Longitude", "Description", "RouteId", "CalcLatitude",
                                                    "CalcLongitude", "CalcCourse", "CalcDistance"};
    return fields;
}

const std::vector<std::string>& LibraryFields()
{
    static const std::vector<std::string> fields = {"WpId", "WpName", "Latitude", "Longitude",
                                                    "Description", "CalcLatitude", "CalcLongitude"};
    return fields;
}

std::vector<TReportValue> RouteRow(const TRouteHeader& route)
{
    return {TReportValue::Num(route.RouteId), TReportValue::Str(route.RouteNo),
            TReportValue::Str(route.RouteName), TReportValue::Str(route.Departure),
            TReportValue::Str(route.Destination), TReportValue::Str(route.Description),
            TReportValue::Str(route.Charts), TReportValue::Num(route.Distance),
            TReportValue::Num(route.WpCount)};
}

std::vector<TReportValue> RouteWaypointRow(const TRouteWaypoint& wp)
{
    return {TReportValue::Num(wp.RouteWpId), TReportValue::Num(wp.OrdNumber), TReportValue::Str(wp.WpName),
            TReportValue::Num(wp.Latitude), TReportValue::Num(wp.Longitude), TReportValue::Str(wp.Description),
            TReportValue::Num(wp.RouteId), TReportValue::Str(wp.CalcLatitude()),
            TReportValue::Str(wp.CalcLongitude()), TReportValue::Num(wp.CalcCourse),
            TReportValue::Num(wp.CalcDistance)};
}

std::vector<TReportValue> LibraryRow(const TLibraryWaypoint& wp)
{
    return {TReportValue::Num(wp.WpId), TReportValue::Str(wp.WpName), TReportValue::Num(wp.Latitude),
            TReportValue::Num(wp.Longitude), TReportValue::Str(wp.Description),
            TReportValue::Str(wp.CalcLatitude()), TReportValue::Str(wp.CalcLongitude())};
}

std::vector<shell::TReportDataset> RouteDatasets(const TRoutePlan& plan)
{
    shell::TReportDataset route{kDsRoute, RouteFields(), {RouteRow(plan.tblRoute)}};
    shell::TReportDataset waypoints{kDsRouteWaypoints, RouteWaypointFields(), {}};
    waypoints.Rows.reserve(plan.tblRouteDetails.size());
    for (const TRouteWaypoint& wp : plan.tblRouteDetails)
        waypoints.Rows.push_back(RouteWaypointRow(wp));
    return {std::move(route), std::move(waypoints)};
}

std::vector<shell::TReportDataset> LibraryDatasets(const TRoutePlan& plan)
{
    shell::TReportDataset library{kDsLibrary, LibraryFields(), {}};
    library.Rows.reserve(plan.tblLibrary.size());
    for (const TLibraryWaypoint& wp : plan.tblLibrary)
        library.Rows.push_back(LibraryRow(wp));
    return {std::move(library)};
}

shell::TReportSource RouteReportSource(const TRoutePlan& plan, const std::string& templatesFolder)
{
    shell::TReportSource source;
    source.TemplateName = kRouteTemplate;
    source.TemplatesFolder = templatesFolder;
    source.Datasets = RouteDatasets(plan);
    source.Variables = [](const std::string&, TReportValue&) { return false; };
    return source;
}

shell::TReportSource LibraryReportSource(const TRoutePlan& plan, const std::string& templatesFolder)
{
    shell::TReportSource source;
    source.TemplateName = kLibraryTemplate;
    source.TemplatesFolder = templatesFolder;
    source.Datasets = LibraryDatasets(plan);
    source.Variables = [](const std::string&, TReportValue&) { return false; };
    return source;
}

std::string ReportValueText(const TReportValue& value)
{
    return value.IsNumber ? shell::FormatNumber15(value.Number) : value.Text;
}

} // namespace marovin
