#include "ReportValues.h"

#include "shell/core/Utils.h"

#include <cmath>
#include <cstdlib>

namespace kelvara {

// ---------------------------------------------------------------------------------------
// Display formats

namespace {

const char* UnitOf(TDisplayKind kind, bool isMetric)
{
    switch (kind) {
    case TDisplayKind::Length: return isMetric ? "m" : "ft";
    case TDisplayKind::Weight: return "t";
    case TDisplayKind::Density: return "t/m3";
    case TDisplayKind::Tpc: return isMetric ? "t/cm" : "t/in";
    case TDisplayKind::Mct: return isMetric ? "tm/cm" : "tft/in";
    case TDisplayKind::Text: break;
    }
    return "";
}

int DecimalsOf(TDisplayKind kind)
{
    return kind == TDisplayKind::Density ? 4 : 3;
}

} // namespace

std::string FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return ""; // never shown: the survey keeps non-finite values out of its editors
    // The value's 15 significant digits, then decimal rounding half away from zero: 2.0005
    // shows as 2.001 although its binary value lies a hair below the half.
    std::string sci = shell::FormatC("%.14e", std::fabs(value)); // d.ddddddddddddddde+XX
    std::string digits = sci.substr(0, 1) + sci.substr(2, 14);
    int exponent = std::atoi(sci.c_str() + 17);
    // The number is 0.d1d2...d15 * 10^(exponent + 1); keep `keep` digits.
    int intDigits = exponent + 1;
    int keep = intDigits + decimals;
    std::string kept; // the rounded digits, as an integer scaled by 10^decimals
    if (keep < 0) {
        kept = "0";
    } else {
        if (keep < static_cast<int>(digits.size())) {
            bool roundUp = digits[static_cast<size_t>(keep)] >= '5';
            kept = digits.substr(0, static_cast<size_t>(keep));
            if (roundUp) {
                int i = static_cast<int>(kept.size()) - 1;
                while (i >= 0 && kept[static_cast<size_t>(i)] == '9') {
                    kept[static_cast<size_t>(i)] = '0';
                    --i;
                }
                if (i >= 0)
                    ++kept[static_cast<size_t>(i)];
                else
                    kept.insert(kept.begin(), '1');
            }
        } else {
            kept = digits + std::string(static_cast<size_t>(keep) - digits.size(), '0');
        }
        if (kept.empty())
            kept = "0";
    }
    if (kept.size() <= static_cast<size_t>(decimals))
        kept.insert(kept.begin(), static_cast<size_t>(decimals) + 1 - kept.size(), '0');
    std::string intPart = kept.substr(0, kept.size() - static_cast<size_t>(decimals));
    std::string fracPart = kept.substr(kept.size() - static_cast<size_t>(decimals));
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    bool isZero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
    std::string text = intPart;
    if (decimals > 0)
        text += "." + fracPart;
    return (value < 0 && !isZero ? "-" : "") + text;
}

std::string DisplayFormat(TDisplayKind kind, bool isMetric)
{
    if (kind == TDisplayKind::Text)
        return "";
    std::string number = "0." + std::string(static_cast<size_t>(DecimalsOf(kind)), '0') + " " + UnitOf(kind, isMetric);
    return number + ";-" + number;
}

std::string FormatDisplay(double value, TDisplayKind kind, bool isMetric)
{
    return FormatFixed(value, DecimalsOf(kind)) + " " + UnitOf(kind, isMetric);
}

// ---------------------------------------------------------------------------------------
// Editors

