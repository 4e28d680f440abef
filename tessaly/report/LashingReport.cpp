#include "LashingReport.h"

#include "shell/core/Utils.h"

#include <type_traits>

namespace tessaly {

shell::TReportSource LashingReportSource(const TLashingDocument& document, const std::string& templatesFolder)
{
    shell::TReportSource source;
    source.TemplateName = document.ReportTemplateName();
    source.TemplatesFolder = templatesFolder;

    TReportTable table = document.FillReportTable();
    shell::TReportDataset data;
    data.UserName = ReportDatasetName;
    data.Fields = table.FieldNames;
    bool hasRecId = false;
    for (const auto& f : data.Fields)
        hasRecId = hasRecId || shell::SameText(f, "RecId");
    if (!hasRecId)
        data.Fields.push_back("RecId");
    int recId = 0;
    for (const auto& row : table.Rows) {
        std::vector<shell::TReportValue> values;
        for (const TReportCell& cell : row)
            values.push_back(std::visit(
                [](const auto& v) {
                    using T = std::decay_t<decltype(v)>;
                    if constexpr (std::is_same_v<T, std::string>)
                        return shell::TReportValue::Str(v);
                    else
                        return shell::TReportValue::Num(static_cast<double>(v));
                },
                cell));
        values.resize(table.FieldNames.size(), shell::TReportValue::Str(""));
        if (!hasRecId)
            values.push_back(shell::TReportValue::Num(++recId));
        data.Rows.push_back(std::move(values));
    }
    source.Datasets.push_back(std::move(data));

    source.Variables = [&document](const std::string& name, shell::TReportValue& value) {
        std::optional<TReportValue> v = document.ReportValue(name);
        if (!v)
            return false;
        // BGM with GM = 0 is the number 0, not a text.
        value = v->IsNumber ? shell::TReportValue::Num(0) : shell::TReportValue::Str(v->Text);
        return true;
    };
    return source;
}

} // namespace tessaly
