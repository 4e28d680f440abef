// Survey computations: the worked example of the automatic survey, its options, the manual
// kinds, ballast weights, and the inputs that must stop a computation instead of producing
// infinities.

#include "kelvara/core/Survey.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

using kelvara::TLcfType;
using kelvara::TMctType;
using kelvara::TPerpCorrection;
using kelvara::TProgramState;
using kelvara::TShipShape;
using kelvara::TSurvey;
using kelvara::TSurveyValues;
using kelvara_test::DataPath;

namespace {

struct TExpect {
    const char* what;
    double actual;
    double expected;
    double tolerance;
};

void CheckAll(std::initializer_list<TExpect> list)
{
    for (const TExpect& e : list)
        EXPECT_NEAR(e.actual, e.expected, e.tolerance) << e.what;
}

void SetReadings(TSurveyValues& s, double fwd, double aft, double mid, double density, double fuelOil)
{
    s.FwdPort = s.FwdStbd = fwd;
    s.AftPort = s.AftStbd = aft;
    s.MidPort = s.MidStbd = mid;
    s.Density = density;
    s.FuelOil = fuelOil;
}

// The worked example: metric, no deflection, finer lines, LCF from amidships, MCT per
// centimetre, LBP 100, light ship 9700, table density 1.025.
std::unique_ptr<TSurvey> WorkedExample(bool loading, const std::string& ship = DataPath("WorkedExample.xml"))
{
    auto s = std::make_unique<TSurvey>(TProgramState::psAutoMetric);
    s->IsLoading = loading;
    s->IsListCorrection = false;
    s->PerpCorrection = TPerpCorrection::pcNoDeflection;
    s->PathToDB = ship;
    s->InitNew();
    SetReadings(s->Survey1, 4.6, 5.4, 5.0, 1.020, 100);
    SetReadings(s->Survey2, 5.7, 5.9, 5.8, 1.025, 90);
    return s;
}

bool AllNumbersFinite(const TSurvey& s)
{
    for (const TSurveyValues* v : {&s.Survey1, &s.Survey2})
        for (double x : {v->FdwCor, v->AftCor, v->MidCor, v->FwdTrue, v->AftTrue, v->MidTrue, v->Trim,
                         v->MeanOfMeans, v->Displ, v->FirstCor, v->SecondCor, v->DensityCor, v->NetDispl})
            if (!std::isfinite(x))
                return false;
    return std::isfinite(s.Constant) && std::isfinite(s.TotalCargo);
}

} // namespace

TEST(AutoSurvey, WorkedExampleLoading)
{
    auto s = WorkedExample(true);
    kelvara_test::TMessageLog log;
    s->Notify = log.Notifier();
    s->CalculateAll();
    const TSurveyValues& a = s->Survey1;
    const TSurveyValues& b = s->Survey2;
    const double t = 0.0005; // the example is given to three decimals
    CheckAll({
        {"initial forward correction", a.FdwCor, -0.008, t},
        {"initial aft correction", a.AftCor, 0.016, t},
        {"initial amidships correction", a.MidCor, 0, 1e-12},
        {"initial forward true", a.FwdTrue, 4.592, t},
        {"initial aft true", a.AftTrue, 5.416, t},
        {"initial amidships true", a.MidTrue, 5.000, t},
        {"initial trim", a.Trim, -0.825, t},
        {"initial mean of means", a.MeanOfMeans, 5.001, t},
        {"initial mean of means + 0.5", a.MeanOfMeansPlus, 5.501, t},
        {"initial displacement", a.Displ, 10002.062, t},
        {"initial LCF", a.Lcf, 0.499, t},
        {"initial TPC", a.Tpc, 21.001, t},
        {"initial first trim correction", a.FirstCor, 8.651, t},
        {"initial MCT+", a.MctcPlus, 115.010, t},
        {"initial MCT-", a.MctcMinus, 105.010, t},
        {"initial second trim correction", a.SecondCor, 3.401, t},
        {"initial density correction", a.DensityCor, -48.849, t},
        {"initial corrected displacement", a.CorrectedDispl, 9965.265, t},
        {"initial deductibles", a.TotalDeductibles, 100, 1e-9},
        {"initial net displacement", a.NetDispl, 9865.265, t},
        {"final MCT+ (clamped at 6.3)", b.MctcPlus, 120, 1e-9},
        {"final density correction", b.DensityCor, 0, 1e-9},
        {"final net displacement", b.NetDispl, 11511.113, t},
        {"constant", s->Constant, 165.265, t},
        {"total cargo", s->TotalCargo, 1645.848, t},
    });
    EXPECT_EQ(a.Hull, "Hog");
    EXPECT_EQ(a.ListCor, 0);
    EXPECT_EQ(a.TpcPort, 0);
    EXPECT_TRUE(log.Texts.empty()) << log.Texts.front(); // MCT clamps without a message
}

