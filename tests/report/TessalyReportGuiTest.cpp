// Tessaly's three report commands through the real main window with the shipped
// templates installed: the preview shows the report, export writes and opens the text,
// print reaches the print dialog; all after the report table was refilled.

#include "shell/ui/Application.h"
#include "shell/ui/FormMain.h"
#include "shell/ui/Platform.h"
#include "shell/ui/ReportPreview.h"
#include "tessaly/ui/TessalyProgram.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class TessalyReportGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::SetPlatform(&platform);
        main = std::make_unique<shell::TfrmMain>(tessaly::Description());
        templates = main->Folders().TemplatesFolder;
        for (const auto& entry : fs::directory_iterator(ORVANEL_TEMPLATES))
            if (entry.path().extension() == ".fr3")
                fs::copy_file(entry.path(), templates + entry.path().filename().string(),
                              fs::copy_options::overwrite_existing);
    }
    void TearDown() override
    {
        main->SetDirty(false);
        main.reset();
        shell::SetPlatform(nullptr);
    }

    shell::TScriptedPlatform platform;
    std::unique_ptr<shell::TfrmMain> main;
    std::string templates;
};

TEST_F(TessalyReportGui, EveryReportCommandRunsTheEngine)
{
    for (const char* method : {"NewAdvanced", "NewAlternative"}) {
        SCOPED_TRACE(method);
        main->SetDirty(false);
        main->ExecuteCommand(method);

        // Export: the text of the method's template, then the file is opened.
        const std::string out = templates + "../export.txt";
        platform.FileAnswers = {out};
        main->ExecuteCommand("ExportReport");
        EXPECT_TRUE(platform.Messages.empty()) << platform.Messages[0].Text;
        std::string text = ReadFile(out);
        EXPECT_NE(text.find("CARGO SECURING ASSESSMENT"), std::string::npos);
        EXPECT_NE(text.find(std::string(method) == "NewAdvanced" ? "Advanced calculation method" : "Alternative method"),
                  std::string::npos);
        EXPECT_NE(text.find("Class 1 chain"), std::string::npos);
        ASSERT_FALSE(platform.Opened.empty());
        EXPECT_EQ(platform.Opened.back(), out);

        // Preview: the modal preview at zoom 1.0 over the prepared pages.
        int pages = 0;
        double zoom = 0;
        QTimer::singleShot(0, [&] {
            if (auto* preview = qobject_cast<shell::TfrmReportPreview*>(QApplication::activeModalWidget())) {
                pages = static_cast<int>(preview->Report().Pages.size());
                zoom = preview->Zoom();
                preview->reject();
            }
        });
        main->ExecuteCommand("PreviewReport");
        EXPECT_GE(pages, 1);
        EXPECT_DOUBLE_EQ(zoom, 1.0);

        // Print: the print dialog comes up (cancelled here).
        bool dialog = false;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog = true;
                d->reject();
            }
        });
        main->ExecuteCommand("PrintReport");
        EXPECT_TRUE(dialog);
        EXPECT_TRUE(platform.Messages.empty());
    }
}

TEST_F(TessalyReportGui, TemplateEditedOnDiskTakesEffectAtTheNextReport)
{
    main->ExecuteCommand("NewAdvanced");
    std::ofstream(templates + "RepTessalyAdv.fr3", std::ios::trunc)
        << "Band Body Height 5\n  Text 0 0 100 5: Edited for [VESSELNAME] [CargoMass]\n";
    const std::string out = templates + "../edited.txt";
    platform.FileAnswers = {out};
    main->ExecuteCommand("ExportReport");
    EXPECT_EQ(ReadFile(out), "Edited for  0.00 t\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    shell::TApplication app(argc, argv, "Tessaly");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
