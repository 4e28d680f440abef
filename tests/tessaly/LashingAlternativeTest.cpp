#include "tessaly/core/LashingAlternative.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessaly;

namespace {

TParticulars CompleteParticulars()
{
    TParticulars p;
    p.ShipLength = 100;
    p.ShipBreadth = 20;
    p.ShipSpeed = 15;
    p.ShipGM = 2;
    p.CargoMass = 10;
    p.CargoLength = 4;
    p.CargoWidth = 1;
    p.CargoHeight = 3;
    p.VertPosition = 0;
    p.LongPosition = 5;
    p.FrictionCoef = 3;
    p.TippingArm = 1.2;
    p.StableArm = 0.8;
    return p;
}

TAlternativeLashing Row(std::optional<std::string> side, std::optional<std::string> end, double msl,
                        int alpha, int beta, double c = 1.0)
{
    TAlternativeLashing r = AlternativeNewRow();
    r.VertPos = std::move(side);
    r.HorizPos = std::move(end);
    r.MSL = msl;
    r.Alpha = alpha;
    r.Beta = beta;
    r.LeverArm = c;
    return r;
}

TEST(LashingAlternative, NewDocumentAndNewRowDefaults)
{
    TAlternativeDocument d;
    d.SetupUI();
    ASSERT_EQ(d.RowCount(), 5);
    for (const TAlternativeLashing& r : d.Lashings) {
        EXPECT_EQ(r.Type, "Class 1 chain");
        EXPECT_EQ(r.VertPos, "STBD"); // initial rows lie on the starboard side
        EXPECT_EQ(r.HorizPos, "FWD");
        EXPECT_EQ(r.MSL, 90.0);
        EXPECT_EQ(r.Alpha, 40);
        EXPECT_EQ(r.Beta, 30);
        EXPECT_EQ(r.LeverArm, 1.0);
        for (auto v : {r.Fy, r.CSFy, r.Fx, r.CSFx})
            EXPECT_EQ(v, 0.0);
    }
    EXPECT_FALSE(d.CalculateAll());
    EXPECT_TRUE(d.ResultLines.empty());
    EXPECT_EQ(d.Lashings[0].Fy, 0.0); // not calculated

    TAlternativeLashing added = AlternativeNewRow(); // rows the user adds start on port
    EXPECT_EQ(added.VertPos, "PORT");
    EXPECT_EQ(added.HorizPos, "FWD");
    EXPECT_EQ(added.Alpha, 40);
    EXPECT_EQ(added.Beta, 30);
}

TEST(LashingAlternative, Coefficients)
{
    EXPECT_NEAR(GetFy(40, 30, 0.3), 0.8563, 1e-4);
    EXPECT_NEAR(GetFx(40, 30, 0.3), 0.5759, 1e-4);
    const double s = 0.3 * std::sin(40 * M_PI / 180);
    EXPECT_NEAR(GetFx(40, 0, 0.3), s, 1e-15);
    EXPECT_NEAR(GetFy(40, 0, 0.3), s + std::cos(40 * M_PI / 180), 1e-15);
    EXPECT_NEAR(GetFy(40, 90, 0.3), s, 1e-15);

    std::vector<TAlternativeLashing> rows = {Row("PORT", "FWD", 90, 40, 30, 1.0)};
    const BalanceResults b = CalcAlternativeBalance(rows, 0.3, 0, 0, 0);
    EXPECT_NEAR(*rows[0].Fy, 0.8563, 1e-4);
    EXPECT_NEAR(*rows[0].Fx, 0.5759, 1e-4);
    EXPECT_NEAR(*rows[0].CSFy, 57.08, 5e-3);
    EXPECT_NEAR(*rows[0].CSFx, 38.39, 5e-3);
    EXPECT_NEAR(b.PortSliding, 57.08, 5e-3);
    EXPECT_NEAR(b.FwdSliding, 38.39, 5e-3);
    EXPECT_NEAR(b.PortTipping, 60.0, 1e-9); // 0.9 × CS × c: CS alone, not CS × fy
}

TEST(LashingAlternative, EachRowCountsOnOneSideAndOneEnd)
{
    // β 0 and α 0 with μ 0: fy 1, fx 0; β 90: fy 0, fx 1. CS = 135 / 1.35 = 100.
    struct Case { std::optional<std::string> side, end; int beta; double port, stbd, fwd, aft, portTip, stbdTip; } cases[] = {
        {"PORT", "FWD", 0, 100, 0, 0, 0, 90, 0},
        {"STBD", "AFT", 0, 0, 100, 0, 0, 0, 90},
        {"", "AFT", 90, 0, 0, 0, 100, 0, 0},           // the empty side holds along the ship only
        {std::nullopt, std::nullopt, 90, 0, 0, 100, 0, 90, 0}, // no value: PORT and FWD
        {"port", "MID", 90, 0, 0, 0, 0, 0, 0},         // texts of an edited file count nowhere
    };
    for (const Case& c : cases) {
        std::vector<TAlternativeLashing> rows = {Row(c.side, c.end, 135, 0, c.beta, 1.0)};
        const BalanceResults b = CalcAlternativeBalance(rows, 0.0, 0, 0, 0);
        const std::string label = c.side.value_or("(none)") + "/" + c.end.value_or("(none)");
        EXPECT_NEAR(b.PortSliding, c.port, 1e-9) << label;
        EXPECT_NEAR(b.StbdSliding, c.stbd, 1e-9) << label;
        EXPECT_NEAR(b.FwdSliding, c.fwd, 1e-9) << label;
        EXPECT_NEAR(b.AftSliding, c.aft, 1e-9) << label;
        EXPECT_NEAR(b.PortTipping, c.portTip, 1e-9) << label;
        EXPECT_NEAR(b.StbdTipping, c.stbdTip, 1e-9) << label;
    }
}

TEST(LashingAlternative, ResultLinesOfAMixedArrangement)
{
    TAlternativeDocument d;
    d.Particulars = CompleteParticulars();
    d.Lashings = {Row("PORT", "FWD", 90, 40, 30), Row("STBD", "FWD", 90, 40, 30), Row("", "AFT", 90, 40, 30),
                  Row("STBD", "AFT", 90, 40, 0), Row("PORT", "FWD", 45, 40, 90)};
    ASSERT_TRUE(d.CalculateAll());
    const std::vector<std::string> expected = {
        " Correction factor \t\tcf = 1.00",
        " Longitudinal acceleration\tAx = 3.80 m/s2\t\t Longitudinal force\t\tFx = 42.50 kN",
        " Transverse acceleration \tAy = 7.97 m/s2\t\t Transverse force\t\tFy = 97.73 kN",
        " Vertical acceleration \tAz = 4.30 m/s2\t\t Vertical force\t\tFz = 43.00 kN",
        std::string(56, '-'),
        " Transverse balance of forces (PORT arrangement)\t92.94\t>= Fy\t\tNOT O.K.  Place More Lashing On P/Side.",
        " Transverse balance of forces (STBD arrangement)\t150.44\t>= Fy\t\tO.K.",
        " Longitudinal balance of forces (FWD arrangement)\t125.27\t>= Fx\t\tO.K.",
        " Longitudinal balance of forces (AFT arrangement)\t67.78\t>= Fx\t\tO.K.",
        " Transverse tipping (PORT arrangement)\t\t168.48\t>= Fy * a\tO.K.",
        " Transverse tipping (STBD arrangement)\t\t198.48\t>= Fy * a\tO.K.",
    };
    EXPECT_EQ(d.ResultLines, expected);
    EXPECT_NEAR(*d.Lashings[3].CSFy, 63.9254, 1e-4);
    EXPECT_NEAR(*d.Lashings[4].CSFx, 31.9627, 1e-4);
}

TEST(LashingAlternative, NoRowsStillCalculatesAndFailuresNameTheirOwnSide)
{
    TAlternativeDocument d;
    d.Particulars = CompleteParticulars();
    d.Particulars.StableArm = 0.01;
    ASSERT_TRUE(d.CalculateAll());
    EXPECT_DOUBLE_EQ(d.Balance.StbdSliding, 29.43);
    EXPECT_DOUBLE_EQ(d.Balance.PortTipping, 10 * 0.01 * 9.81);
    EXPECT_DOUBLE_EQ(d.Balance.StbdTipping, 10 * 0.01 * 9.81);
    EXPECT_EQ(d.Balance.PortSlidingResult, "NOT O.K.  Place More Lashing On P/Side.");
    EXPECT_EQ(d.Balance.StbdSlidingResult, "NOT O.K.  Place More Lashing On S/Side.");
    EXPECT_EQ(d.Balance.PortTippingResult, "NOT O.K.  Place More Lashing On P/Side.");
    EXPECT_EQ(d.Balance.FwdSlidingResult, "NOT O.K.  Place More Lashing On Fwd/Side.");
    EXPECT_EQ(d.Balance.AftSlidingResult, "NOT O.K.  Place More Lashing On Aft/Side.");
    EXPECT_EQ(d.ResultLines[6],
              " Transverse balance of forces (STBD arrangement)\t29.43\t>= Fy\t\tNOT O.K.  Place More Lashing On S/Side.");
}

TEST(LashingAlternative, StoppedGuardLeavesComputedColumnsAndResults)
{
    TAlternativeDocument d;
    d.Particulars = CompleteParticulars();
    d.Lashings = {Row("PORT", "FWD", 90, 40, 30)};
    ASSERT_TRUE(d.CalculateAll());
    const TAlternativeDocument before = d;

    d.Particulars.StableArm = 0;
    d.Lashings[0].Beta = 60;
    EXPECT_FALSE(d.CalculateAll());
    EXPECT_EQ(d.Lashings[0].Fy, before.Lashings[0].Fy);
    EXPECT_EQ(d.Lashings[0].CSFx, before.Lashings[0].CSFx);
    EXPECT_EQ(d.ResultLines, before.ResultLines);

    // An overflowing input stops the same way, columns included.
    d.Particulars.StableArm = 0.8;
    d.Lashings[0].MSL = 1e308;
    d.Lashings[0].LeverArm = 1e10;
    EXPECT_FALSE(d.CalculateAll());
    EXPECT_EQ(d.Lashings[0].CSFy, before.Lashings[0].CSFy);
    EXPECT_EQ(d.ResultLines, before.ResultLines);
}

} // namespace
