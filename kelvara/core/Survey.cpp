#include "Survey.h"

#include "shell/core/Error.h"
#include "shell/core/Folders.h"
#include "shell/core/Utils.h"
#include "shell/core/Xml.h"

#include <cmath>
#include <initializer_list>

namespace kelvara {

namespace {

constexpr const char* kVersion = "9.1.0.1";

// Offset of the mean of means at which the two MCT values are taken (m or ft alike).
constexpr double kMeanOfMeansOffset = 0.5;
// The density-correction threshold: a fixed value, not the table density.
constexpr double kStandardDensity = 1.025;

struct TUnitFactors {
    double ListFactor;  // list correction
    double FirstTrim;   // first trim correction
    double SecondTrim;  // second trim correction
};

TUnitFactors FactorsOf(TProgramState state)
{
    switch (state) {
    case TProgramState::psManualImperial: return {0.72, 12, 6};
    case TProgramState::psAutoImperial: return {6, 12, 6};
    default: return {6, 100, 50};
    }
}

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool AllFinite(const TSurveyValues& s)
{
    return AllFinite({s.Density, s.FwdPort, s.FwdStbd, s.FdwCor, s.FwdTrue, s.AftPort, s.AftStbd,
                      s.AftCor, s.AftTrue, s.MidPort, s.MidStbd, s.MidCor, s.MidTrue, s.FuelOil,
                      s.DieselOil, s.LubOil, s.Sludge, s.FreshWater, s.Other, s.BallastWater,
                      s.TotalDeductibles, s.MeanOfMeans, s.MeanOfMeansPlus, s.MeanOfMeansMinus,
                      s.Displ, s.Lcf, s.MctcPlus, s.MctcMinus, s.Tpc, s.TpcPort, s.TpcStbd, s.Trim,
                      s.ListCor, s.FirstCor, s.SecondCor, s.DensityCor, s.CorrectedDispl, s.NetDispl});
}

// Mean of means from the true draughts: finer lines weigh amidships 6 of 8, a box shape 4 of 6.
double MeanOfMeans(TShipShape shape, double fwd, double aft, double mid)
{
    if (shape == TShipShape::ssFinerShape)
        return (fwd + aft + 6 * mid) / 8;
    return (fwd + aft + 4 * mid) / 6;
}

const char* HullState(double fwd, double aft, double mid)
{
    double d = mid - (fwd + aft) / 2;
    if (shell::IsZeroValue(d))
        return "Even Keel";
    return d < 0 ? "Hog" : "Sag";
}

// First trim correction (t): x is the LCF's distance forward of amidships (from the aft
// perpendicular it is LBP / 2 - LCF). Stern trim (negative) with the LCF forward of
// amidships adds weight.
double FirstTrimCorrection(TLcfType lcfType, double lbp, double lcf, double tpc, double trim, double factor)
{
    double x = lcfType == TLcfType::ltFromAftPerp ? lbp / 2 - lcf : lcf;
    double magnitude = std::fabs(x * tpc * trim * factor / lbp);
    if (trim < 0)
        return x > 0 ? magnitude : -magnitude;
    return x > 0 ? -magnitude : magnitude;
}

// Second trim correction (t), never negative; an MCT per metre is brought to per centimetre.
double SecondTrimCorrection(TMctType mctType, double lbp, double trim, double mctPlus, double mctMinus, double factor)
{
    double dm = mctPlus - mctMinus;
    if (mctType == TMctType::mtMeters)
        dm /= 100;
    return std::fabs(trim * trim * dm * factor / lbp);
}

// Density correction (t) of the displacement s made in water of the table density.
double DensityCorrection(double tableDensity, double density, double s)
{
    double cor = (tableDensity - density) * s / tableDensity;
    return density <= kStandardDensity ? -cor : std::fabs(cor);
}

double Deductibles(const TSurveyValues& s)
{
    return s.FuelOil + s.DieselOil + s.LubOil + s.Sludge + s.BallastWater + s.FreshWater + s.Other;
}

void CheckOrdinal(const char* name, int value, int maxValue)
{
    if (value < 0 || value > maxValue)
        throw shell::Error("Invalid value of '" + std::string(name) + "': " + std::to_string(value));
}

shell::TXmlNode FindFirst(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = root.FindNode(name);
    if (!n)
        throw shell::Error("Element '" + std::string(name) + "' not found");
    return n;
}

// The 24 values of an InitialSurvey or FinalSurvey element, in file order.
void WriteSurvey(shell::TXmlNode node, const TSurveyValues& s)
{
    node.WriteString("Date", s.Date);
    node.WriteFloat("FuelOil", s.FuelOil);
    node.WriteFloat("DieselOil", s.DieselOil);
    node.WriteFloat("LubOil", s.LubOil);
    node.WriteFloat("Sludge", s.Sludge);
    node.WriteFloat("FreshWater", s.FreshWater);
    node.WriteFloat("Other", s.Other);
    node.WriteFloat("FwdDraftPort", s.FwdPort);
    node.WriteFloat("FwdDraftStbd", s.FwdStbd);
    node.WriteFloat("FwdPerpCorr", s.FdwCor);
    node.WriteFloat("AftDraftPort", s.AftPort);
    node.WriteFloat("AftDraftStbd", s.AftStbd);
    node.WriteFloat("AftPerpCorr", s.AftCor);
    node.WriteFloat("MidDraftPort", s.MidPort);
    node.WriteFloat("MidDraftStbd", s.MidStbd);
    node.WriteFloat("MidPerpCorr", s.MidCor);
    node.WriteFloat("Displ", s.Displ);
    node.WriteFloat("Density", s.Density);
    node.WriteFloat("Lcf", s.Lcf);
    node.WriteFloat("MctPlus", s.MctcPlus);
    node.WriteFloat("MctMinus", s.MctcMinus);
    node.WriteFloat("Tpc", s.Tpc);
    node.WriteFloat("TpcPort", s.TpcPort);
    node.WriteFloat("TpcStbd", s.TpcStbd);
}

void ReadSurvey(const shell::TXmlNode& node, TSurveyValues& s)
{
    s.Date = node.ReadString("Date");
    s.FuelOil = node.ReadFloat("FuelOil");
    s.DieselOil = node.ReadFloat("DieselOil");
    s.LubOil = node.ReadFloat("LubOil");
    s.Sludge = node.ReadFloat("Sludge");
    s.FreshWater = node.ReadFloat("FreshWater");
    s.Other = node.ReadFloat("Other");
    s.FwdPort = node.ReadFloat("FwdDraftPort");
    s.FwdStbd = node.ReadFloat("FwdDraftStbd");
    s.FdwCor = node.ReadFloat("FwdPerpCorr");
    s.AftPort = node.ReadFloat("AftDraftPort");
    s.AftStbd = node.ReadFloat("AftDraftStbd");
    s.AftCor = node.ReadFloat("AftPerpCorr");
    s.MidPort = node.ReadFloat("MidDraftPort");
    s.MidStbd = node.ReadFloat("MidDraftStbd");
    s.MidCor = node.ReadFloat("MidPerpCorr");
    s.Displ = node.ReadFloat("Displ");
    s.Density = node.ReadFloat("Density");
    s.Lcf = node.ReadFloat("Lcf");
    s.MctcPlus = node.ReadFloat("MctPlus");
    s.MctcMinus = node.ReadFloat("MctMinus");
    s.Tpc = node.ReadFloat("Tpc");
    s.TpcPort = node.ReadFloat("TpcPort");
    s.TpcStbd = node.ReadFloat("TpcStbd");
}

} // namespace

TSurvey::TSurvey(TProgramState state) : MState(state)
{
    if (IsManual()) {
        PerpCorrection = TPerpCorrection::pcManual;
        PathToDB = "None";
    }
}

TSurvey::~TSurvey() = default;

// ---------------------------------------------------------------------------------------
// Set-up

void TSurvey::CreateEngineFromDM()
{
    // The engine forwards its messages to whatever notifier is connected at call time.
    calc = std::make_unique<TDraftCalc>(&DM->tblHydrostatic, LBP,
                                        [this](TMessageType type, const std::string& text) {
                                            if (Notify)
                                                Notify(type, text);
                                        });
}

void TSurvey::TakeShipParticulars()
{
    TParticularsRow p = DM->tblParticulars.empty() ? TParticularsRow{} : DM->tblParticulars.front();
    ShipName = p.ShipName;
    LBP = p.LBP;
    LightShip = p.LightShip;
}

void TSurvey::TakeShipOptions(bool all)
{
    TOptionsRow o = DM->tblOptions.empty() ? TOptionsRow{} : DM->tblOptions.front();
    if (all) {
        CheckOrdinal("ShipShape", o.ShipShape, 1);
        CheckOrdinal("LcfType", o.LcfType, 1);
        CheckOrdinal("MctType", o.MctType, 3);
        ShipShape = static_cast<TShipShape>(o.ShipShape);
        LcfType = static_cast<TLcfType>(o.LcfType);
        MctType = static_cast<TMctType>(o.MctType);
    }
    TableDensity = o.TableDensity;
}

void TSurvey::InitNew()
{
    tblBallast.clear();
    if (IsAuto()) {
        auto dm = std::make_unique<TDM>();
        dm->FillAllTables(PathToDB);
        DM = std::move(dm);
        TakeShipParticulars();
        TakeShipOptions(true);
        for (const TShipBallastRow& tank : DM->tblballast) {
            TBallastRow row;
            row.Tank = tank.Tank;
            row.Capacity = tank.Capacity;
            tblBallast.push_back(row);
        }
        CreateEngineFromDM();
    } else {
        for (int i = 1; i <= 10; ++i) {
            TBallastRow row;
            row.Tank = "Tank No." + std::to_string(i);
            row.Capacity = 100;
            tblBallast.push_back(row);
        }
    }
    CalcBallastWeights();
}

void TSurvey::InitOpen()
{
    if (IsAuto()) {
        auto dm = std::make_unique<TDM>();
        dm->FillAllTables(PathToDB);
        DM = std::move(dm);
        if (MState == TProgramState::psAutoImperial) {
            // An opened imperial survey takes the ship's current particulars and options.
            TakeShipParticulars();
            TakeShipOptions(true);
        } else {
            TakeShipOptions(false);
        }
        CreateEngineFromDM();
    }
    CalcBallastWeights();
}

// ---------------------------------------------------------------------------------------
// Ballast

void TSurvey::CalcBallastWeights()
{
    double factor = IsMetric() ? 1.0 : kCubicFeetToCubicMetres;
    double total1 = 0, total2 = 0;
    auto weight = [&](const std::optional<double>& volume, const std::optional<double>& density) -> std::optional<double> {
        if (!density || !volume)
            return std::nullopt;
        double w = *volume * factor * *density;
        if (!std::isfinite(w))
            return std::nullopt; // an overflowing product is no weight at all
        return w;
    };
    for (TBallastRow& row : tblBallast) {
        row.InitWeight = weight(row.InitVolume, row.Density);
        row.FinalWeight = weight(row.FinalVolume, row.Density);
        if (row.InitWeight)
            total1 += *row.InitWeight;
        if (row.FinalWeight)
            total2 += *row.FinalWeight;
    }
    if (std::isfinite(total1))
        Survey1.BallastWater = total1;
    if (std::isfinite(total2))
        Survey2.BallastWater = total2;
}

// ---------------------------------------------------------------------------------------
// Computation

void TSurvey::SetResults(bool finalSurvey, const TSurveyValues& s1, const TSurveyValues& s2,
                         double& constant, double& totalCargo) const
{
    if (!finalSurvey) {
        // Provisional results of the initial survey alone.
        constant = IsLoading ? s1.NetDispl - LightShip : 0;
        totalCargo = IsLoading ? 0 : s1.NetDispl - LightShip;
        return;
    }
    if (IsLoading) {
        constant = s1.NetDispl - LightShip;
        totalCargo = s2.NetDispl - s1.NetDispl;
    } else {
        constant = s2.NetDispl - LightShip;
        totalCargo = s1.NetDispl - s2.NetDispl;
    }
}

void TSurvey::CalculateAll()
{
    CalcBallastWeights();
    if (IsAuto()) {
        if (CalcAutoSurvey(true))
            CalcAutoSurvey(false);
    } else {
        if (CalcManualDrafts(true) && CalcManualSurvey(true) && CalcManualDrafts(false))
            CalcManualSurvey(false);
    }
}

bool TSurvey::CalcAutoSurvey(bool initial)
{
    TSurveyValues s = initial ? Survey1 : Survey2;
    if (s.Density == 0 || s.FwdPort == 0 || s.FwdStbd == 0 || s.AftPort == 0 || s.AftStbd == 0 ||
        s.MidPort == 0 || s.MidStbd == 0)
        return false;
    if (!calc)
        return false;
    // An LBP or table density of zero would divide by zero below: missing input.
    if (shell::IsZeroValue(LBP) || shell::IsZeroValue(TableDensity))
        return false;
    TUnitFactors f = FactorsOf(MState);

    double fwdMean = (s.FwdPort + s.FwdStbd) / 2;
    double aftMean = (s.AftPort + s.AftStbd) / 2;
    double midMean = (s.MidPort + s.MidStbd) / 2;
    switch (PerpCorrection) {
    case TPerpCorrection::pcNoDeflection:
        s.FdwCor = calc->CalcFwdCor(fwdMean, aftMean);
        s.AftCor = calc->CalcAftCor(fwdMean, aftMean);
        s.MidCor = calc->CalcMidCor(fwdMean, aftMean, midMean);
        break;
    case TPerpCorrection::pcDeflection:
        s.FdwCor = calc->CalcFwdCorHullDef(fwdMean, aftMean, midMean);
        s.AftCor = calc->CalcAftCorHullDef(fwdMean, aftMean, midMean);
        s.MidCor = calc->CalcMidCorHullDef(fwdMean, aftMean, midMean);
        break;
    case TPerpCorrection::pcManual:
        break; // as typed
    }
    // A correction the engine cannot define (zero length between the marks) is missing input.
    if (!AllFinite({s.FdwCor, s.AftCor, s.MidCor}))
        return false;
    s.FwdTrue = fwdMean + s.FdwCor;
    s.AftTrue = aftMean + s.AftCor;
    s.MidTrue = midMean + s.MidCor;
    s.Trim = s.FwdTrue - s.AftTrue;
    s.MeanOfMeans = MeanOfMeans(ShipShape, s.FwdTrue, s.AftTrue, s.MidTrue);
    s.MeanOfMeansPlus = s.MeanOfMeans + kMeanOfMeansOffset;
    s.MeanOfMeansMinus = s.MeanOfMeans - kMeanOfMeansOffset;
    s.Hull = HullState(s.FwdTrue, s.AftTrue, s.MidTrue);

    s.Displ = calc->CalcDisplacement(s.MeanOfMeans);
    s.Lcf = calc->CalcLCF(s.MeanOfMeans);
    s.Tpc = calc->CalcTPC(s.MeanOfMeans);
    if (IsListCorrection) {
        s.ListCor = calc->CalcListCor(s.MidPort, s.MidStbd);
        s.TpcPort = calc->CalcTPC(s.MidPort);
        s.TpcStbd = calc->CalcTPC(s.MidStbd);
    } else {
        s.ListCor = 0;
        s.TpcPort = 0;
        s.TpcStbd = 0;
    }
    s.FirstCor = FirstTrimCorrection(LcfType, LBP, s.Lcf, s.Tpc, s.Trim, f.FirstTrim);
    s.MctcPlus = calc->CalcMCT(s.MeanOfMeansPlus);
    s.MctcMinus = calc->CalcMCT(s.MeanOfMeansMinus);
    s.SecondCor = SecondTrimCorrection(MctType, LBP, s.Trim, s.MctcPlus, s.MctcMinus, f.SecondTrim);
    if (!CompleteSurvey(s, initial, TableDensity))
        return false;
    if (initial && SetDirty)
        SetDirty(true);
    return true;
}

bool TSurvey::CalcManualDrafts(bool initial)
{
    TSurveyValues s = initial ? Survey1 : Survey2;
    if (s.FwdPort == 0 || s.FwdStbd == 0 || s.AftPort == 0 || s.AftStbd == 0 || s.MidPort == 0 ||
        s.MidStbd == 0)
        return false;
    s.FwdTrue = (s.FwdPort + s.FwdStbd) / 2 + s.FdwCor;
    s.AftTrue = (s.AftPort + s.AftStbd) / 2 + s.AftCor;
    s.MidTrue = (s.MidPort + s.MidStbd) / 2 + s.MidCor;
    s.Trim = s.FwdTrue - s.AftTrue;
    s.MeanOfMeans = MeanOfMeans(ShipShape, s.FwdTrue, s.AftTrue, s.MidTrue);
    s.MeanOfMeansPlus = s.MeanOfMeans + kMeanOfMeansOffset;
    s.MeanOfMeansMinus = s.MeanOfMeans - kMeanOfMeansOffset;
    s.Hull = HullState(s.FwdTrue, s.AftTrue, s.MidTrue);
    if (!AllFinite(s))
        return false;
    if (initial && SetDirty)
        SetDirty(true);
    (initial ? Survey1 : Survey2) = s;
    return true;
}

bool TSurvey::CalcManualSurvey(bool initial)
{
    TSurveyValues s = initial ? Survey1 : Survey2;
    if (LBP == 0 || LightShip == 0 || s.Density == 0 || s.Displ == 0 || s.Tpc == 0 || s.Lcf == 0 ||
        s.MctcPlus == 0 || s.MctcMinus == 0)
        return false;
    TUnitFactors f = FactorsOf(MState);
    if (IsListCorrection) {
        if (shell::IsZeroValue(s.TpcStbd - s.TpcPort))
            s.ListCor = 0;
        else
            s.ListCor = std::fabs((s.TpcStbd - s.TpcPort) * f.ListFactor * (s.MidPort - s.MidStbd));
    } else {
        s.ListCor = 0;
        s.TpcPort = 0;
        s.TpcStbd = 0;
    }
    s.FirstCor = FirstTrimCorrection(LcfType, LBP, s.Lcf, s.Tpc, s.Trim, f.FirstTrim);
    s.SecondCor = SecondTrimCorrection(MctType, LBP, s.Trim, s.MctcPlus, s.MctcMinus, f.SecondTrim);
    return CompleteSurvey(s, initial, kStandardDensity);
}

bool TSurvey::CompleteSurvey(TSurveyValues& s, bool initial, double tableDensity)
{
    double sum = s.Displ + s.ListCor + s.FirstCor + s.SecondCor;
    s.DensityCor = DensityCorrection(tableDensity, s.Density, sum);
    s.TotalDeductibles = Deductibles(s);
    s.CorrectedDispl = s.DensityCor + sum;
    s.NetDispl = s.CorrectedDispl - s.TotalDeductibles;

    double constant = 0, totalCargo = 0;
    if (initial)
        SetResults(false, s, Survey2, constant, totalCargo);
    else
        SetResults(true, Survey1, s, constant, totalCargo);
    // Overflowing inputs must not put infinities on screen or into the file.
    if (!AllFinite(s) || !AllFinite({constant, totalCargo}))
        return false;
    (initial ? Survey1 : Survey2) = s;
    Constant = constant;
    TotalCargo = totalCargo;
    return true;
}

// ---------------------------------------------------------------------------------------
// File

std::string TSurvey::SaveVoyageToString() const
{
    shell::TXmlDocument doc;
    doc.CreateName("Kelvara");
    shell::TXmlNode root = doc.Root();

    shell::TXmlNode header = root.NodeNew("Header");
    header.WriteString("Contents", "Kelvara");
    header.WriteString("Version", kVersion);
    header.WriteInteger("CalcMethod", static_cast<int>(MState));

    shell::TXmlNode voyage = root.NodeNew("Voyage");
    voyage.WriteString("DataBase", shell::ExtractFileName(PathToDB));
    voyage.WriteBool("UseBallastTable", true);
    voyage.WriteBool("Loading", IsLoading);
    voyage.WriteBool("ListCorrection", IsListCorrection);
    voyage.WriteInteger("PerpCorrection", static_cast<int>(PerpCorrection));
    voyage.WriteString("ShipName", ShipName);
    voyage.WriteFloat("LBP", LBP);
    voyage.WriteFloat("LightShip", LightShip);
    voyage.WriteInteger("ShipShape", static_cast<int>(ShipShape));
    voyage.WriteInteger("MctType", static_cast<int>(MctType));
    voyage.WriteInteger("LcfType", static_cast<int>(LcfType));
    voyage.WriteString("VoyageNumber", VoyageNumber);
    voyage.WriteString("LoadingPort", LoadingPort);
    voyage.WriteString("DischargingPort", DischargingPort);
    voyage.WriteString("Cargo", Cargo);
    voyage.WriteString("Remarks", Remarks);

    WriteSurvey(root.NodeNew("InitialSurvey"), Survey1);
    WriteSurvey(root.NodeNew("FinalSurvey"), Survey2);

    for (const TBallastRow& row : tblBallast) {
        shell::TXmlNode b = root.NodeNew("Ballast");
        b.WriteString("Tank", row.Tank);
        b.WriteFloat("Capacity", row.Capacity);
        // An emptied cell is stored as 0, as the grid shows no other value for it.
        b.WriteFloat("Density", row.Density.value_or(0));
        b.WriteFloat("Sounding", row.InitSounding);
        b.WriteFloat("Volume", row.InitVolume.value_or(0));
        b.WriteFloat("Sounding2", row.FinalSounding);
        b.WriteFloat("Volume2", row.FinalVolume.value_or(0));
    }
    return doc.SaveToString();
}

void TSurvey::SaveVoyage(const std::string& newFileName) const
{
    // The whole text is built before the file is touched; the write replaces it atomically.
    shell::WriteFileAtomically(newFileName, SaveVoyageToString());
}

void TSurvey::OpenVoyage(const std::string& newFileName)
{
    shell::TXmlDocument doc;
    doc.LoadFromFile(newFileName);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + newFileName);
    shell::TXmlNode root = doc.Root();

