#include "ReportOutput.h"

#include "Platform.h"
#include "shell/core/Folders.h"

namespace shell {

namespace {

// Until the engine renders templates, a run only checks that its template is there.
bool TemplateAvailable(const TReportSource& source)
{
    if (FileExists(source.TemplatePath()))
        return true;
    Platform().MessageBox("", source.MissingTemplateMessage(), TMsgType::Error, TMsgButtons::OK);
    return false;
}

} // namespace

void PreviewReport(const TReportSource& source, const TReportOptions&)
{
    TemplateAvailable(source);
}

void PrintReport(const TReportSource& source)
{
    TemplateAvailable(source);
}

void ExportReportAsText(const TReportSource& source)
{
    TemplateAvailable(source);
}

} // namespace shell
