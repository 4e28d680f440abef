// The main window's document lifecycle, captions, commands and messages, driven through
// the real TfrmMain with a small document form and the scripted platform.
#include "shell/core/Error.h"
#include "shell/core/IniFile.h"
#include "shell/core/Xml.h"
#include "shell/ui/Application.h"
#include "shell/ui/FormAbout.h"
#include "shell/ui/FormMain.h"
#include "shell/ui/Platform.h"
#include "shell/ui/Utils.h"

#include <QAction>
#include <QStatusTipEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace shell;

namespace {

// A document of one text value, stored as <Test><Header><Contents>Test</Contents>
// </Header><Value>...</Value></Test>.
class TTestForm : public TDocumentForm {
public:
    static inline bool FailSave = false;
    static inline int Calculations = 0;

    explicit TTestForm(QWidget* owner) : TDocumentForm(owner)
    {
        edit = new QLineEdit(this);
        edit->setObjectName("txtValue");
        (new QVBoxLayout(this))->addWidget(edit);
    }
    void SaveVoyage(const std::string& fileName) override
    {
        if (FailSave)
            throw Error("Cannot create file " + fileName);
        TXmlDocument xml;
        xml.CreateName("Test");
        xml.Root().NodeNew("Header").WriteString("Contents", "Test");
        xml.Root().WriteString("Value", edit->text().toStdString());
        xml.SaveToFile(fileName);
    }
    void OpenVoyage(const std::string& fileName) override
    {
        TXmlDocument xml;
        xml.LoadFromFile(fileName);
        edit->setText(QString::fromStdString(xml.Root().ReadString("Value")));
    }
    void CalculateAll() override { ++Calculations; }

    QLineEdit* edit;
};

class TTestDriver : public TProgramDriver {
public:
    std::unique_ptr<TDocumentForm> CreateNew(TfrmMain& main, const QString&, int& kind) override
    {
        kind = 1;
        return std::make_unique<TTestForm>(&main);
    }
    bool ReadHeader(TfrmMain&, const TXmlDocument& xml, const std::string&) override
    {
        TXmlNode n = xml.Root().FindNode("Contents");
        contents = n ? n.ValueAsString() : "";
        return true;
    }
    std::unique_ptr<TDocumentForm> CreateForOpen(TfrmMain& main, const std::string& fileName, int& kind) override
    {
        if (contents != "Test")
            return nullptr;
        auto form = std::make_unique<TTestForm>(&main);
        form->OpenVoyage(fileName);
        kind = 1;
        return form;
    }
    void ShowDocumentStatus(TfrmMain& main) override { main.SetStatusText(1, "Test document"); }
    void ClearDocumentStatus(TfrmMain& main) override { main.SetStatusText(1, ""); }
    std::string contents;
};

std::string Temp(const std::string& name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromStdString(name)).toStdString();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

const char* const SaveQuestion = "Current document has been changed.\n\rDo you want to save these changes?";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPlatform(&platform);
        TTestForm::FailSave = false;
        TTestForm::Calculations = 0;
        description = DescriptionOf(TProgram::Tessaly);
        description.HelpFile = Temp("missing/OrvanelSuite.chm");
        description.Driver = [] { return std::make_unique<TTestDriver>(); };
        main = std::make_unique<TfrmMain>(description);
    }
    void TearDown() override
    {
        main->SetDirty(false);
        main.reset();
        SetPlatform(nullptr);
    }

    TTestForm* Form() { return static_cast<TTestForm*>(main->frmBase()); }
    QString Caption() { return main->windowTitle(); }
    bool Visible(const char* id) { return main->Action(id)->isVisible(); }

    // A changed, never saved document.
    void NewChanged()
    {
        main->ExecuteCommand("NewAdvanced");
        ASSERT_NE(Form(), nullptr);
        Form()->edit->setText("changed");
        main->SetDirty(true);
    }

    TScriptedPlatform platform;
    TProgramDescription description;
    std::unique_ptr<TfrmMain> main;
};

