#include "SurveyReport.h"

#include "kelvara/core/ReportValues.h"

namespace kelvara {

shell::TReportSource SurveyReportSource(const TSurvey& survey, const std::string& templatesFolder)
{
    shell::TReportSource source;
    source.TemplateName = kSurveyTemplate;
    source.TemplatesFolder = templatesFolder;

    shell::TReportDataset ballast;
    ballast.UserName = "frxDsBallast";
    ballast.Fields = BallastDatasetFields();
    for (const TBallastRow& row : BallastDataset(survey)) {
        std::vector<shell::TReportValue> values;
        for (const std::string& field : ballast.Fields) {
            std::optional<TFieldValue> v = BallastDatasetValue(row, field);
            if (!v)
                values.push_back(shell::TReportValue::Str(""));
            else if (v->IsText)
                values.push_back(shell::TReportValue::Str(v->Text));
            else if (v->Number)
                values.push_back(shell::TReportValue::Num(*v->Number));
            else
                values.push_back(shell::TReportValue::Str("")); // an empty cell prints nothing
        }
        ballast.Rows.push_back(std::move(values));
    }
    source.Datasets.push_back(std::move(ballast));

    source.Variables = [&survey](const std::string& name, shell::TReportValue& value) {
        std::optional<std::string> text = ReportValue(survey, name);
        if (!text)
            return false;
        value = shell::TReportValue::Str(*text);
        return true;
    };
    return source;
}

} // namespace kelvara
