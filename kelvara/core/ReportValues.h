#pragma once
// What the survey form shows and what the survey report asks for.
//
// Every number of a survey is displayed through a two-section format that carries its
// unit, such as "0.000 m;-0.000 m": exactly three decimals (densities four), a blank and
// the unit, a leading minus for negatives. The report variables are the texts of the
// editors exactly as displayed; the ballast rows go to the report as the dataset
// "frxDsBallast" with plain values.

#include "kelvara/core/Survey.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

enum class TDisplayKind {
    Text,    // as typed
    Length,  // "0.000 m" / "0.000 ft"
    Weight,  // "0.000 t"
    Density, // "0.0000 t/m3"
    Tpc,     // "0.000 t/cm" / "0.000 t/in"
    Mct,     // "0.000 tm/cm" / "0.000 tft/in"
};

// The display format of a kind, e.g. "0.000 m;-0.000 m" (empty for Text).
std::string DisplayFormat(TDisplayKind kind, bool isMetric);
// The value as that format shows it: "-0.825 m", "10002.062 t", "1.0200 t/m3". A value
// that rounds to zero shows without a minus sign.
std::string FormatDisplay(double value, TDisplayKind kind, bool isMetric);
// Fixed-point text with the given number of decimals, rounded half away from zero on
// the value's 15 significant digits, "." as separator.
std::string FormatFixed(double value, int decimals);

// One editor of the survey form: its name as the form names it (survey editors without
// their 1 or 2, e.g. "txtFdwCor") and how it displays.
struct TEditorInfo {
    const char* Name;
    TDisplayKind Kind;
};

// The editors of each survey (name + "1" or "2") and of the document itself, in form order.
const std::vector<TEditorInfo>& SurveyEditors();
const std::vector<TEditorInfo>& DocumentEditors();

// The text an editor shows, by its full name ("txtFwdPort1", "txtLBP", "txtConstant");
// none for a name the form does not have. Names are matched without regard to case.
std::optional<std::string> EditorText(const TSurvey& survey, std::string_view editorName);
// The value behind an editor, for binding: the number of a numeric editor or the text of
// a text editor (the other pointer is null); both null for a name the form does not have.
struct TEditorValue {
    double* Number = nullptr;
    std::string* Text = nullptr;
    TDisplayKind Kind = TDisplayKind::Text;
};
TEditorValue EditorValue(TSurvey& survey, std::string_view editorName);

// The 82 report variable names in report order: the survey-independent names, then the
// initial survey's, then the final survey's (the same names followed by "2").
const std::vector<std::string>& ReportValueNames();
// The report variable's text; none for a name the form does not answer. The name is
// matched without regard to case.
std::optional<std::string> ReportValue(const TSurvey& survey, std::string_view name);
// The editor a report variable reads ("NetDesplacement2" gives "txtNetDispl2").
std::optional<std::string> ReportEditorName(std::string_view name);

// The dataset "frxDsBallast": the survey's ballast rows with these fields, in this order.
const std::vector<std::string>& BallastDatasetFields();
struct TFieldValue {
    bool IsText = false;
    std::string Text;            // when IsText
    std::optional<double> Number; // otherwise; none for an empty cell
};
// One field of one row (field matched without regard to case); none for an unknown field.
std::optional<TFieldValue> BallastDatasetValue(const TBallastRow& row, std::string_view field);
// The rows of the dataset (the survey's ballast table, weights calculated).
const std::vector<TBallastRow>& BallastDataset(const TSurvey& survey);

} // namespace kelvara
