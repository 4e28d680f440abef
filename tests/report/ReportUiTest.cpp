// Report outputs as the programs run them: the missing-template message, template faults,
// the text export through the platform service, the preview window, printing and PDF.

#include "shell/core/Error.h"
#include "shell/core/ReportEngine.h"
#include "shell/core/ReportText.h"
#include "shell/core/Utils.h"
#include "shell/ui/Platform.h"
#include "shell/ui/ReportOutput.h"
#include "shell/ui/ReportPreview.h"
#include "shell/ui/ReportRender.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace shell;
namespace fs = std::filesystem;

namespace {

using testing_support::ReadBytes;

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

int PdfPages(const std::string& file)
{
    std::string info = Shell("pdfinfo '" + file + "' 2>/dev/null");
    size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

TReportSource BallastSource(int rows, const std::string& folder = std::string(ORVANEL_TEST_DATA) + "/report/")
{
    TReportSource s;
    s.TemplateName = "ballast.fr3";
    s.TemplatesFolder = folder;
    TReportDataset d;
    d.UserName = "frxDsBallast";
    d.Fields = {"Tank", "Volume", "Weight"};
    for (int i = 0; i < rows; ++i)
        d.Rows.push_back({TReportValue::Str("No." + std::to_string(i + 1) + " WBT P"), TReportValue::Num(10.0 * i),
                          TReportValue::Num(10.25 * i)});
    s.Datasets.push_back(d);
    s.Variables = [](const std::string& name, TReportValue& v) {
        if (!SameText(name, "VesselName"))
            return false;
        v = TReportValue::Str("MV Nordic Star");
        return true;
    };
    return s;
}

class ReportUi : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPlatform(&platform_);
        dir_ = fs::temp_directory_path() / ("report-ui-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        SetPlatform(nullptr);
        fs::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    TScriptedPlatform platform_;
    fs::path dir_;
};

TEST_F(ReportUi, MissingTemplateShowsOnlyTheMessage)
{
    TReportSource s = BallastSource(2, Path("") );
    s.TemplateName = "RepTessalyAdv.fr3";
    const std::vector<std::function<void()>> commands = {
        [&] { PreviewReport(s); }, [&] { PrintReport(s); }, [&] { ExportReportAsText(s); },
        [&] { ExportReportAsPdf(s); }};
    for (const auto& command : commands) {
        platform_.Messages.clear();
        command();
        ASSERT_EQ(platform_.Messages.size(), 1u);
        EXPECT_EQ(platform_.Messages[0].Text, "Unable to find 'RepTessalyAdv.fr3' file.");
        EXPECT_EQ(platform_.Messages[0].Type, TMsgType::Error);
        EXPECT_EQ(platform_.Messages[0].Buttons, TMsgButtons::OK);
        EXPECT_TRUE(platform_.Dialogs.empty());
        EXPECT_TRUE(platform_.Opened.empty());
        EXPECT_EQ(QApplication::topLevelWidgets().size(), 0);
    }
}

TEST_F(ReportUi, TemplateFaultIsShownInTheEnginesWords)
{
    WriteFile(Path("ballast.fr3"), "Report \"x\"\nBand Detail Height 5\n");
    ExportReportAsText(BallastSource(1, Path("")));
    ASSERT_EQ(platform_.Messages.size(), 1u);
    EXPECT_EQ(platform_.Messages[0].Text.rfind("ballast.fr3, line 2: unknown band 'Detail'", 0), 0u);
    EXPECT_TRUE(platform_.Dialogs.empty());
}

TEST_F(ReportUi, TextExportReplacesTheFileAndOpensIt)
{
    const std::string out = Path("report.txt");
    WriteFile(out, "an older export, much longer than the new one\n" + std::string(3000, '-'));
    platform_.FileAnswers = {out};
    TReportSource s = BallastSource(3);
    ExportReportAsText(s);
    EXPECT_TRUE(platform_.Messages.empty());
    ASSERT_EQ(platform_.Dialogs.size(), 1u);
    EXPECT_EQ(platform_.Dialogs[0].Title, "Export to Text");
    EXPECT_EQ(platform_.Dialogs[0].DefaultExt, "txt");
    EXPECT_EQ(ReadBytes(out), ReportToText(RunReport(s)));
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{out});

    // PDF the same way.
    const std::string pdf = Path("report.pdf");
    platform_.FileAnswers = {pdf};
    ExportReportAsPdf(s);
    EXPECT_EQ(platform_.Dialogs.back().Title, "Export to PDF");
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_EQ(platform_.Opened.back(), pdf);
    platform_.Opened.pop_back();

    // Cancelled: nothing written, nothing opened.
    platform_.FileAnswers = {""};
    fs::remove(out);
    ExportReportAsText(s);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(platform_.Opened.size(), 1u);
}

TEST_F(ReportUi, PreviewOpensAtRealSizeWithItsCommands)
{
    for (bool quick : {true, false}) {
        bool seen = false;
        const std::string out = Path("from-preview.txt");
        platform_.FileAnswers = {out};
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<TfrmReportPreview*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            seen = true;
            EXPECT_DOUBLE_EQ(preview->Zoom(), 1.0);
            int pages = static_cast<int>(preview->Report().Pages.size());
            EXPECT_GE(pages, 2);
            EXPECT_EQ(preview->findChild<QLabel*>("lblPages")->text(), QString(" of %1 ").arg(pages));
            for (const char* name : {"actPrint", "actPageSetup", "actZoomIn", "actZoomOut", "actFirstPage",
                                     "actPriorPage", "actNextPage", "actLastPage"})
                EXPECT_NE(preview->findChild<QAction*>(name), nullptr) << name;
            EXPECT_NE(preview->findChild<QToolButton*>("btnExport"), nullptr);
            EXPECT_EQ(preview->findChild<QAction*>("actQuickExport") != nullptr, quick);
            preview->GoToPage(pages);
            EXPECT_EQ(preview->CurrentPage(), pages);
            preview->GoToPage(1);
            EXPECT_EQ(preview->CurrentPage(), 1);
            preview->SetZoom(2.0);
            EXPECT_EQ(preview->CurrentPage(), 1);
            preview->ExportTextCommand();
            preview->reject();
        });
        PreviewReport(BallastSource(90), TReportOptions{quick});
        EXPECT_TRUE(seen);
        EXPECT_TRUE(platform_.Messages.empty());
        EXPECT_EQ(ReadBytes(out), ReportToText(RunReport(BallastSource(90))));
        EXPECT_EQ(QApplication::topLevelWidgets().size(), 0);
    }
}