TEST_F(MainWindowTest, StartsWithoutDocumentAndDocumentCommandsHidden)
{
    EXPECT_EQ(Caption(), "Tessaly");
    EXPECT_EQ(main->minimumSize(), QSize(750, 600));
    EXPECT_EQ(main->StatusText(0), "Ready...");
    EXPECT_EQ(main->StatusText(1), "");
    QStatusTipEvent hover("Open"); // Tessaly shows no command hints in its status bar
    QApplication::sendEvent(main.get(), &hover);
    EXPECT_EQ(main->StatusText(0), "Ready...");
    for (const char* id : {"Close", "Save", "SaveAs", "ExportReport", "PreviewReport", "PrintReport", "Calculate"})
        EXPECT_FALSE(Visible(id)) << id;
    for (const char* id : {"New", "Open", "HelpContents", "About", "Exit"})
        EXPECT_TRUE(Visible(id)) << id;
    // Help file missing beside the program: shown, greyed.
    EXPECT_FALSE(main->Action("HelpContents")->isEnabled());
    // A hidden command does nothing, whichever way it is reached.
    main->ExecuteCommand("Save");
    EXPECT_TRUE(platform.Dialogs.empty());
    EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(MainWindowTest, HelpCommandEnabledAndOpenedWhenHelpFileExists)
{
    std::string help = Temp("OrvanelSuite.chm");
    WriteFile(help, "help");
    description.HelpFile = help;
    TfrmMain withHelp(description);
    ASSERT_TRUE(withHelp.Action("HelpContents")->isEnabled());
    withHelp.ExecuteCommand("HelpContents");
    ASSERT_EQ(platform.Opened.size(), 1u);
    EXPECT_EQ(platform.Opened[0], help);

    // A shell failure reaches the application-wide error display.
    platform.ShellOpenFails = true;
    withHelp.ExecuteCommand("HelpContents");
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Text, "System Error.  Code: 2.\r\nThe system cannot find the file specified.");
    EXPECT_EQ(platform.Messages[0].Type, TMsgType::Error);
}

TEST_F(MainWindowTest, CommandBarHidesSeparatorsOfHiddenGroups)
{
    auto visibleLayout = [&] {
        QString s;
        for (QAction* a : main->findChild<QToolBar*>("CommandBar")->actions())
            if (a->isVisible())
                s += a->isSeparator() ? "|" : a->data().toString() + " ";
        return s;
    };
    EXPECT_EQ(visibleLayout(), "New |Open |HelpContents About |Exit ");
    main->ExecuteCommand("NewAdvanced");
    EXPECT_EQ(visibleLayout(), "New |Open |Close |Save SaveAs |ExportReport PreviewReport PrintReport |Calculate "
                               "|HelpContents About |Exit ");
}

TEST_F(MainWindowTest, NewSaveAndCaptions)
{
    main->ExecuteCommand("NewAdvanced");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx");
    EXPECT_EQ(main->StatusText(1), "Test document");
    EXPECT_TRUE(Visible("Close"));
    main->SetDirty(true);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");

    // Save of an untitled document asks for a name in the Archive folder.
    std::string file = Temp("Lashing one.tyx");
    platform.FileAnswers.push_back(file);
    main->ExecuteCommand("Save");
    ASSERT_EQ(platform.Dialogs.size(), 1u);
    const TFileDialogOptions& o = platform.Dialogs[0];
    EXPECT_EQ(o.Title, "Save");
    EXPECT_EQ(o.FileName, "Untitled.tyx");
    EXPECT_EQ(o.DefaultExt, "tyx");
    EXPECT_EQ(o.Filter, "Tessaly files (*.tyx)|*.tyx|All files (*.*)|*.*");
    EXPECT_EQ(o.InitialDir, main->Folders().ArchiveFolder);
    EXPECT_EQ(Caption(), "Tessaly - Lashing one.tyx");
    EXPECT_EQ(main->CurrentFileName(), file);

    // Save again writes without asking; Save As proposes the current name.
    main->SetDirty(true);
    main->ExecuteCommand("Save");
    EXPECT_EQ(platform.Dialogs.size(), 1u);
    EXPECT_EQ(Caption(), "Tessaly - Lashing one.tyx");
    platform.FileAnswers.push_back("");
    main->ExecuteCommand("SaveAs");
    ASSERT_EQ(platform.Dialogs.size(), 2u);
    EXPECT_EQ(platform.Dialogs[1].FileName, "Lashing one.tyx");
}

