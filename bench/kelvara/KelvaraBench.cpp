// A whole recalculation of an automatic survey against the bare hydrostatic lookups it
// makes, same run: the survey's own work around the engine must stay small.
#include "BenchRatio.h"
#include "kelvara/core/Survey.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kHydrostaticRows = 2000;
constexpr int kBallastTanks = 200;
constexpr int kCalculations = 200;
// Lookups of one CalculateAll with computed corrections (no deflection) and the list
// correction, per survey: marks 2 + 2 + 3, displacement, LCF, TPC, list 2 + 2, MCT 2.
constexpr int kLookupsPerCalculation = 2 * 16;

std::string WriteShip(const std::string& path)
{
    kelvara::TDM dm;
    dm.tblParticulars.push_back({1, "Bench Carrier", 200, 15000});
    for (int i = 1; i <= kHydrostaticRows; ++i) {
        double d = 0.01 * i; // 0.01 m to 20 m
        dm.tblHydrostatic.push_back({i, d, 4000 * d + 20 * d * d, 40 + 0.2 * d, 300 + 5 * d, 2 - 0.1 * d, -1, 2, 0});
    }
    for (int i = 1; i <= kBallastTanks; ++i)
        dm.tblballast.push_back({i, "Tank " + std::to_string(i), 100.0 + i});
    dm.tblOptions.push_back({1, 1.025, 0, 0, 1});
    dm.SaveAllTables(path);
    return path;
}

void SetReadings(kelvara::TSurveyValues& s, double fwd, double aft, double mid)
{
    s.FwdPort = fwd;
    s.FwdStbd = fwd + 0.02;
    s.AftPort = aft;
    s.AftStbd = aft + 0.02;
    s.MidPort = mid - 0.05;
    s.MidStbd = mid + 0.05;
    s.Density = 1.018;
    s.FuelOil = 850;
}

} // namespace

int main()
{
    const std::string ship = std::filesystem::temp_directory_path().string() + "/orvanel-bench-ship-" +
                             std::to_string(getpid()) + ".xml";
    WriteShip(ship);

    kelvara::TSurvey survey(kelvara::TProgramState::psAutoMetric);
    survey.PathToDB = ship;
    survey.IsListCorrection = true;
    survey.PerpCorrection = kelvara::TPerpCorrection::pcNoDeflection;
    survey.InitNew();
    std::remove(ship.c_str());
    SetReadings(survey.Survey1, 9.5, 10.5, 10.0);
    SetReadings(survey.Survey2, 12.1, 12.9, 12.5);
    for (size_t i = 0; i < survey.tblBallast.size(); ++i) {
        survey.tblBallast[i].InitVolume = 50.0 + static_cast<double>(i);
        survey.tblBallast[i].FinalVolume = 10.0 + static_cast<double>(i % 7);
    }
    int messages = 0;
    survey.Notify = [&](kelvara::TMessageType, const std::string&) { ++messages; };

    const kelvara::TDraftCalc& calc = *survey.calc;
    const double draughts[4] = {10.0, 10.02, 12.5, 12.52};
    auto [full, bare] = bench::BestOfPair(9, [&] {
        for (int i = 0; i < kCalculations; ++i) {
            survey.CalculateAll();
            benchmark::DoNotOptimize(survey.TotalCargo);
        }
    }, [&] {
        double sum = 0;
        for (int i = 0; i < kCalculations; ++i)
            for (int k = 0; k < kLookupsPerCalculation; k += 4) {
                double d = draughts[(k / 4) % 4];
                sum += calc.CalcDisplacement(d) + calc.CalcTPC(d) + calc.CalcMCT(d) + calc.CalcTPC(d + 0.05);
            }
        benchmark::DoNotOptimize(sum);
    });

    bool ok = bench::Report("kelvara-calc", full / bare, 2.0);
    std::printf("  (%d recalculations %.2f ms vs %d lookups %.2f ms; cargo %.3f t; %d messages)\n",
                kCalculations, full * 1e3, kCalculations * kLookupsPerCalculation, bare * 1e3,
                survey.TotalCargo, messages);
    return ok ? 0 : 1;
}
