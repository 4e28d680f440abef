// The three programs' main-window descriptions: sizes, commands in bar and menu order,
// status panels; and the drivers of Kelvara and Marovin until their forms exist.
#include "FormMain.h"

#include "Platform.h"
#include "shell/core/Utils.h"
#include "shell/core/Xml.h"

#include <QCoreApplication>
#include <QDir>

namespace shell {

const char* const MakerWebSite = "https://www.orvanel-suite.org";
const char* const MakerMail = "support@orvanel-suite.org";

namespace {

QString Icon(const char* name)
{
    return QString(":/shell/icons/%1.svg").arg(name);
}

TCommand Command(QString id, QString caption, QString hint, QKeySequence shortcut, const char* icon,
                 bool documentOnly)
{
    TCommand c;
    c.Id = std::move(id);
    c.Caption = std::move(caption);
    c.Hint = std::move(hint);
    c.Shortcut = std::move(shortcut);
    c.Icon = Icon(icon);
    c.DocumentOnly = documentOnly;
    return c;
}

TCommand NewEntry(QString id, QString caption, QString hint, const char* icon)
{
    TCommand c = Command(std::move(id), std::move(caption), std::move(hint), {}, icon, false);
    c.CreatesDocument = true;
    return c;
}

std::string HelpFileBesideProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("OrvanelSuite.chm").toStdString();
}

void ShowNotAvailable(const char* what)
{
    Platform().MessageBox("", std::string(what) + " is not available in this version.",
                          TMsgType::Information, TMsgButtons::OK);
}

std::string FirstText(const TXmlDocument& xml, const char* name)
{
    TXmlNode node = xml.Root().FindNode(name);
    return node ? node.ValueAsString() : std::string();
}

// Kelvara until its survey forms exist: the header is read and checked as the forms will
// need it (a missing ship file is reported), but no survey can be shown yet.
class TKelvaraDriver : public TProgramDriver {
public:
    std::unique_ptr<TDocumentForm> CreateNew(TfrmMain&, const QString&, int&) override
    {
        ShowNotAvailable("The survey form");
        return nullptr;
    }

    bool ReadHeader(TfrmMain& main, const TXmlDocument& xml, const std::string&) override
    {
        std::string contents = FirstText(xml, "Contents");
        TXmlNode calc = xml.Root().FindNode("CalcMethod");
        int state = calc ? calc.ValueAsInteger() : 0;
        if (contents != "Kelvara" || state < 1 || state > 4)
            return true; // not a survey: reported as a file that cannot be loaded
        if (state >= 3) {
            TXmlNode db = xml.Root().FindNode("DataBase");
            std::string path = main.Folders().DataFolder + (db ? db.ValueAsString() : std::string());
            if (!FileExists(path)) {
                Platform().MessageBox("Error", "Can't find file: " + path, TMsgType::Error,
                                      TMsgButtons::OK);
                return false;
            }
        }
        ShowNotAvailable("The survey form");
        return false;
    }

    std::unique_ptr<TDocumentForm> CreateForOpen(TfrmMain&, const std::string&, int&) override
    {
        return nullptr;
    }

    void ClearDocumentStatus(TfrmMain& main) override
    {
        main.SetStatusText(1, "");
        main.SetStatusText(2, "");
    }

    void ExecuteCommand(TfrmMain&, const QString& id) override
    {
        if (id == "ShipManager")
            ShowNotAvailable("The ship manager");
        else if (id == "Properties")
            ShowNotAvailable("The survey properties dialog");
    }
};

// Marovin until its route plan window exists.
class TMarovinDriver : public TProgramDriver {
public:
    std::unique_ptr<TDocumentForm> CreateNew(TfrmMain&, const QString&, int&) override
    {
        ShowNotAvailable("The route plan window");
        return nullptr;
    }

    bool ReadHeader(TfrmMain&, const TXmlDocument& xml, const std::string&) override
    {
        if (FirstText(xml, "Contents") != "Marovin")
            return true;
        ShowNotAvailable("The route plan window");
        return false;
    }