TEST(AutoSurvey, WorkedExampleDischarging)
{
    auto s = WorkedExample(false);
    s->CalculateAll();
    EXPECT_NEAR(s->Constant, 1811.113, 0.0005);
    EXPECT_NEAR(s->TotalCargo, -1645.848, 0.0005);
}

TEST(AutoSurvey, ProvisionalResultsAndStops)
{
    auto s = WorkedExample(true);
    int dirty = 0;
    s->SetDirty = [&](bool d) { dirty += d ? 1 : 0; };
    s->Survey2.MidStbd = 0; // final readings incomplete
    s->CalculateAll();
    EXPECT_EQ(dirty, 1);
    EXPECT_NEAR(s->Constant, 165.265, 0.0005); // provisional: initial net less light ship
    EXPECT_EQ(s->TotalCargo, 0);
    EXPECT_EQ(s->Survey2.NetDispl, 0); // the final survey was not computed

    // A reading of exactly 0 in the initial survey stops everything and keeps what shows.
    s->Survey2.MidStbd = 5.8;
    s->Survey1.FuelOil = 50;
    s->Survey1.Density = 0;
    s->CalculateAll();
    EXPECT_EQ(dirty, 1);
    EXPECT_NEAR(s->Survey1.NetDispl, 9865.265, 0.0005);
    EXPECT_EQ(s->Survey2.NetDispl, 0);
    EXPECT_NEAR(s->Constant, 165.265, 0.0005);
}

TEST(AutoSurvey, Options)
{
    {
        SCOPED_TRACE("typed corrections are added unchanged");
        auto s = WorkedExample(true);
        s->PerpCorrection = TPerpCorrection::pcManual;
        s->Survey1.FdwCor = 0.01;
        s->Survey1.AftCor = -0.02;
        s->Survey1.MidCor = 0.005;
        s->CalculateAll();
        EXPECT_DOUBLE_EQ(s->Survey1.FdwCor, 0.01);
        EXPECT_NEAR(s->Survey1.FwdTrue, 4.61, 1e-12);
        EXPECT_NEAR(s->Survey1.AftTrue, 5.38, 1e-12);
        EXPECT_NEAR(s->Survey1.MidTrue, 5.005, 1e-12);
    }
    {
        SCOPED_TRACE("hull deflection, sagging");
        auto s = WorkedExample(true);
        s->PerpCorrection = TPerpCorrection::pcDeflection;
        s->Survey1.MidPort = s->Survey1.MidStbd = 5.1;
        s->CalculateAll();
        EXPECT_NEAR(s->Survey1.FdwCor, -0.5 / 49, 1e-12); // forward marks 1 abaft the FP
        EXPECT_NEAR(s->Survey1.AftCor, 0.6 / 52, 1e-12);
        EXPECT_EQ(s->Survey1.Hull, "Sag");
    }
    {
        SCOPED_TRACE("MCT per metre");
        auto cm = WorkedExample(true);
        cm->CalculateAll();
        auto m = WorkedExample(true);
        m->MctType = TMctType::mtMeters;
        m->CalculateAll();
        EXPECT_NEAR(m->Survey1.SecondCor, cm->Survey1.SecondCor / 100, 1e-12);
    }
    {
        SCOPED_TRACE("list correction");
        auto s = WorkedExample(true);
        s->IsListCorrection = true;
        s->Survey1.MidPort = 4.9;
        s->Survey1.MidStbd = 5.1;
        s->CalculateAll();
        EXPECT_NEAR(s->Survey1.TpcPort, 20.9, 1e-9);
        EXPECT_NEAR(s->Survey1.TpcStbd, 21.1, 1e-9);
        EXPECT_NEAR(s->Survey1.ListCor, 0.2 * 6 * 0.2, 1e-9);
    }
    {
        SCOPED_TRACE("even keel");
        auto s = WorkedExample(true);
        SetReadings(s->Survey1, 5.0, 5.0, 5.0, 1.025, 0);
        s->CalculateAll();
        EXPECT_EQ(s->Survey1.FdwCor, 0);
        EXPECT_EQ(s->Survey1.Trim, 0);
        EXPECT_EQ(s->Survey1.FirstCor, 0);
        EXPECT_EQ(s->Survey1.SecondCor, 0);
        EXPECT_EQ(s->Survey1.Hull, "Even Keel");
    }
}