namespace {

struct TSurveyField {
    TEditorInfo Info;
    double TSurveyValues::*Number;
    std::string TSurveyValues::*Text;
};

const std::vector<TSurveyField>& SurveyFields()
{
    using K = TDisplayKind;
    using S = TSurveyValues;
    static const std::vector<TSurveyField> fields = {
        {{"txtDate", K::Text}, nullptr, &S::Date},
        {{"txtDensity", K::Density}, &S::Density, nullptr},
        {{"txtFwdPort", K::Length}, &S::FwdPort, nullptr},
        {{"txtFwdStbd", K::Length}, &S::FwdStbd, nullptr},
        {{"txtFdwCor", K::Length}, &S::FdwCor, nullptr},
        {{"txtFwdTrue", K::Length}, &S::FwdTrue, nullptr},
        {{"txtAftPort", K::Length}, &S::AftPort, nullptr},
        {{"txtAftStbd", K::Length}, &S::AftStbd, nullptr},
        {{"txtAftCor", K::Length}, &S::AftCor, nullptr},
        {{"txtAftTrue", K::Length}, &S::AftTrue, nullptr},
        {{"txtMidPort", K::Length}, &S::MidPort, nullptr},
        {{"txtMidStbd", K::Length}, &S::MidStbd, nullptr},
        {{"txtMidCor", K::Length}, &S::MidCor, nullptr},
        {{"txtMidTrue", K::Length}, &S::MidTrue, nullptr},
        {{"txtFuelOil", K::Weight}, &S::FuelOil, nullptr},
        {{"txtDieselOil", K::Weight}, &S::DieselOil, nullptr},
        {{"txtLubOil", K::Weight}, &S::LubOil, nullptr},
        {{"txtSludge", K::Weight}, &S::Sludge, nullptr},
        {{"txtBallastWater", K::Weight}, &S::BallastWater, nullptr},
        {{"txtFreshWater", K::Weight}, &S::FreshWater, nullptr},
        {{"txtOther", K::Weight}, &S::Other, nullptr},
        {{"txtTotalDeductibles", K::Weight}, &S::TotalDeductibles, nullptr},
        {{"txtMeanOfMeans", K::Length}, &S::MeanOfMeans, nullptr},
        {{"txtMeanOfMeansPlus", K::Length}, &S::MeanOfMeansPlus, nullptr},
        {{"txtMeanOfMeansMinus", K::Length}, &S::MeanOfMeansMinus, nullptr},
        {{"txtDispl", K::Weight}, &S::Displ, nullptr},
        {{"txtLcf", K::Length}, &S::Lcf, nullptr},
        {{"txtTpc", K::Tpc}, &S::Tpc, nullptr},
        {{"txtMctcPlus", K::Mct}, &S::MctcPlus, nullptr},
        {{"txtMctcMinus", K::Mct}, &S::MctcMinus, nullptr},
        {{"txtTrim", K::Length}, &S::Trim, nullptr},
        {{"txtHull", K::Text}, nullptr, &S::Hull},
        {{"txtListCor", K::Weight}, &S::ListCor, nullptr},
        {{"txt1stCor", K::Weight}, &S::FirstCor, nullptr},
        {{"txt2ndCor", K::Weight}, &S::SecondCor, nullptr},
        {{"txtDensityCor", K::Weight}, &S::DensityCor, nullptr},
        {{"txtCorrectedDispl", K::Weight}, &S::CorrectedDispl, nullptr},
        {{"txtNetDispl", K::Weight}, &S::NetDispl, nullptr},
        {{"txtTpcPort", K::Tpc}, &S::TpcPort, nullptr},
        {{"txtTpcStbd", K::Tpc}, &S::TpcStbd, nullptr},
    };
    return fields;
}

struct TDocumentField {
    TEditorInfo Info;
    double TSurvey::*Number;
    std::string TSurvey::*Text;
};

const std::vector<TDocumentField>& DocumentFields()
{
    using K = TDisplayKind;
    static const std::vector<TDocumentField> fields = {
        {{"txtVoyageNumber", K::Text}, nullptr, &TSurvey::VoyageNumber},
        {{"txtLoadingPort", K::Text}, nullptr, &TSurvey::LoadingPort},
        {{"txtDischargingPort", K::Text}, nullptr, &TSurvey::DischargingPort},
        {{"txtCargo", K::Text}, nullptr, &TSurvey::Cargo},
        {{"txtShipName", K::Text}, nullptr, &TSurvey::ShipName},
        {{"txtLBP", K::Length}, &TSurvey::LBP, nullptr},
        {{"txtLightShip", K::Weight}, &TSurvey::LightShip, nullptr},
        {{"txtRemarks", K::Text}, nullptr, &TSurvey::Remarks},
        {{"txtConstant", K::Weight}, &TSurvey::Constant, nullptr},
        {{"txtTotalCargo", K::Weight}, &TSurvey::TotalCargo, nullptr},
    };
    return fields;
}

} // namespace