TEST_F(MainWindowTest, FailedSaveKeepsNameAndChangedMark)
{
    NewChanged();
    std::string file = Temp("first.tyx");
    platform.FileAnswers.push_back(file);
    main->ExecuteCommand("Save");
    main->SetDirty(true);
    TTestForm::FailSave = true;
    std::string other = Temp("second.tyx");
    platform.FileAnswers.push_back(other);
    main->ExecuteCommand("SaveAs");
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Text, "Can't save file: " + other);
    EXPECT_EQ(platform.Messages[0].Type, TMsgType::Plain);
    EXPECT_EQ(platform.Messages[0].Buttons, TMsgButtons::OK);
    EXPECT_EQ(main->CurrentFileName(), file);
    EXPECT_EQ(Caption(), "Tessaly - first.tyx*");
}

// The unsaved-changes question on Close, New and Open, for every answer.
TEST_F(MainWindowTest, UnsavedChangesQuestion)
{
    struct Case {
        const char* command;
        TMsgResult answer;
        const char* saveAs;       // Save dialog answer after Yes; "" cancels it
        bool documentStaysOpen;   // the changed document is still there afterwards
    };
    const Case cases[] = {
        {"Close", TMsgResult::Cancel, nullptr, true},
        {"Close", TMsgResult::None, nullptr, true}, // box closed without an answer
        {"Close", TMsgResult::No, nullptr, false},
        {"Close", TMsgResult::Yes, "", true},       // Save dialog cancelled
        {"Close", TMsgResult::Yes, "saved.tyx", false},
        {"NewAdvanced", TMsgResult::Cancel, nullptr, true},
        {"Open", TMsgResult::Cancel, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " answer " + std::to_string(int(c.answer)));
        main->SetDirty(false);
        main->ExecuteCommand("Close");
        NewChanged();
        TDocumentForm* before = main->frmBase();
        platform.Messages.clear();
        platform.Dialogs.clear();
        platform.Answers = {c.answer};
        if (c.saveAs)
            platform.FileAnswers = {*c.saveAs ? Temp(c.saveAs) : ""};
        main->ExecuteCommand(c.command);

        ASSERT_GE(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Text, SaveQuestion);
        EXPECT_EQ(platform.Messages[0].Type, TMsgType::Confirmation);
        EXPECT_EQ(platform.Messages[0].Buttons, TMsgButtons::YesNoCancel);
        if (c.documentStaysOpen) {
            EXPECT_EQ(main->frmBase(), before);
            EXPECT_TRUE(main->IsDirty());
            EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
            // Neither New nor Open went on to their dialogs.
            EXPECT_EQ(platform.Dialogs.size(), c.saveAs ? 1u : 0u);
        } else {
            EXPECT_EQ(main->frmBase(), nullptr);
            EXPECT_FALSE(main->IsDirty());
            EXPECT_EQ(Caption(), "Tessaly");
            EXPECT_FALSE(Visible("Close"));
        }
    }
}

TEST_F(MainWindowTest, OpenShowsTheDocumentCleanAfterCalculating)
{
    std::string file = Temp("open-me.tyx");
    WriteFile(file, "<?xml version=\"1.0\"?><Test><Header><Contents>Test</Contents></Header>"
                    "<Value>stored</Value></Test>");
    platform.FileAnswers.push_back(file);
    main->ExecuteCommand("Open");
    ASSERT_EQ(platform.Dialogs.size(), 1u);
    EXPECT_EQ(platform.Dialogs[0].Title, "Open");
    EXPECT_EQ(platform.Dialogs[0].InitialDir, main->Folders().ArchiveFolder);
    EXPECT_EQ(platform.Dialogs[0].Filter, "Tessaly files (*.tyx)|*.tyx|All files (*.*)|*.*");
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Form()->edit->text(), "stored");
    EXPECT_EQ(TTestForm::Calculations, 1);
    EXPECT_EQ(Caption(), "Tessaly - open-me.tyx");
    EXPECT_EQ(main->StatusText(0), "Ready...");
    EXPECT_EQ(main->StatusText(1), "Test document");
    EXPECT_TRUE(Visible("Save"));
    EXPECT_TRUE(Form()->isVisible() || !main->isVisible());

    // Calculate marks the document changed even when nothing changed.
    main->ExecuteCommand("Calculate");
    EXPECT_EQ(TTestForm::Calculations, 2);
    EXPECT_EQ(Caption(), "Tessaly - open-me.tyx*");
    EXPECT_EQ(main->StatusText(0), "Ready...");
}

