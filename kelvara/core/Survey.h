#pragma once
// The survey document and its four kinds (automatic or manual, metric or imperial).
//
// A TSurvey holds every value of one draught survey: kind and options, voyage and ship
// particulars, the initial and final survey (TSurveyValues), the results and the ballast
// table. The survey form binds its editors to these members and calls the operations in
// the order the main window drives them:
//   new:  set the options, InitNew; every change of a watched value: CalculateAll
//   open: OpenVoyage, InitOpen, CalculateAll (or OpenSurveyDocument for the whole flow)
//   save: SaveVoyage
// Lengths are metres in metric surveys and feet in imperial ones; weights always tonnes.

#include "kelvara/core/DataModule.h"
#include "kelvara/core/DraftCalc.h"
#include "kelvara/core/Types.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvara {

// One survey (initial or final). Members are named after their editors without the
// "txt" prefix and without the survey's 1 or 2 (txtFdwCor1 is Survey1.FdwCor,
// txt1stCor2 is Survey2.FirstCor, txt2ndCor1 is Survey1.SecondCor).
struct TSurveyValues {
    std::string Date;        // as typed
    double Density = 1.025;  // t/m3
    double FwdPort = 0, FwdStbd = 0, FdwCor = 0, FwdTrue = 0; // length
    double AftPort = 0, AftStbd = 0, AftCor = 0, AftTrue = 0;
    double MidPort = 0, MidStbd = 0, MidCor = 0, MidTrue = 0;
    double FuelOil = 0, DieselOil = 0, LubOil = 0, Sludge = 0, FreshWater = 0, Other = 0; // t
    double BallastWater = 0;     // t, total of this survey's ballast weights
    double TotalDeductibles = 0; // t
    double MeanOfMeans = 0, MeanOfMeansPlus = 0, MeanOfMeansMinus = 0; // length
    double Displ = 0;            // t
    double Lcf = 0;              // length
    double MctcPlus = 0, MctcMinus = 0; // MCT unit
    double Tpc = 0, TpcPort = 0, TpcStbd = 0; // t/cm or t/in
    double Trim = 0;             // length, negative when trimmed by the stern
    std::string Hull = "Even Keel"; // "Even Keel", "Hog" or "Sag"
    double ListCor = 0, FirstCor = 0, SecondCor = 0, DensityCor = 0; // t
    double CorrectedDispl = 0, NetDispl = 0; // t
};

// One row of the survey's ballast table. Density and the volumes may be empty (a cell
// cleared in the grid); a weight is empty when its row has no density or no volume.
struct TBallastRow {
    std::string Tank;
    double Capacity = 0;                   // m3 or ft3
    std::optional<double> Density = 1.025; // t/m3
    double InitSounding = 0;               // m or ft
    std::optional<double> InitVolume = 0;  // m3 or ft3
    std::optional<double> InitWeight;      // t, calculated
    double FinalSounding = 0;
    std::optional<double> FinalVolume = 0;
    std::optional<double> FinalWeight;
};

// Cubic feet to cubic metres, for the ballast weights of imperial surveys.
constexpr double kCubicFeetToCubicMetres = 0.02831684659;

class TSurvey {
public:
    explicit TSurvey(TProgramState state = TProgramState::psAutoMetric);
    ~TSurvey();
    TSurvey(const TSurvey&) = delete;
    TSurvey& operator=(const TSurvey&) = delete;

    // Kind and options.
    TProgramState MState;
    TShipShape ShipShape = TShipShape::ssFinerShape;
    TLcfType LcfType = TLcfType::ltFromAftPerp;
    TMctType MctType = TMctType::mtSantimeters;
    bool IsLoading = true;
    bool IsListCorrection = false;
    TPerpCorrection PerpCorrection = TPerpCorrection::pcNoDeflection;
    std::string PathToDB = "None"; // full path of the ship file; "None" for manual surveys
    double TableDensity = 1.025;   // t/m3; not stored in the document

    // Folder of the ship files (ends with "/"); OpenVoyage joins it with `DataBase`.
    std::string DataFolder;

    // Voyage and ship particulars.
    std::string VoyageNumber, LoadingPort, DischargingPort, Cargo, Remarks, ShipName;
    double LBP = 0;       // m or ft
    double LightShip = 0; // t

    TSurveyValues Survey1; // initial survey
    TSurveyValues Survey2; // final survey
    double Constant = 0;   // t
    double TotalCargo = 0; // t

    std::vector<TBallastRow> tblBallast;

    // Automatic surveys: the ship database and the engine, created by InitNew/InitOpen.
    std::unique_ptr<TDM> DM;
    std::unique_ptr<TDraftCalc> calc;

    // Callbacks the form connects: the changed flag and the user messages.
    TSetDirty SetDirty;
    TNotifier Notify;

    bool IsMetric() const { return IsMetricState(MState); }
    bool IsManual() const { return IsManualState(MState); }
    bool IsAuto() const { return IsAutoState(MState); }

    // New survey. Automatic: loads the ship file PathToDB (throws shell::Error when it
    // cannot), takes its particulars, options and tanks and creates the engine. Manual:
    // ten tanks "Tank No.1" ... "Tank No.10" of 100 capacity. Nothing is computed.
    void InitNew();
    // After OpenVoyage. Automatic metric keeps the particulars and options of the file;
    // automatic imperial takes them from the ship database. Manual: nothing to do.
    void InitOpen();
    // Recomputes both surveys; a step whose inputs are incomplete stops the chain and
    // leaves every earlier value as it was.
    void CalculateAll();

    // Recomputes the ballast weights of every row and the two ballast-water totals.
    void CalcBallastWeights();

    void SaveVoyage(const std::string& newFileName) const;
    std::string SaveVoyageToString() const;
    // Reads a whole survey file; on failure throws shell::Error and changes nothing.
    void OpenVoyage(const std::string& newFileName);

private:
    bool CalcAutoSurvey(bool initial);
    bool CalcManualDrafts(bool initial);
    bool CalcManualSurvey(bool initial);
    // Density correction to net displacement, then constant and cargo; the survey is
    // committed only when every figure is finite.
    bool CompleteSurvey(TSurveyValues& s, bool initial, double tableDensity);
    void SetResults(bool finalSurvey, const TSurveyValues& s1, const TSurveyValues& s2,
                    double& constant, double& totalCargo) const;
    void CreateEngineFromDM();
    void TakeShipParticulars();
    void TakeShipOptions(bool all);
};

// What Open reads from a survey file's header before it creates the form.
struct TSurveyHeader {
    std::string Contents;
    int CalcMethod = 0; // TProgramState ordinal as stored
    bool Loading = true;
    std::string DataBase; // automatic surveys only
};

// The main window's Open, without its dialogs: reads the header (the reader's own error
// for an unreadable file, "Unable to load the file: " + path for an empty one, "Can't
// find file: " + ship path when the ship file of an automatic survey is gone), then
// creates the survey, OpenVoyage and InitOpen ("Can't load file: " + path for any
// failure there, also for a file that is not a Kelvara survey). It does not calculate:
// the caller connects its callbacks and calls CalculateAll.
TSurveyHeader ReadSurveyHeader(const std::string& fileName);
std::unique_ptr<TSurvey> OpenSurveyDocument(const std::string& fileName, const std::string& dataFolder,
                                            TNotifier notify = {}, TSetDirty setDirty = {});

} // namespace kelvara