const std::vector<TEditorInfo>& SurveyEditors()
{
    static const std::vector<TEditorInfo> list = [] {
        std::vector<TEditorInfo> l;
        for (const TSurveyField& f : SurveyFields())
            l.push_back(f.Info);
        return l;
    }();
    return list;
}

const std::vector<TEditorInfo>& DocumentEditors()
{
    static const std::vector<TEditorInfo> list = [] {
        std::vector<TEditorInfo> l;
        for (const TDocumentField& f : DocumentFields())
            l.push_back(f.Info);
        return l;
    }();
    return list;
}

TEditorValue EditorValue(TSurvey& survey, std::string_view editorName)
{
    TEditorValue v;
    for (const TDocumentField& f : DocumentFields())
        if (shell::SameText(editorName, f.Info.Name)) {
            v.Kind = f.Info.Kind;
            if (f.Number)
                v.Number = &(survey.*f.Number);
            else
                v.Text = &(survey.*f.Text);
            return v;
        }
    if (editorName.empty())
        return v;
    char last = editorName.back();
    if (last != '1' && last != '2')
        return v;
    std::string_view base = editorName.substr(0, editorName.size() - 1);
    TSurveyValues& s = last == '1' ? survey.Survey1 : survey.Survey2;
    for (const TSurveyField& f : SurveyFields())
        if (shell::SameText(base, f.Info.Name)) {
            v.Kind = f.Info.Kind;
            if (f.Number)
                v.Number = &(s.*f.Number);
            else
                v.Text = &(s.*f.Text);
            return v;
        }
    return v;
}

