#include "ReportOutput.h"

#include "Platform.h"
#include "ReportPreview.h"
#include "ReportRender.h"

#include "shell/core/Error.h"
#include "shell/core/ReportText.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <exception>
#include <optional>

namespace shell {

namespace {

void ShowError(const std::string& text)
{
    Platform().MessageBox("", text, TMsgType::Error, TMsgButtons::OK);
}

// Loads the template anew and prepares the report; any fault is shown and ends the run.
std::optional<TPreparedReport> Prepare(const TReportSource& source, const TReportPageSetup& setup = {})
{
    if (!ReportTemplateExists(source)) {
        ShowError(source.MissingTemplateMessage());
        return std::nullopt;
    }
    try {
        return RunReportWithFonts(source, setup);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return std::nullopt;
    }
}

std::string ProposedName(const TPreparedReport& report, const char* extension)
{
    std::string base = report.Title.empty() ? "Report" : report.Title;
    for (char& c : base)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '_';
    return base + "." + extension;
}

// Asks for the file, writes it through `save` and opens it with its associated program.
template <class TSave>
void ExportTo(const TPreparedReport& report, const char* title, const char* extension, const char* filter, TSave save)
{
    TFileDialogOptions options;
    options.Title = title;
    options.DefaultExt = extension;
    options.Filter = filter;
    options.FileName = ProposedName(report, extension);
    std::string fileName;
    if (!Platform().SaveFileDialog(options, fileName) || fileName.empty())
        return;
    try {
        save(report, fileName);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return;
    }
    int code = 0;
    std::string reason;
    if (!Platform().ShellOpen(fileName, code, reason))
        ShowError("The file " + fileName + " was written but could not be opened" +
                  (reason.empty() ? std::string(".") : ": " + reason));
}

} // namespace

void ExportPreparedReportAsText(const TPreparedReport& report)
{
    ExportTo(report, "Export to Text", "txt", "Text file (*.txt)|*.txt|All files (*.*)|*.*", SaveReportText);
}

void ExportPreparedReportAsPdf(const TPreparedReport& report)
{
    ExportTo(report, "Export to PDF", "pdf", "PDF file (*.pdf)|*.pdf|All files (*.*)|*.*", SaveReportPdf);
}

void PreviewReport(const TReportSource& source, const TReportOptions& options)
{
    auto report = Prepare(source);
    if (!report)
        return;
    // The preview lays the report out again after a page setup; the source's data belongs
    // to the calling form, which waits for the modal preview to close.
    TfrmReportPreview preview(std::move(*report),
                              [&source](const TReportPageSetup& setup) { return RunReportWithFonts(source, setup); },
                              options.QuickExport, QApplication::activeWindow());
    preview.exec();
}

void PrintReport(const TReportSource& source)
{
    auto report = Prepare(source);
    if (!report)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(*report));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setMinMax(1, static_cast<int>(report->Pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        PrintPreparedReport(printer, *report);
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void ExportReportAsText(const TReportSource& source)
{
    if (auto report = Prepare(source))
        ExportPreparedReportAsText(*report);
}

void ExportReportAsPdf(const TReportSource& source)
{
    if (auto report = Prepare(source))
        ExportPreparedReportAsPdf(*report);
}

} // namespace shell
