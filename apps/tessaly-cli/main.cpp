// tessaly-cli: the Tessaly lashing document without a window.
//
//   tessaly-cli values FILE.tyx            open as the program does, calculate, print values
//   tessaly-cli resave FILE.tyx OUT.tyx    open as the program does, save to OUT
//   tessaly-cli new advanced|alternative OUT.tyx
//   tessaly-cli export FILE.tyx OUT.txt   the method's report as plain text
//   tessaly-cli pdf FILE.tyx OUT.pdf      the method's report as PDF
//
// Exit status: 0 success, 1 a document could not be opened or saved, 2 wrong usage.
// Each subcommand is one function in the command table below.

#include "tessaly/core/LashingAdvance.h"
#include "tessaly/core/LashingAlternative.h"
#include "tessaly/core/LashingBase.h"
#include "tessaly/report/LashingReport.h"

#include "shell/core/Cli.h"
#include "shell/core/Error.h"
#include "shell/core/Folders.h"
#include "shell/core/Utils.h"
#include "shell/platform/UserFolders.h"
#include "shell/ui/ReportCli.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using shell::cli::ExitFailure;
using shell::cli::ExitOk;
using shell::cli::ExitUsage;
using shell::cli::Escape;
using shell::cli::PrintError;
using shell::cli::TArgs;
using shell::cli::TCommand;



// The program's Open: header, document of the named method, OpenVoyage, then the
// calculation that follows every open. Prints the error and returns none on failure.
std::unique_ptr<tessaly::TLashingDocument> OpenDocument(const std::string& fileName)
{
    try {
        std::unique_ptr<tessaly::TLashingDocument> d = tessaly::OpenLashingDocument(fileName);
        d->CalculateAll();
        return d;
    } catch (const tessaly::TOpenError& e) {
        PrintError(e.what());
        PrintError(e.Reason);
    } catch (const std::exception& e) {
        PrintError(e.what());
    }
    return nullptr;
}

bool SaveDocument(const tessaly::TLashingDocument& d, const std::string& fileName)
{
    try {
        d.SaveVoyage(fileName);
        return true;
    } catch (const std::exception& e) {
        PrintError("Can't save file: " + fileName);
        PrintError(e.what());
        return false;
    }
}

std::string CellText(const tessaly::TReportCell& cell)
{
    if (const auto* s = std::get_if<std::string>(&cell))
        return Escape(*s);
    if (const auto* i = std::get_if<int>(&cell))
        return std::to_string(*i);
    return shell::FormatNumber15(std::get<double>(cell));
}

int RunValues(const TArgs& args)
{
    std::unique_ptr<tessaly::TLashingDocument> d = OpenDocument(args[0]);
    if (!d)
        return ExitFailure;
    std::string out;
    for (const std::string& name : tessaly::ReportValueNames())
        out += name + "=" + Escape(d->ReportValue(name)->Text) + "\n";
    for (size_t i = 0; i < d->ResultLines.size(); ++i)
        out += "Result[" + std::to_string(i + 1) + "]=" + Escape(d->ResultLines[i]) + "\n";
    const tessaly::TReportTable table = d->FillReportTable();
    for (size_t r = 0; r < table.Rows.size(); ++r)
        for (size_t f = 0; f < table.FieldNames.size(); ++f)
            out += std::string(tessaly::ReportDatasetName) + "[" + std::to_string(r + 1) + "]." +
                   table.FieldNames[f] + "=" + CellText(table.Rows[r][f]) + "\n";
    std::cout << out;
    return ExitOk;
}

int RunResave(const TArgs& args)
{
    std::unique_ptr<tessaly::TLashingDocument> d = OpenDocument(args[0]);
    if (!d)
        return ExitFailure;
    return SaveDocument(*d, args[1]) ? ExitOk : ExitFailure;
}

int Usage(); // forward: wrong method name is a usage error

int RunNew(const TArgs& args)
{
    std::unique_ptr<tessaly::TLashingDocument> d;
    if (args[0] == "advanced")
        d = tessaly::CreateLashingDocument(tessaly::TCalcMethod::Advanced);
    else if (args[0] == "alternative")
        d = tessaly::CreateLashingDocument(tessaly::TCalcMethod::Alternative);
    else
        return Usage();
    d->SetupUI();
    return SaveDocument(*d, args[1]) ? ExitOk : ExitFailure;
}

// The method's report from the Templates folder (the missing-template message on failure).
int RunReport(const TArgs& args, shell::TReportCliFormat format)
{
    std::unique_ptr<tessaly::TLashingDocument> d = OpenDocument(args[0]);
    if (!d)
        return ExitFailure;
    const shell::TFolders folders = shell::PrepareFolders(
        shell::TProgram::Tessaly, [] { return shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL); });
    return shell::RunReportCommand(tessaly::LashingReportSource(*d, folders.TemplatesFolder), args[1], format);
}

int RunExport(const TArgs& args)
{
    return RunReport(args, shell::TReportCliFormat::Text);
}

int RunPdf(const TArgs& args)
{
    return RunReport(args, shell::TReportCliFormat::Pdf);
}

const TCommand Commands[] = {
    {"values", 1, "FILE.tyx",
     "open and calculate as Tessaly does; print the report values, result lines and report table",
     RunValues},
    {"resave", 2, "FILE.tyx OUT.tyx", "open as Tessaly does and save the document to OUT.tyx",
     RunResave},
    {"new", 2, "advanced|alternative OUT.tyx", "save a new document of the method, unchanged",
     RunNew},
    {"export", 2, "FILE.tyx OUT.txt", "write the method's report (RepTessalyAdv/Alt.fr3) as plain text", RunExport},
    {"pdf", 2, "FILE.tyx OUT.pdf", "write the method's report (RepTessalyAdv/Alt.fr3) as PDF", RunPdf},
};

int Usage()
{
    return shell::cli::Usage("tessaly-cli", Commands, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    return shell::cli::Dispatch(argc, argv, "tessaly-cli", Commands, nullptr);
}