std::optional<std::string> EditorText(const TSurvey& survey, std::string_view editorName)
{
    // Only read through the pointers: the survey is not changed here.
    TEditorValue v = EditorValue(const_cast<TSurvey&>(survey), editorName);
    if (v.Text)
        return *v.Text;
    if (v.Number)
        return FormatDisplay(*v.Number, v.Kind, survey.IsMetric());
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// Report variables

namespace {

struct TReportName {
    const char* Variable;
    const char* Editor;
};

// Survey-independent variables: editor names given in full.
const TReportName kIndependentNames[] = {
    {"VoyageNumber", "txtVoyageNumber"},
    {"VesselName", "txtShipName"},
    {"LBP", "txtLBP"},
    {"LightShip", "txtLightShip"},
    {"Cargo", "txtCargo"},
    {"PortOfLoading", "txtLoadingPort"},
    {"PortOfDischarge", "txtDischargingPort"},
    {"Commenced", "txtDate1"},
    {"Completed", "txtDate2"},
    {"Constant", "txtConstant"},
    {"TotalCargo", "txtTotalCargo"},
    {"Remarks", "txtRemarks"},
};

// Per-survey variables: the final survey's name and editor add "2", the initial editor "1".
const TReportName kSurveyNames[] = {
    {"FwdPort", "txtFwdPort"},
    {"FwdStbd", "txtFwdStbd"},
    {"FwdCorrection", "txtFdwCor"},
    {"FwdCorrected", "txtFwdTrue"},
    {"AftPort", "txtAftPort"},
    {"AftStbd", "txtAftStbd"},
    {"AftCorrection", "txtAftCor"},
    {"AftCorrected", "txtAftTrue"},
    {"Trim", "txtTrim"},
    {"MidPort", "txtMidPort"},
    {"MidStbd", "txtMidStbd"},
    {"MidCorrection", "txtMidCor"},
    {"MidCorrected", "txtMidTrue"},
    {"MeanOfMeans", "txtMeanOfMeans"},
    {"Displacement", "txtDispl"},
    {"Density", "txtDensity"},
    {"LCF", "txtLcf"},
    {"TPC", "txtTpc"},
    {"MCTCPlus", "txtMctcPlus"},
    {"MCTCMinus", "txtMctcMinus"},
    {"HullDeformation", "txtHull"},
    {"ListCorrection", "txtListCor"},
    {"FirstCorrection", "txt1stCor"},
    {"SecondCorrection", "txt2ndCor"},
    {"DensityCorrection", "txtDensityCor"},
    {"DisplCorrected", "txtCorrectedDispl"},
    {"FO", "txtFuelOil"},
    {"DO", "txtDieselOil"},
    {"LO", "txtLubOil"},
    {"Sludge", "txtSludge"},
    {"BW", "txtBallastWater"},
    {"FW", "txtFreshWater"},
    {"Other", "txtOther"},
    {"TotalStores", "txtTotalDeductibles"},
    {"NetDesplacement", "txtNetDispl"},
};

struct TReportEntry {
    std::string Variable;
    std::string Editor;
};

const std::vector<TReportEntry>& ReportEntries()
{
    static const std::vector<TReportEntry> entries = [] {
        std::vector<TReportEntry> e;
        for (const TReportName& n : kIndependentNames)
            e.push_back({n.Variable, n.Editor});
        for (const TReportName& n : kSurveyNames)
            e.push_back({n.Variable, std::string(n.Editor) + "1"});
        for (const TReportName& n : kSurveyNames)
            e.push_back({std::string(n.Variable) + "2", std::string(n.Editor) + "2"});
        return e;
    }();
    return entries;
}

} // namespace

const std::vector<std::string>& ReportValueNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> l;
        for (const TReportEntry& e : ReportEntries())
            l.push_back(e.Variable);
        return l;
    }();
    return names;
}

std::optional<std::string> ReportEditorName(std::string_view name)
{
    for (const TReportEntry& e : ReportEntries())
        if (shell::SameText(name, e.Variable))
            return e.Editor;
    return std::nullopt;
}

std::optional<std::string> ReportValue(const TSurvey& survey, std::string_view name)
{
    std::optional<std::string> editor = ReportEditorName(name);
    if (!editor)
        return std::nullopt;
    return EditorText(survey, *editor);
}

// ---------------------------------------------------------------------------------------
// Ballast dataset

const std::vector<std::string>& BallastDatasetFields()
{
    static const std::vector<std::string> fields = {"Tank", "Capacity", "Density",
                                                    "InitSounding", "InitVolume", "InitWeight",
                                                    "FinalSounding", "FinalVolume", "FinalWeight"};
    return fields;
}

std::optional<TFieldValue> BallastDatasetValue(const TBallastRow& row, std::string_view field)
{
    TFieldValue v;
    if (shell::SameText(field, "Tank")) {
        v.IsText = true;
        v.Text = row.Tank;
    } else if (shell::SameText(field, "Capacity")) {
        v.Number = row.Capacity;
    } else if (shell::SameText(field, "Density")) {
        v.Number = row.Density;
    } else if (shell::SameText(field, "InitSounding")) {
        v.Number = row.InitSounding;
    } else if (shell::SameText(field, "InitVolume")) {
        v.Number = row.InitVolume;
    } else if (shell::SameText(field, "InitWeight")) {
        v.Number = row.InitWeight;
    } else if (shell::SameText(field, "FinalSounding")) {
        v.Number = row.FinalSounding;
    } else if (shell::SameText(field, "FinalVolume")) {
        v.Number = row.FinalVolume;
    } else if (shell::SameText(field, "FinalWeight")) {
        v.Number = row.FinalWeight;
    } else {
        return std::nullopt;
    }
    return v;
}

const std::vector<TBallastRow>& BallastDataset(const TSurvey& survey)
{
    return survey.tblBallast;
}

} // namespace kelvara
