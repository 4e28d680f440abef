// Marovin: the route calculation against a bare loop of leg computations, its growth
// from 10,000 to 20,000 waypoints, and loading a 50,000-waypoint library against the
// bare XML parse of the same file. All figures are ratios within one run.
#include "BenchRatio.h"

#include "marovin/core/RoutePlan.h"
#include "marovin/core/UtilsMarovinCalc.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A zig-zag route over all quadrants and across the 180th meridian, so every kind of
// sailing (Mercator, parallel, meridian) occurs.
marovin::TRoutePlan MakeRoute(int count)
{
    marovin::TRoutePlan plan;
    plan.Init();
    for (int i = 0; i < count; ++i) {
        marovin::TRouteWaypoint wp;
        wp.RouteWpId = i + 1;
        wp.WpName = "Waypoint " + std::to_string(i + 1);
        wp.Latitude = -70.0 + (i * 7 % 1400) * 0.1;
        wp.Longitude = (i % 5 == 0) ? -179.9 + (i % 3) * 0.1 : -180.0 + (i * 13 % 3600) * 0.1;
        if (i % 7 == 3)
            wp.Latitude = -70.0 + ((i - 1) * 7 % 1400) * 0.1; // a parallel-sailing leg
        plan.AddRouteWaypoint(wp);
    }
    return plan;
}

std::vector<marovin::TGeoPosition> PositionsOf(const marovin::TRoutePlan& plan)
{
    std::vector<marovin::TGeoPosition> positions;
    for (const marovin::TRouteWaypoint& wp : plan.tblRouteDetails)
        positions.push_back(marovin::MakePosition(wp.Latitude, wp.Longitude));
    return positions;
}

double BareLegs(const std::vector<marovin::TGeoPosition>& positions)
{
    double sum = 0;
    for (size_t i = 0; i + 1 < positions.size(); ++i) {
        marovin::TCourseDistance r = marovin::CalcCourseDistance(positions[i], positions[i + 1]);
        sum += r.Distance + r.Course;
    }
    return sum;
}

// Best CPU time of this thread for a and b, measured in alternation. The machine's cores
// are shared with builds and other benchmarks; thread CPU time (user and system, page
// faults included) leaves out the moments this thread waits for a core, which would
// otherwise decide the figure.
double ThreadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::pair<double, double> BestCpuOfPair(int repetitions, const std::function<void()>& a,
                                        const std::function<void()>& b)
{
    double bestA = 1e300, bestB = 1e300;
    for (int i = 0; i < repetitions; ++i) {
        double t = ThreadSeconds();
        a();
        bestA = std::min(bestA, ThreadSeconds() - t);
        t = ThreadSeconds();
        b();
        bestB = std::min(bestB, ThreadSeconds() - t);
    }
    return {bestA, bestB};
}

} // namespace

int main()
{
    bool ok = true;
    constexpr int kRepetitions = 21;

    // Route calculation.
    marovin::TRoutePlan route10 = MakeRoute(10000);
    marovin::TRoutePlan route20 = MakeRoute(20000);
    const std::vector<marovin::TGeoPosition> legs10 = PositionsOf(route10);
    auto [calc10, bare10] = BestCpuOfPair(kRepetitions, [&] {
        route10.CalculateAll();
        benchmark::DoNotOptimize(route10.tblRoute.Distance);
    }, [&] {
        double sum = BareLegs(legs10);
        benchmark::DoNotOptimize(sum);
    });
    auto [calc20, calc10Again] = BestCpuOfPair(kRepetitions, [&] {
        route20.CalculateAll();
        benchmark::DoNotOptimize(route20.tblRoute.Distance);
    }, [&] {
        route10.CalculateAll();
        benchmark::DoNotOptimize(route10.tblRoute.Distance);
    });
    if (std::getenv("MAROVIN_BENCH_DETAIL"))
        std::fprintf(stderr, "calc10 %.3f ms, bare10 %.3f ms, calc20 %.3f ms\n", calc10 * 1e3, bare10 * 1e3,
                     calc20 * 1e3);
    ok &= bench::Report("marovin-calc-overhead", calc10 / bare10, 2);
    ok &= bench::Report("marovin-calc-scaling", calc20 / std::min(calc10, calc10Again), 2.3);

    // Library load.
    const std::string file = std::filesystem::temp_directory_path().string() + "/orvanel-bench-marovin-" +
                             std::to_string(getpid()) + ".xml";
    {
        marovin::TRoutePlan plan;
        for (int i = 0; i < 50000; ++i) {
            marovin::TLibraryWaypoint wp;
            wp.WpId = i + 1;
            wp.WpName = "Waypoint " + std::to_string(i + 1) + " & co";
            wp.Latitude = -60.0 + (i % 12000) * 0.01;
            wp.Longitude = -179.5 + (i % 35900) * 0.01;
            wp.Description = "Landfall " + std::to_string(i % 97);
            plan.tblLibrary.push_back(wp);
        }
        plan.SaveLibrary(file);
    }
    marovin::TRoutePlan library;
    auto [load, parse] = BestCpuOfPair(25, [&] {
        library.OpenLibrary(file);
        benchmark::DoNotOptimize(library.tblLibrary.data());
    }, [&] {
        pugi::xml_document doc;
        doc.load_file(file.c_str(), pugi::parse_cdata | pugi::parse_escapes);
        benchmark::DoNotOptimize(doc.document_element());
    });
    std::remove(file.c_str());
    if (std::getenv("MAROVIN_BENCH_DETAIL"))
        std::fprintf(stderr, "load %.3f ms, parse %.3f ms\n", load * 1e3, parse * 1e3);
    ok &= bench::Report("marovin-library-load", load / parse, 2);
    return ok ? 0 : 1;
}