    std::unique_ptr<TDocumentForm> CreateForOpen(TfrmMain&, const std::string&, int&) override
    {
        return nullptr;
    }
};

void Kelvara(TProgramDescription& d)
{
    d.MinWidth = 715; d.MinHeight = 600; d.DefaultWidth = 820; d.DefaultHeight = 755;
    d.Extension = "kvx";
    d.Filter = "Kelvara files (*.kvx)|*.kvx|All files (*.*)|*.*";
    d.Contents = "Kelvara";
    TCommand newCommand = Command("New", "New", "New Survey", {}, "new", false);
    newCommand.DropDown = {"NewManual", "NewAuto"};
    d.Commands = {
        newCommand,
        NewEntry("NewManual", "&Manual Survey", "Manual Survey", "newmanual"),
        NewEntry("NewAuto", "&Auto Survey", "Auto Survey", "newauto"),
        Command(cmd::Open, "&Open", "Open", QKeySequence("Ctrl+O"), "open", false),
        Command(cmd::Close, "&Close", "Close", QKeySequence("Ctrl+W"), "close", true),
        Command(cmd::Save, "&Save", "Save", QKeySequence("Ctrl+S"), "save", true),
        Command(cmd::SaveAs, "Save &As...", "Save As", {}, "saveas", true),
        Command(cmd::ExportReport, "&Export Report", "Export Report", QKeySequence("Ctrl+E"), "export", true),
        Command(cmd::PreviewReport, "Preview &Report", "Preview Report", {}, "preview", true),
        Command(cmd::PrintReport, "&Print Report", "Print Report", QKeySequence("Ctrl+P"), "print", true),
        Command(cmd::Exit, "E&xit", "Exit", {}, "exit", false),
        Command(cmd::Calculate, "&Calculate", "Calculate", QKeySequence("F5"), "calculate", true),
        Command("ShipManager", "&Ship Manager", "Ship Manager", QKeySequence("F4"), "shipmanager", false),
        Command("Properties", "&Properties", "Properties", QKeySequence("F6"), "properties", true),
        Command(cmd::HelpContents, "&Contents", "Contents", QKeySequence("F1"), "help", false),
        Command(cmd::WebSite, "&Visit Web Site", "Visit Web Site", {}, "web", false),
        Command(cmd::About, "&About", "About", {}, "about", false),
    };
    d.CommandBar = {"New", "|", "ShipManager", "|", cmd::Open, cmd::Close, "|", cmd::Save, cmd::SaveAs, "|",
                    cmd::ExportReport, cmd::PreviewReport, cmd::PrintReport, "|", cmd::Calculate, "|",
                    "Properties", "|", cmd::HelpContents, cmd::About, "|", cmd::Exit};
    d.Menus = {
        {"&File", {"New", cmd::Open, "|", cmd::Close, "|", cmd::Save, cmd::SaveAs, "|", cmd::ExportReport,
                   cmd::PreviewReport, cmd::PrintReport, "|", cmd::Exit}},
        {"&Ship", {cmd::Calculate, "ShipManager", "Properties"}},
        {"&Help", {cmd::HelpContents, cmd::WebSite, "|", cmd::About}},
    };
    d.HintShowsShortcut = true;
    d.StatusShowsHints = true;
    d.CalculateShowsStatus = false;
    d.Panels = {{400, 0, Qt::AlignLeft | Qt::AlignVCenter, "Ready..."},
                {200, 100, Qt::AlignCenter, ""},
                {100, 50, Qt::AlignCenter, ""}};
    d.Driver = [] { return std::make_unique<TKelvaraDriver>(); };
}

void Marovin(TProgramDescription& d)
{
    d.MinWidth = 600; d.MinHeight = 500; d.DefaultWidth = 820; d.DefaultHeight = 755;
    d.Extension = "mvx";
    d.Filter = "Marovin files (*.mvx)|*.mvx|All files (*.*)|*.*";
    d.Contents = "Marovin";
    d.Commands = {
        NewEntry("NewRoutePlan", "New Route Plan", "New Route Plan", "new"),
        Command(cmd::Open, "Open Route Plan", "Open Route Plan", QKeySequence("Ctrl+O"), "open", false),
        Command(cmd::Close, "Close Route Plan", "Close Route Plan", QKeySequence("Ctrl+W"), "close", true),
        Command(cmd::Save, "Save Route Plan", "Save Route Plan", QKeySequence("Ctrl+S"), "save", true),
        Command(cmd::SaveAs, "Save  Route Plan As...", "Save  Route Plan As", {}, "saveas", true),
        Command(cmd::Calculate, "Calculate", "Calculate", QKeySequence("F5"), "calculate", true),
        Command(cmd::HelpContents, "Help Contents", "Help Contents", QKeySequence("F1"), "help", false),
        Command(cmd::About, "About", "About", {}, "about", false),
        Command(cmd::Exit, "Exit", "Exit", {}, "exit", false),
    };
    d.Commands[0].Shortcut = QKeySequence("Ctrl+N");
    d.CommandBar = {"NewRoutePlan", cmd::Open, "|", cmd::Close, "|", cmd::Save, cmd::SaveAs, "|",
                    cmd::Calculate, "|", cmd::HelpContents, cmd::About, "|", cmd::Exit};
    d.HintShowsShortcut = true;
    d.StatusShowsHints = true;
    d.CalculateShowsStatus = true;
    d.Panels = {{400, 300, Qt::AlignLeft | Qt::AlignVCenter, "Ready..."},
                {100, 100, Qt::AlignLeft | Qt::AlignVCenter, ""}};
    d.HasLibrary = true;
    d.Driver = [] { return std::make_unique<TMarovinDriver>(); };
}

void Tessaly(TProgramDescription& d)
{
    d.MinWidth = 750; d.MinHeight = 600; d.DefaultWidth = 750; d.DefaultHeight = 600;
    d.Extension = "tyx";
    d.Filter = "Tessaly files (*.tyx)|*.tyx|All files (*.*)|*.*";
    d.Contents = "Tessaly";
    TCommand newCommand = Command("New", "New", "New", {}, "new", false);
    newCommand.DropDown = {"NewAdvanced", "NewAlternative"};
    d.Commands = {
        newCommand,
        NewEntry("NewAdvanced", "Advanced Method", "Advanced Method", "newadvanced"),
        NewEntry("NewAlternative", "Alternative Method", "Alternative Method", "newalternative"),
        Command(cmd::Open, "Open", "Open", QKeySequence("Ctrl+O"), "open", false),
        Command(cmd::Close, "Close", "Close", QKeySequence("Ctrl+W"), "close", true),
        Command(cmd::Save, "Save", "Save", QKeySequence("Ctrl+S"), "save", true),
        Command(cmd::SaveAs, "Save As...", "Save As", QKeySequence("Ctrl+Shift+S"), "saveas", true),
        Command(cmd::ExportReport, "Export Report", "Export Report", QKeySequence("Ctrl+E"), "export", true),
        Command(cmd::PreviewReport, "Preview Report", "Preview Report", QKeySequence("Ctrl+Shift+P"), "preview", true),
        Command(cmd::PrintReport, "Print Report", "Print Report", QKeySequence("Ctrl+P"), "print", true),
        Command(cmd::Calculate, "Calculate", "Calculate", QKeySequence("F5"), "calculate", true),
        Command(cmd::HelpContents, "Help Contents", "Help Contents", QKeySequence("F1"), "help", false),
        Command(cmd::About, "About", "About", {}, "about", false),
        Command(cmd::Exit, "Exit", "Exit", {}, "exit", false),
    };
    d.CommandBar = {"New", "|", cmd::Open, "|", cmd::Close, "|", cmd::Save, cmd::SaveAs, "|", cmd::ExportReport,
                    cmd::PreviewReport, cmd::PrintReport, "|", cmd::Calculate, "|", cmd::HelpContents,
                    cmd::About, "|", cmd::Exit};
    d.HintShowsShortcut = false;
    d.StatusShowsHints = false;
    d.CalculateShowsStatus = true;
    d.Panels = {{500, 300, Qt::AlignLeft | Qt::AlignVCenter, "Ready..."},
                {100, 0, Qt::AlignLeft | Qt::AlignVCenter, ""}};
}

} // namespace

TProgramDescription DescriptionOf(TProgram program)
{
    TProgramDescription d;
    d.Program = program;
    d.Name = ProgramName(program);
    d.HelpFile = HelpFileBesideProgram();
    switch (program) {
    case TProgram::Kelvara: Kelvara(d); break;
    case TProgram::Marovin: Marovin(d); break;
    case TProgram::Tessaly: Tessaly(d); break;
    }
    return d;
}

} // namespace shell
