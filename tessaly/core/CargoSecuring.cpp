#include "tessaly/core/CargoSecuring.h"

#include <cmath>
#include <numbers>

namespace tessaly {

namespace {

// Rows at x = 0.0, 0.1, ... 1.0; the end rows repeat their neighbours.
constexpr TAccelerationTable AccTable(double y0, double y1, double y2, double y3, double y4,
                                      double y5, double y6, double y7, double y8, double y9,
                                      double y10)
{
    return {{{0.0, y0}, {0.1, y1}, {0.2, y2}, {0.3, y3}, {0.4, y4}, {0.5, y5},
             {0.6, y6}, {0.7, y7}, {0.8, y8}, {0.9, y9}, {1.0, y10}}};
}

// Rows at B/GM = 4, 5, ... 12.
constexpr TBGMTable FactorTable(double y4, double y5, double y6, double y7, double y8,
                                double y9, double y10, double y11, double y12)
{
    return {{{4, y4}, {5, y5}, {6, y6}, {7, y7}, {8, y8}, {9, y9}, {10, y10}, {11, y11},
             {12, y12}}};
}

bool OnDeck(int vertical)
{
    return vertical == 0 || vertical == 1;
}

constexpr double DegreesToRadians = std::numbers::pi / 180.0;

} // namespace

const std::array<TAccelerationTable, 4> TransverseAccTable = {
    AccTable(7.1, 7.1, 6.9, 6.8, 6.7, 6.7, 6.8, 6.9, 7.1, 7.4, 7.4), // Deck High
    AccTable(6.5, 6.5, 6.3, 6.1, 6.1, 6.1, 6.1, 6.3, 6.5, 6.7, 6.7), // Deck Low
    AccTable(5.9, 5.9, 5.6, 5.5, 5.4, 5.4, 5.5, 5.6, 5.9, 6.2, 6.2), // TweenDeck
    AccTable(5.5, 5.5, 5.3, 5.1, 5.0, 5.0, 5.1, 5.3, 5.5, 5.9, 5.9), // Lower Hold
};

const TAccelerationTable VerticalAccTable =
    AccTable(7.6, 7.6, 6.2, 5.0, 4.3, 4.3, 5.0, 6.2, 7.6, 9.2, 9.2);

const std::array<TBGMTable, 4> BGMFactorTable = {
    FactorTable(2.30, 1.96, 1.72, 1.56, 1.40, 1.27, 1.19, 1.11, 1.05), // Deck High
    FactorTable(1.92, 1.70, 1.53, 1.42, 1.30, 1.21, 1.14, 1.09, 1.04), // Deck Low
    FactorTable(1.54, 1.42, 1.33, 1.26, 1.19, 1.14, 1.09, 1.06, 1.03), // TweenDeck
    FactorTable(1.31, 1.24, 1.19, 1.15, 1.12, 1.09, 1.06, 1.04, 1.02), // Lower Hold
};

double Interpolate(std::span<const TTablePoint> table, double X)
{
    const int n = static_cast<int>(table.size());
    if (n == 0)
        return 0;
    int lo = -1;
    int hi = n;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (table[mid].x == X)
            return table[mid].y;
        if (table[mid].x > X)
            hi = mid;
        else
            lo = mid;
    }
    if (lo < 0)
        return table[0].y;
    if (hi > n - 1)
        return table[n - 1].y;
    return table[lo].y + (table[hi].y - table[lo].y) * (X - table[lo].x) / (table[hi].x - table[lo].x);
}

double CalcCorrectionFactor(double L, double v)
{
    // The formula gives 1.00025 at the reference ship; the reference itself is exactly 1.
    if (std::fabs(L - 100) < 1e-7 && std::fabs(v - 15) < 1e-7)
        return 1.0;
    if (L < 50 || L > 300)
        return 1.0;
    return 0.345 * v / std::sqrt(L) + (58.62 * L - 1034.5) / (L * L);
}

double GetLongitudinalAcc(int vertical)
{
    switch (vertical) {
    case 0: return 3.8;
    case 1: return 2.9;
    case 2: return 2.0;
    case 3: return 1.5;
    default: return 1.0;
    }
}

double GetTransverseAcc(int vertical, double B, double GM, double x)
{
    const bool known = vertical >= 0 && vertical <= 3;
    const double base = known ? Interpolate(TransverseAccTable[vertical], x) : 1.0;
    const double r = B / GM;
    if (r >= 13 || !known)
        return base;
    // Below B/GM 4 (a negative GM included) the table's first row applies, and from 12 up
    // to 13 its last row: the table clamps rather than easing towards 1.
    return base * Interpolate(BGMFactorTable[vertical], r);
}

double GetVerticalAcc(double x)
{
    return Interpolate(VerticalAccTable, x);
}

double CalcWindForce(int vertical, double H, double faceLength)
{
    return OnDeck(vertical) && H >= 2.0 ? faceLength * H : 0.0;
}

double CalcSeaForce(int vertical, bool restrictedArea, double H, double faceLength)
{
    if (restrictedArea)
        return 0.0;
    return OnDeck(vertical) ? H / 2 * faceLength : 0.0;
}

double CalcExternalForce(double m, double a, double cf, double windForce, double seaForce)
{
    return m * a * cf + windForce + seaForce;
}

double CalcVerticalForce(double m, double az, double cf)
{
    return m * az * cf;
}

double GetFValue(int alphaDegrees, double mu)
{
    const double alpha = alphaDegrees * DegreesToRadians;
    return mu * std::sin(alpha) + std::cos(alpha);
}

ExternalForces ComputeForces(const TCargoInputs& in)
{
    ExternalForces f;
    f.cf = CalcCorrectionFactor(in.ShipLength, in.ShipSpeed);
    f.WindForceX = CalcWindForce(in.Vertical, in.CargoHeight, in.CargoWidth);
    f.WindForceY = CalcWindForce(in.Vertical, in.CargoHeight, in.CargoLength);
    f.SeaForceX = CalcSeaForce(in.Vertical, in.RestrictedArea, in.CargoHeight, in.CargoWidth);
    f.SeaForceY = CalcSeaForce(in.Vertical, in.RestrictedArea, in.CargoHeight, in.CargoLength);
    f.ax = GetLongitudinalAcc(in.Vertical);
    f.ay = GetTransverseAcc(in.Vertical, in.ShipBreadth, in.ShipGM, in.Longitudinal);
    f.az = GetVerticalAcc(in.Longitudinal);
    f.Fx = CalcExternalForce(in.CargoMass, f.ax, f.cf, f.WindForceX, f.SeaForceX);
    f.Fy = CalcExternalForce(in.CargoMass, f.ay, f.cf, f.WindForceY, f.SeaForceY);
    f.Fz = CalcVerticalForce(in.CargoMass, f.az, f.cf);
    return f;
}

} // namespace tessaly