    // Read everything into locals first: a failure part-way leaves this survey untouched.
    int calcMethod = FindFirst(root, "CalcMethod").ValueAsInteger();
    if (calcMethod < 1 || calcMethod > 4) // psEmpty is never a survey
        throw shell::Error("Invalid value of 'CalcMethod': " + std::to_string(calcMethod));
    std::string dataBase = FindFirst(root, "DataBase").ValueAsString();
    bool loading = FindFirst(root, "Loading").ValueAsBool();
    bool listCorrection = FindFirst(root, "ListCorrection").ValueAsBool();
    int perpCorrection = FindFirst(root, "PerpCorrection").ValueAsInteger();
    CheckOrdinal("PerpCorrection", perpCorrection, 2);
    std::string shipName = FindFirst(root, "ShipName").ValueAsString();
    double lbp = FindFirst(root, "LBP").ValueAsFloat();
    double lightShip = FindFirst(root, "LightShip").ValueAsFloat();
    int shipShape = FindFirst(root, "ShipShape").ValueAsInteger();
    CheckOrdinal("ShipShape", shipShape, 1);
    int mctType = FindFirst(root, "MctType").ValueAsInteger();
    CheckOrdinal("MctType", mctType, 3);
    int lcfType = FindFirst(root, "LcfType").ValueAsInteger();
    CheckOrdinal("LcfType", lcfType, 1);
    std::string voyageNumber = FindFirst(root, "VoyageNumber").ValueAsString();
    std::string loadingPort = FindFirst(root, "LoadingPort").ValueAsString();
    std::string dischargingPort = FindFirst(root, "DischargingPort").ValueAsString();
    std::string cargo = FindFirst(root, "Cargo").ValueAsString();
    std::string remarks = FindFirst(root, "Remarks").ValueAsString();

