// marovin-cli: Marovin's positions, route plans and waypoint libraries without a window.
//
//   marovin-cli leg LAT1 LON1 LAT2 LON2     course and distance of one rhumb-line leg
//   marovin-cli values FILE.mvx             open as the program does, calculate, print values
//   marovin-cli resave FILE.mvx OUT.mvx     open as the program does, write the route plan
//   marovin-cli library FILE.xml OUT.xml    load a waypoint library and save it to OUT
//   marovin-cli export-route FILE.mvx OUT.txt, pdf-route FILE.mvx OUT.pdf    the route report
//   marovin-cli export-library LIB.xml OUT.txt, pdf-library LIB.xml OUT.pdf  the library report
//
// Exit status: 0 success, 1 a file or position error, 2 wrong usage.
// Each subcommand is one function in the command table below.

#include "marovin/core/RoutePlan.h"
#include "marovin/core/RouteReportData.h"
#include "marovin/core/UtilsMarovin.h"
#include "marovin/core/UtilsMarovinCalc.h"

#include "shell/core/Cli.h"
#include "shell/core/Error.h"
#include "shell/core/Folders.h"
#include "shell/core/Utils.h"
#include "shell/platform/UserFolders.h"
#include "shell/ui/ReportCli.h"

#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using shell::cli::ExitFailure;
using shell::cli::ExitOk;
using shell::cli::Escape;
using shell::cli::PrintError;
using shell::cli::TArgs;
using shell::cli::TCommand;



// The suite folders, found exactly as the program finds them (created when missing).
// Only commands that need the Templates or Waypoints folder ask for them.
[[maybe_unused]] const shell::TFolders& SuiteFolders()
{
    static const shell::TFolders folders = shell::PrepareFolders(
        shell::TProgram::Marovin, [] { return shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL); });
    return folders;
}

// The program's Open: the "Marovin" header, OpenVoyage, then the calculation that follows
// every open. Prints the error and returns none on failure.
std::unique_ptr<marovin::TRoutePlan> OpenRoutePlan(const std::string& fileName)
{
    auto plan = std::make_unique<marovin::TRoutePlan>();
    try {
        marovin::OpenRoutePlanAsProgram(*plan, fileName);
        return plan;
    } catch (const marovin::TOpenError& e) {
        PrintError(e.what());
        if (!e.Reason.empty())
            PrintError(e.Reason);
    } catch (const std::exception& e) {
        PrintError(e.what());
    }
    return nullptr;
}

// A waypoint library as OpenLibrary reads it. Prints the error and returns none on failure.
std::unique_ptr<marovin::TRoutePlan> OpenLibrary(const std::string& fileName)
{
    auto plan = std::make_unique<marovin::TRoutePlan>();
    try {
        plan->OpenLibrary(fileName);
        return plan;
    } catch (const std::exception& e) {
        PrintError(e.what());
    }
    return nullptr;
}

bool Save(const std::string& fileName, const std::function<void()>& write)
{
    try {
        write();
        return true;
    } catch (const std::exception& e) {
        PrintError("Can't save file: " + fileName);
        PrintError(e.what());
        return false;
    }
}

void PrintDataset(std::string& out, const shell::TReportDataset& ds, bool indexed)
{
    for (size_t r = 0; r < ds.Rows.size(); ++r) {
        const std::string prefix = indexed ? ds.UserName + "[" + std::to_string(r + 1) + "]." : ds.UserName + ".";
        for (size_t f = 0; f < ds.Fields.size(); ++f)
            out += prefix + ds.Fields[f] + "=" + Escape(marovin::ReportValueText(ds.Rows[r][f])) + "\n";
    }
}

int RunLeg(const TArgs& args)
{
    try {
        const double lat1 = marovin::ParseLatitude(args[0]);
        const double lon1 = marovin::ParseLongitude(args[1]);
        const double lat2 = marovin::ParseLatitude(args[2]);
        const double lon2 = marovin::ParseLongitude(args[3]);
        const marovin::TGeoPosition from = marovin::MakePosition(lat1, lon1);
        const marovin::TGeoPosition to = marovin::MakePosition(lat2, lon2);
        const marovin::TCourseDistance r = marovin::CalcCourseDistance(from, to);
        std::cout << "Course=" << shell::FormatC("%.10g", r.Course + 0.0) << "\n"
                  << "Distance=" << shell::FormatC("%.10g", r.Distance + 0.0) << "\n";
        return ExitOk;
    } catch (const std::exception& e) {
        PrintError(e.what());
        return ExitFailure;
    }
}