// Every failed open leaves no document, with its own message.
TEST_F(MainWindowTest, FailedOpenLeavesNoDocument)
{
    struct Case {
        const char* name;
        const char* content;
        const char* expectCaption; // message box caption
        const char* expectPrefix;  // message text start; the path follows
    };
    const Case cases[] = {
        {"empty.tyx", "", "Tessaly", "Unable to load the file: "},
        {"declaration-only.tyx", "<?xml version=\"1.0\"?>\n", "Tessaly", "Unable to load the file: "},
        {"other-program.tyx", "<Kelvara><Header><Contents>Kelvara</Contents></Header></Kelvara>", "Error",
         "Can't load file: "},
        {"no-contents.tyx", "<Test><Value>x</Value></Test>", "Error", "Can't load file: "},
        {"form-fails.tyx", "<Test><Header><Contents>Test</Contents></Header></Test>", "Error",
         "Can't load file: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main->ExecuteCommand("NewAdvanced"); // a clean document that Open replaces
        std::string file = Temp(c.name);
        WriteFile(file, c.content);
        platform.Messages.clear();
        platform.FileAnswers = {file};
        main->ExecuteCommand("Open");
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Type, TMsgType::Error);
        EXPECT_EQ(platform.Messages[0].Buttons, TMsgButtons::OK);
        std::string caption = platform.Messages[0].Caption.empty() ? "Tessaly" : platform.Messages[0].Caption;
        EXPECT_EQ(caption, c.expectCaption);
        std::string expected = c.expectPrefix + file;
        if (std::string(c.expectCaption) == "Tessaly")
            expected += "."; // the application-wide display's full stop
        EXPECT_EQ(platform.Messages[0].Text, expected);
        EXPECT_EQ(main->frmBase(), nullptr);
        EXPECT_EQ(Caption(), "Tessaly");
        EXPECT_EQ(main->StatusText(1), "");
        EXPECT_FALSE(Visible("Close"));
    }

    // A file that is not XML: the reader's own message, and no document.
    std::string broken = Temp("broken.tyx");
    WriteFile(broken, "<Test><Header>");
    platform.Messages.clear();
    platform.FileAnswers = {broken};
    main->ExecuteCommand("Open");
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Type, TMsgType::Error);
    EXPECT_FALSE(platform.Messages[0].Text.empty());
    EXPECT_EQ(main->frmBase(), nullptr);
}

TEST_F(MainWindowTest, CloseRequestWritesSettingsWhateverTheAnswer)
{
    TIniFile(main->Folders().IniFileName).WriteInteger("MainForm", "Width", 1);
    NewChanged();
    main->resize(800, 640);
    platform.Answers = {TMsgResult::Cancel};
    EXPECT_FALSE(main->close());
    EXPECT_NE(main->frmBase(), nullptr);
    TIniFile ini(main->Folders().IniFileName);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Width", 0), 800);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Height", 0), 640);

    platform.Answers = {TMsgResult::No};
    EXPECT_TRUE(main->close());
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenKeepTheWindowOpen)
{
    // A folder in the settings file's place makes it unwritable.
    std::string ini = main->Folders().IniFileName;
    std::filesystem::remove(ini);
    std::filesystem::create_directories(ini);
    EXPECT_FALSE(main->close());
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Caption, "Tessaly");
    EXPECT_EQ(platform.Messages[0].Text, "Unable to write to " + ini + ".");
    std::filesystem::remove_all(ini);
}

TEST(ApplicationErrorDisplay, FullStopRule)
{
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {{"Disk full", "Disk full."},   {"Code 5", "Code 5."},
                          {"Done.", "Done."},            {"Trailing ", "Trailing "},
                          {"a-", "a-"},                  {"path/", "path/."},
                          {"", ""}};
    TScriptedPlatform platform;
    SetPlatform(&platform);
    for (const Case& c : cases) {
        ShowApplicationError(c.text);
        EXPECT_EQ(platform.Messages.back().Text, c.shown) << c.text;
        EXPECT_EQ(platform.Messages.back().Caption, "Tessaly");
        EXPECT_EQ(platform.Messages.back().Type, TMsgType::Error);
        EXPECT_EQ(platform.Messages.back().Buttons, TMsgButtons::OK);
    }
    SetPlatform(nullptr);
}

TEST(PlatformText, LineBreaksAndFilters)
{
    EXPECT_EQ(DisplayText("Current document has been changed.\n\rDo you want"), "Current document has been changed.\nDo you want");
    EXPECT_EQ(DisplayText("System Error.  Code: 2.\r\nReason"), "System Error.  Code: 2.\nReason");
    EXPECT_EQ(QtFilter("Tessaly files (*.tyx)|*.tyx|All files (*.*)|*.*"), "Tessaly files (*.tyx);;All files (*.*)");
}