    // A later survey element overwrites an earlier one; none keeps the defaults.
    TSurveyValues survey1 = Survey1, survey2 = Survey2;
    for (const shell::TXmlNode& n : root.FindNodes("InitialSurvey"))
        ReadSurvey(n, survey1);
    for (const shell::TXmlNode& n : root.FindNodes("FinalSurvey"))
        ReadSurvey(n, survey2);

    std::vector<TBallastRow> ballast;
    for (const shell::TXmlNode& n : root.FindNodes("Ballast")) {
        TBallastRow row;
        row.Tank = n.ReadString("Tank");
        row.Capacity = n.ReadFloat("Capacity");
        row.Density = n.ReadFloat("Density");
        row.InitSounding = n.ReadFloat("Sounding");
        row.InitVolume = n.ReadFloat("Volume");
        row.FinalSounding = n.ReadFloat("Sounding2");
        row.FinalVolume = n.ReadFloat("Volume2");
        ballast.push_back(row);
    }

    MState = static_cast<TProgramState>(calcMethod);
    PathToDB = DataFolder + dataBase;
    IsLoading = loading;
    IsListCorrection = listCorrection;
    PerpCorrection = static_cast<TPerpCorrection>(perpCorrection);
    ShipName = shipName;
    LBP = lbp;
    LightShip = lightShip;
    ShipShape = static_cast<TShipShape>(shipShape);
    MctType = static_cast<TMctType>(mctType);
    LcfType = static_cast<TLcfType>(lcfType);
    VoyageNumber = voyageNumber;
    LoadingPort = loadingPort;
    DischargingPort = dischargingPort;
    Cargo = cargo;
    Remarks = remarks;
    Survey1 = survey1;
    Survey2 = survey2;
    tblBallast = std::move(ballast);
    CalcBallastWeights();
}

