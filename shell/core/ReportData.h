#pragma once
// What a document hands to the report engine: datasets under their user names, and a
// callback answering named variables. Plain C++, shared by the programs and their CLIs.

#include <functional>
#include <string>
#include <vector>

namespace shell {

// One value of a dataset field or a variable: a number (formatted by the template) or text.
struct TReportValue {
    bool IsNumber = false;
    double Number = 0;
    std::string Text;

    static TReportValue Num(double v) { return {true, v, {}}; }
    static TReportValue Str(std::string s) { return {false, 0, std::move(s)}; }
};

// A table exposed to templates as [UserName."Field"], one band run per row, in row order.
struct TReportDataset {
    std::string UserName;                         // "frxDsBallast"
    std::vector<std::string> Fields;              // field names, in table order
    std::vector<std::vector<TReportValue>> Rows;  // each row holds one value per field
};

// Answers a variable the template uses; the name is matched without regard to case.
// Returns false for a name the document does not know (left unanswered).
using TReportVariables = std::function<bool(const std::string& name, TReportValue& value)>;

// One report run: the template's file name (no folder), the Templates folder (ending in
// "/"), and the data.
struct TReportSource {
    std::string TemplateName;       // "RepKelvara.fr3"
    std::string TemplatesFolder;    // TFolders::TemplatesFolder
    std::vector<TReportDataset> Datasets;
    TReportVariables Variables;

    std::string TemplatePath() const { return TemplatesFolder + TemplateName; }
    // "Unable to find 'RepKelvara.fr3' file."
    std::string MissingTemplateMessage() const { return "Unable to find '" + TemplateName + "' file."; }
};

} // namespace shell