// Kelvara's and Marovin's windows: their own commands, hints and panels; commands whose
// forms are not in this build are present and harmless.
TEST(OtherPrograms, KelvaraAndMarovinWindows)
{
    TScriptedPlatform platform;
    SetPlatform(&platform);
    {
        TfrmMain kelvara(DescriptionOf(TProgram::Kelvara));
        EXPECT_EQ(kelvara.windowTitle(), "Kelvara");
        EXPECT_EQ(kelvara.minimumSize(), QSize(715, 600));
        QStringList menus;
        for (QAction* m : kelvara.menuBar()->actions())
            menus << m->text();
        EXPECT_EQ(menus, QStringList({"&File", "&Ship", "&Help"}));
        EXPECT_EQ(kelvara.Action("Open")->toolTip(), "Open (Ctrl+O)");
        EXPECT_EQ(kelvara.Action("New")->toolTip(), "New Survey");
        EXPECT_FALSE(kelvara.Action("Properties")->isVisible());
        EXPECT_TRUE(kelvara.Action("ShipManager")->isVisible());
        EXPECT_EQ(kelvara.Action("ShipManager")->shortcut(), QKeySequence("F4"));
        // Panel 0 follows the hint under the mouse and returns to its text afterwards.
        QStatusTipEvent hover("Open (Ctrl+O)");
        QApplication::sendEvent(&kelvara, &hover);
        EXPECT_EQ(kelvara.StatusText(0), "Open (Ctrl+O)");
        QStatusTipEvent leave("");
        QApplication::sendEvent(&kelvara, &leave);
        EXPECT_EQ(kelvara.StatusText(0), "Ready...");

        // Opening an automatic survey whose ship file is gone names the missing file.
        std::string file = Temp("auto.kvx");
        WriteFile(file, "<Kelvara><Header><Contents>Kelvara</Contents><CalcMethod>3</CalcMethod>"
                        "</Header><DataBase>Gone.xml</DataBase></Kelvara>");
        platform.FileAnswers = {file};
        kelvara.ExecuteCommand("Open");
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Text, "Can't find file: " + kelvara.Folders().DataFolder + "Gone.xml");
        EXPECT_EQ(kelvara.frmBase(), nullptr);

        kelvara.ExecuteCommand("NewManual");
        kelvara.ExecuteCommand("ShipManager");
        EXPECT_EQ(platform.Messages.size(), 3u);
        EXPECT_EQ(platform.Messages[2].Type, TMsgType::Information);
        EXPECT_EQ(kelvara.windowTitle(), "Kelvara");
    }
    {
        TfrmMain marovin(DescriptionOf(TProgram::Marovin));
        EXPECT_EQ(marovin.minimumSize(), QSize(600, 500));
        EXPECT_EQ(marovin.StatusText(1), "Waypoints Library: default.xml");
        EXPECT_EQ(marovin.LibraryFileName, marovin.Folders().WaypointsFolder + "default.xml");
        EXPECT_EQ(marovin.Action("SaveAs")->text(), "Save  Route Plan As...");
        EXPECT_EQ(marovin.Action("NewRoutePlan")->toolTip(), "New Route Plan (Ctrl+N)");
        EXPECT_TRUE(marovin.menuBar()->isHidden());
        marovin.LibraryFileName = marovin.Folders().WaypointsFolder + "coast.xml";
        EXPECT_TRUE(marovin.close());
        EXPECT_EQ(TIniFile(marovin.Folders().IniFileName).ReadString("Database", "DataBase", ""), "coast.xml");
    }
    SetPlatform(nullptr);
}

TEST_F(MainWindowTest, AboutBoxLinksOpenThroughTheShell)
{
    TfrmAbout about("Tessaly", main.get());
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.minimumSize(), QSize(369, 331));
    EXPECT_EQ(about.findChild<QLabel*>("lblProgram")->text(), "Tessaly");
    EXPECT_TRUE(about.findChild<QLabel*>("lblProgram")->font().bold());
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 9.1.0.1");
    auto* ok = about.findChild<QPushButton*>("btnOK");
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_TRUE(ok->isDefault());
    emit about.findChild<QLabel*>("lblWebSite")->linkActivated(MakerWebSite);
    emit about.findChild<QLabel*>("lblMail")->linkActivated(QString("mailto:") + MakerMail);
    ASSERT_EQ(platform.Opened.size(), 2u);
    EXPECT_EQ(platform.Opened[0], MakerWebSite);
    EXPECT_EQ(platform.Opened[1], std::string("mailto:") + MakerMail);
}