// ---------------------------------------------------------------------------------------
// Open

TSurveyHeader ReadSurveyHeader(const std::string& fileName)
{
    shell::TXmlDocument doc;
    doc.LoadFromFile(fileName);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + fileName);
    shell::TXmlNode root = doc.Root();
    TSurveyHeader h;
    h.Contents = FindFirst(root, "Contents").ValueAsString();
    h.CalcMethod = FindFirst(root, "CalcMethod").ValueAsInteger();
    h.Loading = FindFirst(root, "Loading").ValueAsBool();
    if (h.CalcMethod == 3 || h.CalcMethod == 4)
        h.DataBase = FindFirst(root, "DataBase").ValueAsString();
    return h;
}

std::unique_ptr<TSurvey> OpenSurveyDocument(const std::string& fileName, const std::string& dataFolder,
                                            TNotifier notify, TSetDirty setDirty)
{
    TSurveyHeader h = ReadSurveyHeader(fileName);
    if (h.CalcMethod == 3 || h.CalcMethod == 4) {
        std::string shipPath = dataFolder + h.DataBase;
        if (!shell::FileExists(shipPath))
            throw shell::Error("Can't find file: " + shipPath);
    }
    try {
        // Not a survey of this program, or of no kind it knows: nothing to build a form for.
        if (h.Contents != "Kelvara" || h.CalcMethod < 1 || h.CalcMethod > 4)
            throw shell::Error("Unknown survey");
        auto survey = std::make_unique<TSurvey>(static_cast<TProgramState>(h.CalcMethod));
        survey->DataFolder = dataFolder;
        survey->Notify = std::move(notify);
        survey->SetDirty = std::move(setDirty);
        survey->OpenVoyage(fileName);
        survey->InitOpen();
        return survey;
    } catch (const std::exception&) {
        throw shell::Error("Can't load file: " + fileName);
    }
}

} // namespace kelvara
