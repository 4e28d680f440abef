#pragma once
// The ship database: one ship file of the Data folder held as four in-memory tables.
//
// File layout (root `Data`, no header): one `Particulars` record, one `Hydrostatic` record
// per row in ascending draught order, one `Ballast` record per tank, one `Options` record.
// IDs are written 1, 2, 3 ... and never read back: rows are renumbered in file order.

#include <string>
#include <vector>

namespace kelvara {

struct TParticularsRow {
    int ParticularsID = 0;
    std::string ShipName;
    double LBP = 0;       // m or ft
    double LightShip = 0; // t
};

// One draught of the hydrostatic table, every value in the ship's own units.
struct THydrostaticRow {
    int HydrostaticID = 0;
    double Draft = 0;        // m or ft
    double Displacement = 0; // t
    double TPC = 0;          // t/cm or t/in
    double MCT = 0;          // unit of the ship's MctType
    double LCF = 0;          // from the reference of the ship's LcfType
    double FwdPPDist = 0;    // forward marks from the fore perpendicular, + forward
    double AftPPDist = 0;    // aft marks from the aft perpendicular, + forward
    double MidPPDist = 0;    // midship marks from amidships, + forward
};

struct TOptionsRow {
    int OptionsID = 0;
    double TableDensity = 1.025; // t/m3
    int ShipShape = 0;           // TShipShape ordinal
    int MctType = 0;             // TMctType ordinal; 0 and 1 mean a metric ship
    int LcfType = 0;             // TLcfType ordinal
};

struct TShipBallastRow {
    int BallastID = 0;
    std::string Tank;
    double Capacity = 0; // m3 or ft3
};

class TDM {
public:
    std::vector<TParticularsRow> tblParticulars;
    std::vector<THydrostaticRow> tblHydrostatic; // ascending Draft, always
    std::vector<TOptionsRow> tblOptions;
    std::vector<TShipBallastRow> tblballast;     // file order

    // Appends the rows of the ship file at the full path. Throws shell::Error on an
    // unreadable file, "Unable to load the file: " + path for an empty document, and on
    // a missing or malformed leaf (the rows read before the failure stay).
    void FillAllTables(const std::string& APathToDB);

    // Writes the four tables to the full path, replacing the file (atomically).
    void SaveAllTables(const std::string& APathToDB) const;
    std::string SaveAllTablesToString() const;

    // Inserts a hydrostatic row at its place by draught; a row of equal draught goes
    // after those already there, so equal draughts keep their file order.
    void InsertHydrostatic(const THydrostaticRow& row);

    // A ship is metric when its MctType is 0 or 1 (no options row: metric).
    bool IsMetric() const;
};

} // namespace kelvara