// Marovin's library save flow, for the route plan window.
class TRouteForm : public TMarovinDocument {
public:
    using TMarovinDocument::TMarovinDocument;
    void Init() override {}
    void OpenLibrary(const std::string&) override {}
    void SaveLibrary(const std::string& fileName) override
    {
        if (Fail)
            throw Error("Cannot create file " + fileName);
        Saved.push_back(fileName);
    }
    void SaveVoyage(const std::string&) override {}
    void OpenVoyage(const std::string&) override {}
    void CalculateAll() override {}
    bool Fail = false;
    std::vector<std::string> Saved;
};

class TRouteDriver : public TProgramDriver {
public:
    std::unique_ptr<TDocumentForm> CreateNew(TfrmMain& main, const QString&, int& kind) override
    {
        kind = 1;
        auto form = std::make_unique<TRouteForm>(&main);
        form->Init();
        return form;
    }
    std::unique_ptr<TDocumentForm> CreateForOpen(TfrmMain&, const std::string&, int&) override { return nullptr; }
};

TEST(MarovinLibrary, SaveLibraryFlow)
{
    TScriptedPlatform platform;
    SetPlatform(&platform);
    TProgramDescription d = DescriptionOf(TProgram::Marovin);
    d.Driver = [] { return std::make_unique<TRouteDriver>(); };
    TfrmMain marovin(d);
    marovin.ExecuteCommand("NewRoutePlan");
    auto* form = dynamic_cast<TRouteForm*>(marovin.frmBase());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(marovin.windowTitle(), "Marovin - Untitled.mvx");
    std::string library = marovin.Folders().WaypointsFolder + "default.xml";
    marovin.LibraryFileName = library; // whatever an earlier run left in the settings

    // Save writes to the current library without asking.
    EXPECT_TRUE(marovin.SaveLibrary(TSaveType::stSave));
    EXPECT_TRUE(platform.Dialogs.empty());
    ASSERT_EQ(form->Saved.size(), 1u);
    EXPECT_EQ(form->Saved[0], library);

    // Save As asks in the Waypoints folder, then the new library is current.
    std::string coast = marovin.Folders().WaypointsFolder + "coast.xml";
    platform.FileAnswers = {coast};
    EXPECT_TRUE(marovin.SaveLibrary(TSaveType::stSaveAs));
    ASSERT_EQ(platform.Dialogs.size(), 1u);
    EXPECT_EQ(platform.Dialogs[0].Title, "Save");
    EXPECT_EQ(platform.Dialogs[0].DefaultExt, "xml");
    EXPECT_EQ(platform.Dialogs[0].Filter, "Library files (*.xml)|*.xml|All files (*.*)|*.*");
    EXPECT_EQ(platform.Dialogs[0].InitialDir, marovin.Folders().WaypointsFolder);
    EXPECT_EQ(platform.Dialogs[0].FileName, "default.xml");
    EXPECT_EQ(marovin.LibraryFileName, coast);
    EXPECT_EQ(marovin.StatusText(1), "Waypoints Library: coast.xml");
    EXPECT_EQ(marovin.windowTitle(), "Marovin - Untitled.mvx"); // the route plan is untouched

    // A failed save keeps the library as it was.
    form->Fail = true;
    platform.FileAnswers = {marovin.Folders().WaypointsFolder + "other.xml"};
    EXPECT_FALSE(marovin.SaveLibrary(TSaveType::stSaveAs));
    EXPECT_EQ(platform.Messages.back().Text, "Can't save file: " + marovin.Folders().WaypointsFolder + "other.xml");
    EXPECT_EQ(marovin.LibraryFileName, coast);

    // Closing the route plan leaves the library panel as it is.
    marovin.ExecuteCommand("Close");
    EXPECT_EQ(marovin.frmBase(), nullptr);
    EXPECT_EQ(marovin.StatusText(1), "Waypoints Library: coast.xml");
    SetPlatform(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    // The suite folder and settings files of this run live in a folder of their own.
    // Headless unless told otherwise (test discovery runs without the test environment).
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