int RunValues(const TArgs& args)
{
    std::unique_ptr<marovin::TRoutePlan> plan = OpenRoutePlan(args[0]);
    if (!plan)
        return ExitFailure;
    const std::vector<shell::TReportDataset> datasets = marovin::RouteDatasets(*plan);
    std::string out;
    PrintDataset(out, datasets[0], false); // frxDsRoute: the one header record
    PrintDataset(out, datasets[1], true);  // frxDsRouteWaypoints[N], N from 1
    std::cout << out;
    return ExitOk;
}

int RunResave(const TArgs& args)
{
    std::unique_ptr<marovin::TRoutePlan> plan = OpenRoutePlan(args[0]);
    if (!plan)
        return ExitFailure;
    return Save(args[1], [&] { plan->WriteRoutePlan(args[1]); }) ? ExitOk : ExitFailure;
}

int RunLibrary(const TArgs& args)
{
    std::unique_ptr<marovin::TRoutePlan> plan = OpenLibrary(args[0]);
    if (!plan)
        return ExitFailure;
    return Save(args[1], [&] { plan->SaveLibrary(args[1]); }) ? ExitOk : ExitFailure;
}

// The route report (RepRoute.fr3) or the library report (RepLibrary.fr3) from the
// Templates folder; the missing-template message on failure.
int RunRouteReport(const TArgs& args, shell::TReportCliFormat format)
{
    std::unique_ptr<marovin::TRoutePlan> plan = OpenRoutePlan(args[0]);
    if (!plan)
        return ExitFailure;
    return shell::RunReportCommand(marovin::RouteReportSource(*plan, SuiteFolders().TemplatesFolder), args[1], format);
}

int RunLibraryReport(const TArgs& args, shell::TReportCliFormat format)
{
    std::unique_ptr<marovin::TRoutePlan> plan = OpenLibrary(args[0]);
    if (!plan)
        return ExitFailure;
    return shell::RunReportCommand(marovin::LibraryReportSource(*plan, SuiteFolders().TemplatesFolder), args[1], format);
}

const TCommand Commands[] = {
    {"leg", 4, "LAT1 LON1 LAT2 LON2",
     "course and distance from LAT1 LON1 to LAT2 LON2, positions as typed (22-12.3N 122-12.3W)", RunLeg},
    {"values", 1, "FILE.mvx",
     "open and calculate as Marovin does; print frxDsRoute and frxDsRouteWaypoints values", RunValues},
    {"resave", 2, "FILE.mvx OUT.mvx", "open as Marovin does and write the route plan file to OUT.mvx",
     RunResave},
    {"library", 2, "FILE.xml OUT.xml", "load a waypoint library and save it to OUT.xml", RunLibrary},
    {"export-route", 2, "FILE.mvx OUT.txt", "write the route report (RepRoute.fr3) as plain text",
     [](const TArgs& a) { return RunRouteReport(a, shell::TReportCliFormat::Text); }},
    {"pdf-route", 2, "FILE.mvx OUT.pdf", "write the route report (RepRoute.fr3) as PDF",
     [](const TArgs& a) { return RunRouteReport(a, shell::TReportCliFormat::Pdf); }},
    {"export-library", 2, "LIB.xml OUT.txt", "write the library report (RepLibrary.fr3) as plain text",
     [](const TArgs& a) { return RunLibraryReport(a, shell::TReportCliFormat::Text); }},
    {"pdf-library", 2, "LIB.xml OUT.pdf", "write the library report (RepLibrary.fr3) as PDF",
     [](const TArgs& a) { return RunLibraryReport(a, shell::TReportCliFormat::Pdf); }},
};

const char* const kUsageNote =
    "Values print one per line; a line break inside a text shows as \\r or \\n, a backslash as \\\\.\n";

} // namespace

int main(int argc, char** argv)
{
    return shell::cli::Dispatch(argc, argv, "marovin-cli", Commands, kUsageNote);
}
