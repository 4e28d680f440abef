#pragma once
// Design accelerations and external forces on a cargo unit (CSS Code, Annex 13).
//
// Pure computation, no state. Units throughout: lengths and lever arms in m, ship speed in
// knots, mass in t, accelerations in m/s², forces in kN. A mass in t times an acceleration
// in m/s² is taken directly as kN, and an exposed area in m² as that many kN (1 kN/m²).
//
// Vertical stowage positions are list indexes: 0 "Deck High", 1 "Deck Low" (both on deck),
// 2 "TweenDeck", 3 "Lower Hold". Longitudinal position is a fraction of the ship's length,
// 0.0 (aft end) to 1.0.

#include <array>
#include <span>

namespace tessaly {

// One row of a constant table: x ascending.
struct TTablePoint {
    double x;
    double y;
};

using TAccelerationTable = std::array<TTablePoint, 11>; // x = 0.0, 0.1, ... 1.0
using TBGMTable = std::array<TTablePoint, 9>;           // x = B/GM 4 ... 12

// Basic transverse acceleration ay (m/s²) per vertical position 0..3.
extern const std::array<TAccelerationTable, 4> TransverseAccTable;
// Basic vertical acceleration az (m/s²), the same for every vertical position.
extern const TAccelerationTable VerticalAccTable;
// Factor on ay when B/GM is below 13, per vertical position 0..3.
extern const std::array<TBGMTable, 4> BGMFactorTable;

// Linear interpolation by binary search; X outside the table clamps to the end rows
// (no extrapolation). An empty table gives 0.
double Interpolate(std::span<const TTablePoint> table, double X);

// Correction factor for ship length L (m) and speed v (knots). Exactly 1.0 at 100 m and
// 15 kn, and 1.0 for L below 50 m or above 300 m.
double CalcCorrectionFactor(double L, double v);

// Basic longitudinal acceleration ax (m/s²) by vertical position; 1.0 for an unknown index.
double GetLongitudinalAcc(int vertical);

// Transverse acceleration ay (m/s²) for ship breadth B (m), metacentric height GM (m,
// never 0) and longitudinal position x, with the B/GM factor when B/GM is below 13.
double GetTransverseAcc(int vertical, double B, double GM, double x);

// Vertical acceleration az (m/s²) at longitudinal position x.
double GetVerticalAcc(double x);

// Wind force (kN) on a face: face length (m) × height H (m) for deck cargo at least 2 m
// high, else 0.
double CalcWindForce(int vertical, double H, double faceLength);

// Sea-sloshing force (kN) on a face: half the face area for deck cargo outside a
// restricted area, else 0.
double CalcSeaForce(int vertical, bool restrictedArea, double H, double faceLength);

// m (t) × a (m/s²) × cf + wind + sea (kN).
double CalcExternalForce(double m, double a, double cf, double windForce, double seaForce);

// Vertical force Fz (kN) = m × az × cf; no wind or sea term.
double CalcVerticalForce(double m, double az, double cf);

// f-value of a lashing: μ × sin α + cos α, α in whole degrees.
double GetFValue(int alphaDegrees, double mu);

// What ComputeForces fills, in this order. Suffix X: along the ship (acting on the unit's
// transverse face, so computed with the cargo width); suffix Y: athwartships (on the
// longitudinal face, computed with the cargo length).
struct ExternalForces {
    double cf = 0;         // correction factor for length and speed
    double WindForceX = 0; // kN
    double WindForceY = 0; // kN
    double SeaForceX = 0;  // kN
    double SeaForceY = 0;  // kN
    double ax = 0;         // m/s²
    double ay = 0;         // m/s²
    double az = 0;         // m/s²
    double Fx = 0;         // kN
    double Fy = 0;         // kN
    double Fz = 0;         // kN
};

// The inputs ComputeForces takes from a document.
struct TCargoInputs {
    double ShipLength = 0;   // m
    double ShipBreadth = 0;  // m
    double ShipSpeed = 0;    // knots
    double ShipGM = 0;       // m, never 0 when the forces are computed
    double CargoMass = 0;    // t
    double CargoLength = 0;  // m
    double CargoWidth = 0;   // m
    double CargoHeight = 0;  // m
    int Vertical = 0;        // vertical position index (0 when nothing is selected)
    double Longitudinal = 0; // fraction of the ship's length
    bool RestrictedArea = false;
};

// The shared sequence of both securing methods: cf, wind and sea forces, the three
// accelerations and the three external forces. cf multiplies all three accelerations.
ExternalForces ComputeForces(const TCargoInputs& in);

} // namespace tessaly
