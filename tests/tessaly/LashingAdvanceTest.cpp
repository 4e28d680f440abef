#include "tessaly/core/LashingAdvance.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessaly;

namespace {

// Ship 100 m at 15 kn (cf 1), B/GM 10; a 10 t unit 4 x 1 x 3 m on "Deck High" at 0.5 L;
// μ 0.3; a = 1.2 m, b = 0.8 m.
TParticulars CompleteParticulars()
{
    TParticulars p;
    p.ShipName = "MV Orvanel Star";
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

TAdvancedLashing Row(const char* position, int n, double msl, int alpha, double c)
{
    TAdvancedLashing r = AdvancedNewRow();
    r.Position = position;
    r.Number = n;
    r.MSL = msl;
    r.VerticalAngle = alpha;
    r.LeverArm = c;
    return r;
}

TAdvancedDocument MixedDocument()
{
    TAdvancedDocument d;
    d.Particulars = CompleteParticulars();
    d.Lashings = {Row("PORT", 2, 90, 40, 1.0), Row("STBD", 2, 90, 40, 1.0),
                  Row("STBD->FWD", 1, 90, 0, 0.5), Row("AFT", 1, 60, 30, 0.0),
                  Row("PORT->AFT", 1, 90, 40, 1.0)};
    return d;
}

TEST(LashingAdvance, NewDocumentHasFiveRowsAndDoesNotCalculate)
{
    TAdvancedDocument d;
    d.SetupUI();
    ASSERT_EQ(d.RowCount(), 5);
    for (const TAdvancedLashing& r : d.Lashings)
        EXPECT_EQ(r, Row("PORT", 1, 90.0, 40, 1.0));
    EXPECT_EQ(*d.Lashings[0].Type, "Class 1 chain");
    EXPECT_EQ(AdvancedNewRow(), AdvancedInitialRow());
    EXPECT_EQ(d.NumberTotal(), 5);
    EXPECT_DOUBLE_EQ(d.MSLTotal(), 450.0);
    EXPECT_FALSE(d.CalculateAll());
    EXPECT_TRUE(d.ResultLines.empty());
    EXPECT_EQ(d.Forces.Fy, 0);
    EXPECT_EQ(d.Balance.PortSlidingResult, "");
}

TEST(LashingAdvance, ResultLinesOfAMixedArrangement)
{
    TAdvancedDocument d = MixedDocument();
    ASSERT_TRUE(d.CalculateAll());
    // Fx is exactly 42.5: halves round away from zero. FwdSliding is 46.53.
    const std::vector<std::string> expected = {
        " Correction factor \t\tcf = 1.00",
        " Longitudinal acceleration\tAx = 3.8 m/s2\t\t Longitudinal force\t\tFx = 43 kN",
        " Transverse acceleration \tAy = 8.0 m/s2\t\t Transverse force\t\tFy = 98 kN",
        " Vertical acceleration \tAz = 4.3 m/s2\t\t Vertical force\t\tFz = 43 kN",
        std::string(85, '-'),
        " Transverse balance of forces (PORT arrangement)\t202\t>= Fy\t\tO.K.",
        " Transverse balance of forces (STBD arrangement)\t204\t>= Fy\t\tO.K.",
        " Longitudinal balance of forces (FWD arrangement)\t47\t>= Fx\t\tO.K.",
        " Longitudinal balance of forces (AFT arrangement)\t86\t>= Fx\t\tO.K.",
        " Transverse tipping (PORT arrangement)\t\t258\t>= Fy * a\tO.K.",
        " Transverse tipping (STBD arrangement)\t\t228\t>= Fy * a\tO.K.",
    };
    EXPECT_EQ(d.ResultLines, expected);
    EXPECT_NEAR(d.Balance.FwdSliding, 46.53, 1e-9);
    EXPECT_NEAR(d.Balance.PortTipping, 258.48, 1e-9);
}

TEST(LashingAdvance, GuardKeepsThePreviousResults)
{
    TAdvancedDocument d = MixedDocument();
    ASSERT_TRUE(d.CalculateAll());
    const std::vector<std::string> lines = d.ResultLines;
    const double fy = d.Forces.Fy;

    double TParticulars::*guarded[] = {
        &TParticulars::ShipLength, &TParticulars::ShipBreadth, &TParticulars::ShipSpeed,
        &TParticulars::ShipGM, &TParticulars::CargoMass, &TParticulars::CargoLength,
        &TParticulars::CargoWidth, &TParticulars::CargoHeight, &TParticulars::TippingArm,
        &TParticulars::StableArm};
    for (auto field : guarded) {
        TAdvancedDocument changed = d;
        changed.Particulars.CargoMass = 500; // would change every result
        changed.Particulars.*field = 0;
        EXPECT_FALSE(changed.CalculateAll());
        EXPECT_EQ(changed.ResultLines, lines);
        EXPECT_EQ(changed.Forces.Fy, fy);
    }

    // MSL total not above 0, or no rows at all: no calculation.
    TAdvancedDocument noLoad = d;
    for (TAdvancedLashing& r : noLoad.Lashings)
        r.MSL = 0.0;
    noLoad.Particulars.CargoMass = 500;
    EXPECT_FALSE(noLoad.CalculateAll());
    EXPECT_EQ(noLoad.ResultLines, lines);
    noLoad.Lashings.clear();
    EXPECT_FALSE(noLoad.CalculateAll());

    // Number 0 contributes nothing, but its MSL still passes the guard.
    TAdvancedDocument countZero = d;
    countZero.Lashings = {Row("PORT", 0, 90, 40, 1.0)};
    ASSERT_TRUE(countZero.CalculateAll());
    EXPECT_NEAR(countZero.Balance.PortSliding, 10 * 0.3 * 9.81, 1e-12);
}

TEST(LashingAdvance, BalanceSumsByPosition)
{
    // With no cargo mass the balance values are the lashing sums alone. Each row: n = 2,
    // MSL 90 (CS 120), α 0 (f 1), c 1.
    struct Case { std::optional<std::string> position; double port, stbd, fwd, aft; } cases[] = {
        {"PORT", 120, 0, 0, 0},      {"PORT->FWD", 120, 0, 60, 0}, {"PORT->AFT", 120, 0, 0, 60},
        {"STBD", 0, 120, 0, 0},      {"STBD->FWD", 0, 120, 60, 0}, {"STBD->AFT", 0, 120, 0, 60},
        {"FWD", 0, 0, 120, 0},       {"AFT", 0, 0, 0, 120},
        {"MIDSHIPS", 0, 0, 0, 0},    // an edited file's text counts nowhere
        {std::nullopt, 120, 0, 0, 0} // no value counts as PORT
    };
    for (const Case& c : cases) {
        TAdvancedLashing r = Row("PORT", 2, 90, 0, 1.0);
        r.Position = c.position;
        const BalanceResults b = CalcAdvancedBalance({r}, 0.3, 0, 0, 0);
        const std::string label = c.position.value_or("(none)");
        EXPECT_DOUBLE_EQ(b.PortSliding, c.port) << label;
        EXPECT_DOUBLE_EQ(b.PortTipping, c.port) << label;
        EXPECT_DOUBLE_EQ(b.StbdSliding, c.stbd) << label;
        EXPECT_DOUBLE_EQ(b.StbdTipping, c.stbd) << label;
        EXPECT_DOUBLE_EQ(b.FwdSliding, c.fwd) << label;
        EXPECT_DOUBLE_EQ(b.AftSliding, c.aft) << label;
    }

    // Cells without a value count as 0; friction and the vertical force enter as the
    // method states: (m g - Fz) μ along the ship, m μ g athwartships, m b g for tipping.
    TAdvancedLashing empty;
    const BalanceResults b = CalcAdvancedBalance({empty}, 0.3, 10, 0.8, 43);
    EXPECT_DOUBLE_EQ(b.PortSliding, 10 * 0.3 * 9.81);
    EXPECT_DOUBLE_EQ(b.FwdSliding, (10 * 9.81 - 43) * 0.3);
    EXPECT_DOUBLE_EQ(b.StbdTipping, 10 * 0.8 * 9.81);
    // μ 0: the longitudinal balances are the lashing sums alone; α 90 gives f = μ.
    EXPECT_DOUBLE_EQ(CalcAdvancedBalance({Row("FWD", 3, 90, 30, 0)}, 0.0, 10, 0.8, 43).FwdSliding,
                     180 * std::cos(30 * M_PI / 180));
    EXPECT_NEAR(CalcAdvancedBalance({Row("AFT", 3, 90, 90, 0)}, 0.2, 0, 0, 0).AftSliding, 180 * 0.2, 1e-12);
}

TEST(LashingAdvance, JudgementPassesOnEqualityAndNamesTheFailingSide)
{
    ExternalForces f;
    f.Fx = 50;
    f.Fy = 100;
    BalanceResults equal;
    equal.PortSliding = equal.StbdSliding = 100;
    equal.FwdSliding = equal.AftSliding = 50;
    equal.PortTipping = equal.StbdTipping = 150; // Fy × a with a = 1.5
    JudgeBalance(equal, f, 1.5);
    for (const std::string* s : {&equal.PortSlidingResult, &equal.StbdSlidingResult, &equal.FwdSlidingResult,
                                 &equal.AftSlidingResult, &equal.PortTippingResult, &equal.StbdTippingResult})
        EXPECT_EQ(*s, "O.K.");

    BalanceResults short_;
    short_.PortSliding = short_.StbdSliding = 99.99;
    short_.FwdSliding = short_.AftSliding = 49.99;
    short_.PortTipping = short_.StbdTipping = 149.99;
    JudgeBalance(short_, f, 1.5);
    EXPECT_EQ(short_.PortSlidingResult, "NOT O.K.  Place More Lashing On P/Side.");
    EXPECT_EQ(short_.StbdSlidingResult, "NOT O.K.  Place More Lashing On S/Side.");
    EXPECT_EQ(short_.PortTippingResult, "NOT O.K.  Place More Lashing On P/Side.");
    EXPECT_EQ(short_.StbdTippingResult, "NOT O.K.  Place More Lashing On S/Side.");
    EXPECT_EQ(short_.FwdSlidingResult, "NOT O.K.  Place More Lashing On Fwd/Side.");
    EXPECT_EQ(short_.AftSlidingResult, "NOT O.K.  Place More Lashing On Aft/Side.");
}

TEST(LashingAdvance, StarboardWithoutLashingsIsFrictionAlone)
{
    TAdvancedDocument d = MixedDocument();
    d.Lashings = {Row("PORT", 1, 90, 40, 1.0)};
    ASSERT_TRUE(d.CalculateAll());
    EXPECT_DOUBLE_EQ(d.Balance.StbdSliding, 29.43);
    EXPECT_EQ(d.ResultLines[6],
              " Transverse balance of forces (STBD arrangement)\t29\t>= Fy\t\tNOT O.K.  Place More Lashing On S/Side.");
}

TEST(LashingAdvance, OverflowingInputIsTreatedAsMissing)
{
    TAdvancedDocument d = MixedDocument();
    ASSERT_TRUE(d.CalculateAll());
    const std::vector<std::string> lines = d.ResultLines;
    d.Particulars.CargoMass = 1e308; // m × a overflows to infinity
    EXPECT_FALSE(d.CalculateAll());
    EXPECT_EQ(d.ResultLines, lines);
    EXPECT_TRUE(std::isfinite(d.Balance.PortSliding));
}

TEST(LashingFormat, FixedPointRoundsHalvesAwayFromZero)
{
    struct Case { double value; int decimals; const char* text; } cases[] = {
        {42.5, 0, "43"},   {12.5, 0, "13"},     {-2.5, 0, "-3"},   {0.5, 0, "1"},
        {0.4, 0, "0"},     {-0.4, 0, "0"},      {99.5, 0, "100"},  {29.43, 0, "29"},
        {29.43, 2, "29.43"}, {0.125, 2, "0.13"}, {2.675, 2, "2.67"}, // 2.675 is 2.67499... in binary
        {7.973, 1, "8.0"}, {0.05, 1, "0.1"},    {0.0096, 1, "0.0"}, {0.096, 1, "0.1"},
        {0, 2, "0.00"},    {-0.0, 2, "0.00"},   {120, 2, "120.00"}, {1234567.891, 2, "1234567.89"},
        {1e20, 1, "100000000000000000000.0"},   {-0.004, 2, "0.00"}, {9.9999, 2, "10.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

} // namespace
