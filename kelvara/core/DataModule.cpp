#include "DataModule.h"

#include "shell/core/Error.h"
#include "shell/core/Xml.h"

#include <algorithm>

namespace kelvara {

void TDM::InsertHydrostatic(const THydrostaticRow& row)
{
    auto pos = std::upper_bound(tblHydrostatic.begin(), tblHydrostatic.end(), row.Draft,
                                [](double draft, const THydrostaticRow& r) { return draft < r.Draft; });
    tblHydrostatic.insert(pos, row);
}

bool TDM::IsMetric() const
{
    if (tblOptions.empty())
        return true;
    int mct = tblOptions.front().MctType;
    return mct == 0 || mct == 1;
}

void TDM::FillAllTables(const std::string& APathToDB)
{
    shell::TXmlDocument doc;
    doc.LoadFromFile(APathToDB);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + APathToDB);
    shell::TXmlNode root = doc.Root();

    int i = 0;
    for (const shell::TXmlNode& n : root.FindNodes("Particulars")) {
        TParticularsRow r;
        r.ParticularsID = ++i;
        r.ShipName = n.ReadString("ShipName");
        r.LBP = n.ReadFloat("LBP");
        r.LightShip = n.ReadFloat("LightShip");
        tblParticulars.push_back(r);
    }
    i = 0;
    for (const shell::TXmlNode& n : root.FindNodes("Hydrostatic")) {
        THydrostaticRow r;
        r.HydrostaticID = ++i;
        r.Draft = n.ReadFloat("Draft");
        r.Displacement = n.ReadFloat("Displacement");
        r.TPC = n.ReadFloat("TPC");
        r.MCT = n.ReadFloat("MCT");
        r.LCF = n.ReadFloat("LCF");
        r.FwdPPDist = n.ReadFloat("FwdPPDist");
        r.AftPPDist = n.ReadFloat("AftPPDist");
        r.MidPPDist = n.ReadFloat("MidPPDist");
        InsertHydrostatic(r);
    }
    i = 0;
    for (const shell::TXmlNode& n : root.FindNodes("Ballast")) {
        TShipBallastRow r;
        r.BallastID = ++i;
        r.Tank = n.ReadString("Tank");
        r.Capacity = n.ReadFloat("Capacity");
        tblballast.push_back(r);
    }
    i = 0;
    for (const shell::TXmlNode& n : root.FindNodes("Options")) {
        TOptionsRow r;
        r.OptionsID = ++i;
        r.TableDensity = n.ReadFloat("TableDensity");
        r.ShipShape = n.ReadInteger("ShipShape");
        r.MctType = n.ReadInteger("MctType");
        r.LcfType = n.ReadInteger("LcfType");
        tblOptions.push_back(r);
    }
}

std::string TDM::SaveAllTablesToString() const
{
    shell::TXmlDocument doc;
    doc.CreateName("Data");
    shell::TXmlNode root = doc.Root();

    // A ship has one particulars and one options row; only the first is written.
    TParticularsRow particulars = tblParticulars.empty() ? TParticularsRow{} : tblParticulars.front();
    shell::TXmlNode p = root.NodeNew("Particulars");
    p.WriteInteger("ParticularsID", 1);
    p.WriteString("ShipName", particulars.ShipName);
    p.WriteFloat("LBP", particulars.LBP);
    p.WriteFloat("LightShip", particulars.LightShip);

    int id = 0;
    for (const THydrostaticRow& r : tblHydrostatic) {
        shell::TXmlNode h = root.NodeNew("Hydrostatic");
        h.WriteInteger("HydrostaticID", ++id);
        h.WriteFloat("Draft", r.Draft);
        h.WriteFloat("Displacement", r.Displacement);
        h.WriteFloat("TPC", r.TPC);
        h.WriteFloat("MCT", r.MCT);
        h.WriteFloat("LCF", r.LCF);
        h.WriteFloat("FwdPPDist", r.FwdPPDist);
        h.WriteFloat("AftPPDist", r.AftPPDist);
        h.WriteFloat("MidPPDist", r.MidPPDist);
    }
    id = 0;
    for (const TShipBallastRow& r : tblballast) {
        shell::TXmlNode b = root.NodeNew("Ballast");
        b.WriteInteger("BallastID", ++id);
        b.WriteString("Tank", r.Tank);
        b.WriteFloat("Capacity", r.Capacity);
    }

    TOptionsRow options = tblOptions.empty() ? TOptionsRow{} : tblOptions.front();
    shell::TXmlNode o = root.NodeNew("Options");
    o.WriteInteger("OptionsID", 1);
    o.WriteFloat("TableDensity", options.TableDensity);
    o.WriteInteger("ShipShape", options.ShipShape);
    o.WriteInteger("MctType", options.MctType);
    o.WriteInteger("LcfType", options.LcfType);
    return doc.SaveToString();
}

void TDM::SaveAllTables(const std::string& APathToDB) const
{
    // Build the whole text first: a value that cannot be written leaves the file as it was.
    shell::WriteFileAtomically(APathToDB, SaveAllTablesToString());
}

} // namespace kelvara
