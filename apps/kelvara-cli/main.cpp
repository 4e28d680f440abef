// kelvara-cli: Kelvara's surveys and ship files without a window.
//
//   kelvara-cli values FILE.kvx           open as the program does, calculate, print values
//   kelvara-cli resave FILE.kvx OUT.kvx   open as the program does, save to OUT
//   kelvara-cli ship FILE.xml OUT.xml     load a ship file and write it back to OUT
//   kelvara-cli export FILE.kvx OUT.txt   the survey report as plain text
//   kelvara-cli pdf FILE.kvx OUT.pdf      the survey report as PDF
//
// Ship files of automatic surveys are looked up in the suite's Data folder, found as the
// program finds it. Messages the program would show go to standard error as
// "information: TEXT" or "error: TEXT". Exit status: 0 success, 1 a document could not be
// opened or saved, 2 wrong usage. Each subcommand is one function in the command table.

#include "kelvara/core/DataModule.h"
#include "kelvara/core/ReportValues.h"
#include "kelvara/core/Survey.h"
#include "kelvara/report/SurveyReport.h"

#include "shell/core/Cli.h"
#include "shell/core/Error.h"
#include "shell/core/Folders.h"
#include "shell/core/Utils.h"
#include "shell/platform/UserFolders.h"
#include "shell/ui/ReportCli.h"

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using shell::cli::ExitFailure;
using shell::cli::ExitOk;
using shell::cli::Escape;
using shell::cli::PrintError;
using shell::cli::TArgs;
using shell::cli::TCommand;


void ShowMessage(kelvara::TMessageType type, const std::string& text)
{
    std::cerr << (type == kelvara::TMessageType::Error ? "error: " : "information: ") << text << "\n";
}


std::string DataFolder()
{
    shell::TFolders folders = shell::PrepareFolders(shell::TProgram::Kelvara, [] {
        return shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL);
    });
    return folders.DataFolder;
}

// The program's Open: header, kind, ship file, OpenVoyage, InitOpen, then the calculation
// that follows every open. Prints the error and returns none on failure.
std::unique_ptr<kelvara::TSurvey> OpenSurvey(const std::string& fileName)
{
    try {
        std::unique_ptr<kelvara::TSurvey> survey = kelvara::OpenSurveyDocument(fileName, DataFolder(), ShowMessage);
        survey->CalculateAll();
        return survey;
    } catch (const std::exception& e) {
        PrintError(e.what());
    }
    return nullptr;
}

int RunValues(const TArgs& args)
{
    std::unique_ptr<kelvara::TSurvey> survey = OpenSurvey(args[0]);
    if (!survey)
        return ExitFailure;
    for (const std::string& name : kelvara::ReportValueNames())
        std::cout << name << "=" << Escape(kelvara::ReportValue(*survey, name).value_or("")) << "\n";
    int n = 0;
    for (const kelvara::TBallastRow& row : kelvara::BallastDataset(*survey)) {
        ++n;
        for (const std::string& field : kelvara::BallastDatasetFields()) {
            kelvara::TFieldValue v = *kelvara::BallastDatasetValue(row, field);
            std::string text = v.IsText ? Escape(v.Text) : (v.Number ? shell::FormatNumber15(*v.Number) : "");
            std::cout << "frxDsBallast[" << n << "]." << field << "=" << text << "\n";
        }
    }
    return ExitOk;
}

int RunResave(const TArgs& args)
{
    std::unique_ptr<kelvara::TSurvey> survey = OpenSurvey(args[0]);
    if (!survey)
        return ExitFailure;
    try {
        survey->SaveVoyage(args[1]);
    } catch (const std::exception&) {
        PrintError("Can't save file: " + args[1]);
        return ExitFailure;
    }
    return ExitOk;
}

int RunShip(const TArgs& args)
{
    kelvara::TDM dm;
    try {
        dm.FillAllTables(args[0]);
    } catch (const std::exception& e) {
        PrintError(e.what());
        return ExitFailure;
    }
    try {
        dm.SaveAllTables(args[1]);
    } catch (const std::exception& e) {
        PrintError(e.what());
        return ExitFailure;
    }
    return ExitOk;
}

// The survey report from the Templates folder (the missing-template message on failure).
int RunReport(const TArgs& args, shell::TReportCliFormat format)
{
    std::unique_ptr<kelvara::TSurvey> survey = OpenSurvey(args[0]);
    if (!survey)
        return ExitFailure;
    shell::TFolders folders = shell::PrepareFolders(shell::TProgram::Kelvara, [] {
        return shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL);
    });
    return shell::RunReportCommand(kelvara::SurveyReportSource(*survey, folders.TemplatesFolder), args[1], format);
}

int RunExport(const TArgs& args)
{
    return RunReport(args, shell::TReportCliFormat::Text);
}

int RunPdf(const TArgs& args)
{
    return RunReport(args, shell::TReportCliFormat::Pdf);
}

const TCommand kCommands[] = {
    {"values", 1, "FILE.kvx", "print the survey's report values and ballast rows", RunValues},
    {"resave", 2, "FILE.kvx OUT.kvx", "open the survey and save it to OUT", RunResave},
    {"ship", 2, "FILE.xml OUT.xml", "load a ship file and save it to OUT", RunShip},
    {"export", 2, "FILE.kvx OUT.txt", "write the survey report (RepKelvara.fr3) as plain text", RunExport},
    {"pdf", 2, "FILE.kvx OUT.pdf", "write the survey report (RepKelvara.fr3) as PDF", RunPdf},
};

} // namespace

int main(int argc, char** argv)
{
    return shell::cli::Dispatch(argc, argv, "kelvara-cli", kCommands, nullptr);
}