TEST_F(ReportUi, PdfHasEveryPageAndItsText)
{
    TPreparedReport r = RunReportWithFonts(BallastSource(120));
    const std::string pdf = Path("report.pdf");
    WriteFile(pdf, "old");
    SaveReportPdf(r, pdf);
    EXPECT_EQ(PdfPages(pdf), static_cast<int>(r.Pages.size()));
    std::string text = Shell("pdftotext -layout '" + pdf + "' - 2>/dev/null");
    const std::string last = "Page " + std::to_string(r.Pages.size()) + " of " + std::to_string(r.Pages.size());
    for (const std::string& expected : {std::string("BALLAST REPORT"), std::string("MV Nordic Star"),
                                        std::string("No.120 WBT P"), std::string("Volume [m3]"), last})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_THROW(SaveReportPdf(r, Path("no/such/folder/out.pdf")), Error);

    // A landscape template gives landscape pages.
    WriteFile(Path("ballast.fr3"), "Page A4 Landscape\nBand Body Height 5\n  Text 250 0 20 5: far right\n");
    const std::string wide = Path("wide.pdf");
    SaveReportPdf(RunReportWithFonts(BallastSource(1, Path(""))), wide);
    EXPECT_NE(Shell("pdfinfo '" + wide + "'").find("842 x 595 pts"), std::string::npos);
    EXPECT_NE(Shell("pdftotext '" + wide + "' -").find("far right"), std::string::npos);

    // Printing draws the same pages (a PDF printer stands in for paper).
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string printed = Path("printed.pdf");
    printer.setOutputFileName(QString::fromStdString(printed));
    PrintPreparedReport(printer, r);
    EXPECT_EQ(PdfPages(printed), static_cast<int>(r.Pages.size()));
}

} // namespace

int main(int argc, char** argv)
{
    // Headless also when ctest lists the tests (before its ENVIRONMENT applies).
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