TEST(AutoSurvey, OutOfTableDraughtsTellTheUser)
{
    auto s = WorkedExample(true);
    kelvara_test::TMessageLog log;
    s->Notify = log.Notifier(); // connected after InitNew: the engine still reaches it
    SetReadings(s->Survey1, 3.0, 3.2, 3.1, 1.025, 0);
    SetReadings(s->Survey2, 6.5, 6.6, 6.5, 1.025, 0);
    s->CalculateAll();
    ASSERT_EQ(log.Texts.size(), 2u); // one per displacement; the other lookups clamp silently
    EXPECT_EQ(log.Texts[0].rfind("Value of input draft less than minimum table draft value.", 0), 0u);
    EXPECT_EQ(log.Texts[1].rfind("Value of input draft more than maximum table draft value.", 0), 0u);
    EXPECT_EQ(s->Survey1.Displ, 8000);
    EXPECT_EQ(s->Survey2.Displ, 12000);
}

// Inputs that would divide by zero are missing input: the computation stops silently,
// nothing changes, nothing is marked changed, and no infinity or NaN appears anywhere.
TEST(AutoSurvey, DegenerateInputsStopInsteadOfProducingInfinities)
{
    kelvara_test::TTempFolder temp;
    auto shipWithLbp = [&](const std::string& lbp) {
        std::string text = kelvara_test::ReadBytes(DataPath("WorkedExample.xml"));
        text.replace(text.find("<LBP>100</LBP>"), 14, "<LBP>" + lbp + "</LBP>");
        std::string path = temp.Data() + "LBP" + lbp + ".xml";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    };
    struct Case {
        const char* what;
        std::function<std::unique_ptr<TSurvey>()> make;
    } cases[] = {
        {"LBP 0", [&] { auto s = WorkedExample(true); s->LBP = 0; return s; }},
        {"table density 0", [&] { auto s = WorkedExample(true); s->TableDensity = 0; return s; }},
        // LBP 3 with marks -1 and +2 from their perpendiculars: no length between the marks.
        {"mark length 0", [&] { return WorkedExample(true, shipWithLbp("3")); }},
        // LBP 2, forward marks 1 abaft: the half length 1 - 1 of a deflected hull is zero.
        {"half length 0", [&] {
             auto s = WorkedExample(true, shipWithLbp("2"));
             s->PerpCorrection = TPerpCorrection::pcDeflection;
             s->Survey1.MidPort = s->Survey1.MidStbd = 5.1;
             return s;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<TSurvey> s = c.make();
        int dirty = 0;
        s->SetDirty = [&](bool) { ++dirty; };
        s->CalculateAll();
        EXPECT_EQ(dirty, 0);
        EXPECT_TRUE(AllNumbersFinite(*s));
        EXPECT_EQ(s->Survey1.FwdTrue, 0);
        EXPECT_EQ(s->Survey1.NetDispl, 0);
        EXPECT_EQ(s->Constant, 0);
        EXPECT_NO_THROW(s->SaveVoyageToString());
    }
}

TEST(ManualSurvey, NewSurveyHasTenTanks)
{
    for (TProgramState kind : {TProgramState::psManualMetric, TProgramState::psManualImperial}) {
        TSurvey s(kind);
        s.InitNew();
        EXPECT_EQ(s.PathToDB, "None");
        EXPECT_EQ(s.PerpCorrection, TPerpCorrection::pcManual);
        ASSERT_EQ(s.tblBallast.size(), 10u);
        EXPECT_EQ(s.tblBallast[0].Tank, "Tank No.1");
        EXPECT_EQ(s.tblBallast[9].Tank, "Tank No.10");
        EXPECT_EQ(s.tblBallast[9].Capacity, 100);
        EXPECT_EQ(s.tblBallast[9].Density, 1.025);
    }
}

namespace {

// A manual metric survey of the worked example's ship, values as read from its tables.
std::unique_ptr<TSurvey> ManualMetric()
{
    auto s = std::make_unique<TSurvey>(TProgramState::psManualMetric);
    s->ShipShape = TShipShape::ssFinerShape;
    s->LcfType = TLcfType::ltFromAftPerp;
    s->MctType = TMctType::mtSantimeters;
    s->IsLoading = true;
    s->InitNew();
    s->LBP = 100;
    s->LightShip = 9700;
    TSurveyValues& a = s->Survey1;
    SetReadings(a, 4.6, 5.4, 5.0, 1.020, 100);
    a.FdwCor = -0.008;
    a.AftCor = 0.016;
    a.Displ = 10002;
    a.Lcf = 49.5; // 0.5 forward of amidships
    a.Tpc = 21;
    a.MctcPlus = 115;
    a.MctcMinus = 105;
    TSurveyValues& b = s->Survey2;
    SetReadings(b, 5.7, 5.9, 5.8, 1.025, 90);
    b.Displ = 11600;
    b.Lcf = 49.9;
    b.Tpc = 21.8;
    b.MctcPlus = 120;
    b.MctcMinus = 113;
    return s;
}

} // namespace

TEST(ManualSurvey, MetricLoading)
{
    auto s = ManualMetric();
    int dirty = 0;
    s->SetDirty = [&](bool) { ++dirty; };
    s->CalculateAll();
    EXPECT_EQ(dirty, 1);
    const TSurveyValues& a = s->Survey1;
    const TSurveyValues& b = s->Survey2;
    const double t = 1e-6;
    CheckAll({
        {"initial forward true", a.FwdTrue, 4.592, t},
        {"initial aft true", a.AftTrue, 5.416, t},
        {"initial trim", a.Trim, -0.824, t},
        {"initial mean of means", a.MeanOfMeans, 5.001, t},
        {"initial M of M - 0.5", a.MeanOfMeansMinus, 4.501, t},
        {"initial first trim correction", a.FirstCor, 8.652, t},
        {"initial second trim correction", a.SecondCor, 3.39488, t},
        {"initial density correction", a.DensityCor, -0.005 * 10014.04688 / 1.025, t},
        {"initial net displacement", a.NetDispl, 10014.04688 - 0.005 * 10014.04688 / 1.025 - 100, t},
        {"final trim", b.Trim, -0.2, t},
        {"final first trim correction", b.FirstCor, 0.436, t},
        {"final second trim correction", b.SecondCor, 0.14, t},
        {"final net displacement", b.NetDispl, 11510.576, t},
        {"constant", s->Constant, a.NetDispl - 9700, t},
        {"total cargo", s->TotalCargo, 11510.576 - a.NetDispl, t},
    });
    EXPECT_EQ(a.Hull, "Hog");
    EXPECT_EQ(b.Hull, "Even Keel");
}

TEST(ManualSurvey, ListCorrectionFactorOfEachKind)
{
    struct Case {
        TProgramState kind;
        double expected;
    } cases[] = {{TProgramState::psManualMetric, 6}, {TProgramState::psManualImperial, 0.72}};
    for (const Case& c : cases) {
        TSurvey s(c.kind);
        s.InitNew();
        s.IsListCorrection = true;
        s.LBP = 600;
        s.LightShip = 9000;
        TSurveyValues& a = s.Survey1;
        SetReadings(a, 20, 20, 20, 1.025, 0);
        a.MidStbd = 20.5;
        a.Displ = 40000;
        a.Lcf = 5;
        a.Tpc = 51;
        a.MctcPlus = a.MctcMinus = 1000;
        a.TpcPort = 50;
        a.TpcStbd = 52;
        s.CalculateAll();
        EXPECT_NEAR(a.ListCor, c.expected, 1e-12) << static_cast<int>(c.kind);

        s.IsListCorrection = false; // clearing the option clears the typed TPC values
        s.CalculateAll();
        EXPECT_EQ(a.ListCor, 0);
        EXPECT_EQ(a.TpcPort, 0);
        EXPECT_EQ(a.TpcStbd, 0);
    }
}

TEST(ManualSurvey, DensityCorrectionAgainstTheStandardDensity)
{
    for (TProgramState kind : {TProgramState::psManualMetric, TProgramState::psManualImperial}) {
        TSurvey s(kind);
        s.InitNew();
        s.LBP = 300;
        s.LightShip = 1;
        s.TableDensity = 1.0; // not used by manual surveys
        TSurveyValues& a = s.Survey1;
        SetReadings(a, 10, 10, 10, 1.000, 0);
        a.Displ = 10250;
        a.Lcf = 1;
        a.Tpc = 1;
        a.MctcPlus = a.MctcMinus = 1;
        s.CalculateAll();
        EXPECT_NEAR(a.DensityCor, -250, 1e-9) << static_cast<int>(kind);
    }
}

TEST(ManualSurvey, MissingParticularsStopAfterTheDraughts)
{
    auto s = ManualMetric();
    s->LBP = 0;
    s->CalculateAll();
    EXPECT_NEAR(s->Survey1.MeanOfMeans, 5.001, 1e-9); // draughts, trim, means, hull appear
    EXPECT_EQ(s->Survey1.Hull, "Hog");
    EXPECT_EQ(s->Survey1.FirstCor, 0);                // nothing else
    EXPECT_EQ(s->Survey1.NetDispl, 0);
    EXPECT_EQ(s->Survey2.FwdTrue, 0);                 // the final survey is not touched

    auto z = ManualMetric();
    z->Survey1.Lcf = 0; // an LCF of exactly 0 stops at the survey step too
    z->CalculateAll();
    EXPECT_EQ(z->Survey1.NetDispl, 0);
    EXPECT_EQ(z->Survey2.FwdTrue, 0);
}

TEST(Ballast, WeightsAndTotals)
{
    for (TProgramState kind : {TProgramState::psManualMetric, TProgramState::psManualImperial}) {
        bool metric = kind == TProgramState::psManualMetric;
        TSurvey s(kind);
        s.InitNew();
        s.tblBallast[0].InitVolume = metric ? 100 : 1000;
        s.tblBallast[1].FinalVolume = 200;
        s.tblBallast[2].InitVolume = 50;
        s.tblBallast[2].Density.reset(); // cleared density: no weights, not in the totals
        s.tblBallast[3].FinalVolume.reset();
        s.CalcBallastWeights();
        double f = metric ? 1 : kelvara::kCubicFeetToCubicMetres;
        double w0 = metric ? 102.5 : 1000 * 0.02831684659 * 1.025;
        EXPECT_NEAR(*s.tblBallast[0].InitWeight, w0, 1e-9);
        EXPECT_FALSE(s.tblBallast[2].InitWeight.has_value());
        EXPECT_FALSE(s.tblBallast[2].FinalWeight.has_value());
        EXPECT_FALSE(s.tblBallast[3].FinalWeight.has_value());
        EXPECT_EQ(*s.tblBallast[3].InitWeight, 0);
        EXPECT_NEAR(s.Survey1.BallastWater, w0, 1e-9);
        EXPECT_NEAR(s.Survey2.BallastWater, 200 * f * 1.025, 1e-9);
    }
    TSurvey empty(TProgramState::psManualMetric);
    empty.Survey1.BallastWater = 5;
    empty.CalcBallastWeights();
    EXPECT_EQ(empty.Survey1.BallastWater, 0);
}

TEST(Ballast, BallastWaterIsDeducted)
{
    auto s = WorkedExample(true);
    s->tblBallast[0].InitVolume = 100;
    s->CalculateAll();
    EXPECT_NEAR(s->Survey1.BallastWater, 102.5, 1e-9);
    EXPECT_NEAR(s->Survey1.TotalDeductibles, 202.5, 1e-9);
    EXPECT_NEAR(s->Survey1.NetDispl, 9865.265 - 102.5, 0.0005);
}

TEST(AutoSurvey, ImperialConstants)
{
    // The worked example's ship read as an imperial one (feet, tons per inch): the same
    // lookups, the trim corrections with the factors 12 and 6 instead of 100 and 50.
    kelvara_test::TTempFolder temp;
    std::string text = kelvara_test::ReadBytes(DataPath("WorkedExample.xml"));
    text.replace(text.find("<MctType>0</MctType>"), 20, "<MctType>2</MctType>");
    std::string ship = temp.Data() + "Imperial.xml";
    std::ofstream(ship, std::ios::binary) << text;

    auto metric = WorkedExample(true);
    metric->CalculateAll();
    auto s = std::make_unique<TSurvey>(TProgramState::psAutoImperial);
    s->PathToDB = ship;
    s->InitNew();
    EXPECT_EQ(s->MctType, TMctType::mtInches);
    s->Survey1 = TSurveyValues{};
    SetReadings(s->Survey1, 4.6, 5.4, 5.0, 1.020, 100);
    s->CalculateAll();
    EXPECT_NEAR(s->Survey1.Displ, metric->Survey1.Displ, 1e-9);
    EXPECT_NEAR(s->Survey1.FirstCor, metric->Survey1.FirstCor * 12 / 100, 1e-9);
    EXPECT_NEAR(s->Survey1.SecondCor, metric->Survey1.SecondCor * 6 / 50, 1e-9);
}
