#include "tessaly/core/CargoSecuring.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessaly;

namespace {

constexpr int DeckHigh = 0, DeckLow = 1, TweenDeck = 2, LowerHold = 3;

TEST(CargoSecuring, InterpolateHitsRowsInterpolatesAndClampsBothEnds)
{
    const TTablePoint table[] = {{1, 10}, {2, 20}, {4, 0}};
    struct Case { double x, y; } cases[] = {
        {1, 10}, {2, 20}, {4, 0},      // exact rows
        {1.5, 15}, {3, 10}, {3.5, 5},  // linear between rows
        {0.5, 10}, {-100, 10},         // below the first row: first y
        {4.5, 0}, {1e9, 0},            // above the last row: last y
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Interpolate(table, c.x), c.y) << "x = " << c.x;
    EXPECT_DOUBLE_EQ(Interpolate(std::span<const TTablePoint>(table, 1), 7), 10);
    EXPECT_DOUBLE_EQ(Interpolate(std::span<const TTablePoint>(), 7), 0);
}

TEST(CargoSecuring, CorrectionFactorForLengthAndSpeed)
{
    struct Case { double L, v, cf, tol; } cases[] = {
        {100, 15, 1.0, 0},         // the reference ship is exactly 1, not the formula's 1.00025
        {100, 15 + 1e-8, 1.0, 0},  // within the 1e-7 tolerance
        {100, 16, 0.345 * 16 / 10 + (5862 - 1034.5) / 10000, 1e-12},
        {50, 15, 1.4905, 1e-4},    // 50 m itself uses the formula
        {49.99, 15, 1.0, 0},       // below 50 m: 1.0
        {300, 15, 0.4827, 1e-4},   // 300 m itself uses the formula
        {300.01, 15, 1.0, 0},      // above 300 m: 1.0
    };
    for (const Case& c : cases) {
        if (c.tol == 0)
            EXPECT_EQ(CalcCorrectionFactor(c.L, c.v), c.cf) << c.L << " m, " << c.v << " kn";
        else
            EXPECT_NEAR(CalcCorrectionFactor(c.L, c.v), c.cf, c.tol) << c.L << " m, " << c.v << " kn";
    }
}

TEST(CargoSecuring, Accelerations)
{
    EXPECT_EQ(GetLongitudinalAcc(DeckHigh), 3.8);
    EXPECT_EQ(GetLongitudinalAcc(DeckLow), 2.9);
    EXPECT_EQ(GetLongitudinalAcc(TweenDeck), 2.0);
    EXPECT_EQ(GetLongitudinalAcc(LowerHold), 1.5);
    EXPECT_EQ(GetLongitudinalAcc(-1), 1.0);
    EXPECT_EQ(GetLongitudinalAcc(4), 1.0);

    // B/GM 10 takes its table factor; 13 and above none; 12.5 the 12 row (the table
    // clamps instead of easing to 1); 3 and a negative GM the 4 row.
    struct Case { int vertical; double B, GM, x, ay; } cases[] = {
        {DeckHigh, 20, 2, 0.5, 6.7 * 1.19},
        {DeckHigh, 26, 2, 0.5, 6.7},
        {DeckHigh, 40, 2, 0.5, 6.7},
        {DeckHigh, 25, 2, 0.5, 6.7 * 1.05},
        {DeckHigh, 6, 2, 0.5, 6.7 * 2.30},
        {DeckHigh, 20, -2, 0.5, 6.7 * 2.30},
        {DeckLow, 20, 2, 0.0, 6.5 * 1.14},
        {DeckLow, 20, 2, 0.1, 6.5 * 1.14},
        {TweenDeck, 24, 2, 1.0, 6.2 * 1.03},
        {TweenDeck, 24, 2, 0.9, 6.2 * 1.03},
        {LowerHold, 30, 2, 0.3, 5.1},
        {LowerHold, 20, 2, 0.45, 5.0 * 1.06},  // between two equal rows
        {LowerHold, 26, 1, 0.85, 5.7},         // halfway between 5.5 and 5.9
        {LowerHold, 26, 1, -0.5, 5.5},         // below 0.0: the end row
        {LowerHold, 26, 1, 1.5, 5.9},          // above 1.0: the end row
        {7, 20, 2, 0.5, 1.0},                  // unknown position: 1.0 without factor
    };
    for (const Case& c : cases)
        EXPECT_NEAR(GetTransverseAcc(c.vertical, c.B, c.GM, c.x), c.ay, 1e-12)
            << "position " << c.vertical << ", B/GM " << c.B / c.GM << ", x " << c.x;

    struct VCase { double x, az; } vertical[] = {
        {0.0, 7.6}, {0.1, 7.6}, {0.5, 4.3}, {0.9, 9.2}, {1.0, 9.2}, {0.95, 9.2}, {0.25, 5.6}, {2, 9.2}};
    for (const VCase& c : vertical)
        EXPECT_NEAR(GetVerticalAcc(c.x), c.az, 1e-12) << "x " << c.x;
}

TEST(CargoSecuring, WindAndSeaForceThresholds)
{
    // Wind only on deck and from 2 m height; sea on deck unless in a restricted area, at
    // any height.
    struct Case { int vertical; bool restricted; double H, wind, sea; } cases[] = {
        {DeckLow, false, 1.99, 0, 5 * 0.995},
        {DeckLow, false, 2.0, 5 * 2.0, 5 * 1.0},
        {DeckHigh, false, 3.0, 15, 7.5},
        {DeckHigh, true, 3.0, 15, 0},
        {TweenDeck, false, 3.0, 0, 0},
        {LowerHold, false, 3.0, 0, 0},
        {LowerHold, true, 3.0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(CalcWindForce(c.vertical, c.H, 5), c.wind) << c.vertical << " H " << c.H;
        EXPECT_DOUBLE_EQ(CalcSeaForce(c.vertical, c.restricted, c.H, 5), c.sea) << c.vertical << " H " << c.H;
    }
}

TEST(CargoSecuring, FValue)
{
    EXPECT_DOUBLE_EQ(GetFValue(0, 0.3), 1.0);
    EXPECT_NEAR(GetFValue(90, 0.3), 0.3, 1e-15);
    EXPECT_NEAR(GetFValue(40, 0.3), 0.3 * std::sin(40 * M_PI / 180) + std::cos(40 * M_PI / 180), 1e-15);
}

TEST(CargoSecuring, ComputeForcesUsesWidthAlongAndLengthAthwartships)
{
    TCargoInputs in;
    in.ShipLength = 100;
    in.ShipSpeed = 15;
    in.ShipBreadth = 20;
    in.ShipGM = 2;
    in.CargoMass = 10;
    in.CargoLength = 4;
    in.CargoWidth = 1;
    in.CargoHeight = 3;
    in.Vertical = DeckHigh;
    in.Longitudinal = 0.5;
    const ExternalForces f = ComputeForces(in);
    EXPECT_EQ(f.cf, 1.0);
    EXPECT_DOUBLE_EQ(f.WindForceX, 3);
    EXPECT_DOUBLE_EQ(f.WindForceY, 12);
    EXPECT_DOUBLE_EQ(f.SeaForceX, 1.5);
    EXPECT_DOUBLE_EQ(f.SeaForceY, 6);
    EXPECT_DOUBLE_EQ(f.ax, 3.8);
    EXPECT_DOUBLE_EQ(f.ay, 7.973);
    EXPECT_DOUBLE_EQ(f.az, 4.3);
    EXPECT_DOUBLE_EQ(f.Fx, 42.5);
    EXPECT_DOUBLE_EQ(f.Fy, 97.73);
    EXPECT_DOUBLE_EQ(f.Fz, 43);

    // cf multiplies all three accelerations; Fz never takes wind or sea.
    in.ShipLength = 200;
    const ExternalForces g = ComputeForces(in);
    ASSERT_NE(g.cf, 1.0);
    EXPECT_DOUBLE_EQ(g.Fx, 10 * 3.8 * g.cf + 3 + 1.5);
    EXPECT_DOUBLE_EQ(g.Fy, 10 * 7.973 * g.cf + 12 + 6);
    EXPECT_DOUBLE_EQ(g.Fz, 10 * 4.3 * g.cf);
}

} // namespace
