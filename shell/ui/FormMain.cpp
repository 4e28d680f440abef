#include "FormMain.h"

#include "FormAbout.h"
#include "Platform.h"
#include "Utils.h"
#include "VistaFuncs.h"
#include "shell/core/Error.h"
#include "shell/core/IniFile.h"
#include "shell/core/Utils.h"
#include "shell/core/Xml.h"
#include "shell/platform/UserFolders.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <exception>

// Resources of a static library are registered by name from the global namespace.
static void InitShellResources()
{
    Q_INIT_RESOURCE(shell_icons);
}

namespace shell {

namespace {

TfrmMain* g_instance = nullptr;

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// A status bar panel of a given width that may shrink to its minimum.
class TStatusPanelLabel : public QLabel {
public:
    TStatusPanelLabel(const TStatusPanel& p, QWidget* parent) : QLabel(p.Text, parent), width_(p.Width)
    {
        setAlignment(p.Alignment);
        setMinimumWidth(p.MinWidth);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override { return {width_, QLabel::sizeHint().height()}; }

private:
    int width_;
};

} // namespace

bool TProgramDriver::ReadHeader(TfrmMain&, const TXmlDocument&, const std::string&)
{
    return true;
}

void TProgramDriver::ShowDocumentStatus(TfrmMain&) {}
void TProgramDriver::ClearDocumentStatus(TfrmMain&) {}
void TProgramDriver::ExecuteCommand(TfrmMain&, const QString&) {}

TfrmMain* TfrmMain::Instance()
{
    return g_instance;
}

TfrmMain::TfrmMain(const TProgramDescription& description, QWidget* parent)
    : QMainWindow(parent), description_(description)
{
    InitShellResources();
    g_instance = this;
    setObjectName("frmMain");
    QFont f;
    ApplySystemFont(f);
    setFont(f);
    setMinimumSize(description_.MinWidth, description_.MinHeight);
    setWindowTitle(description_.Name);
    setWindowIcon(QIcon(":/shell/icons/" + description_.Name.toLower() + ".svg"));
    if (description_.Driver)
        driver_ = description_.Driver();

    // The client area: pnlMain on the application-workspace colour, with the document
    // form stacked in front of it while a document is open.
    clientHost_ = new QWidget(this);
    clientHost_->setObjectName("clientHost");
    clientStack_ = new QStackedLayout(clientHost_);
    clientStack_->setContentsMargins(0, 0, 0, 0);
    pnlMain = new QWidget(clientHost_);
    pnlMain->setObjectName("pnlMain");
    pnlMain->setBackgroundRole(QPalette::Dark);
    pnlMain->setAutoFillBackground(true);
    clientStack_->addWidget(pnlMain);
    setCentralWidget(clientHost_);

    BuildCommands();
    BuildStatusBar();

    PrepareFolders();
    LoadSettings();

    // No document yet: the document commands are hidden and the document panels empty.
    ShowDocumentCommands(false);
    if (description_.HasLibrary)
        SetStatusBar();
    else if (driver_)
        driver_->ClearDocumentStatus(*this);
}

TfrmMain::~TfrmMain()
{
    if (g_instance == this)
        g_instance = nullptr;
}

// ---------------------------------------------------------------------------------------
// Commands

void TfrmMain::BuildCommands()
{
    for (const TCommand& c : description_.Commands) {
        auto* a = new QAction(QIcon(c.Icon), c.Caption, this);
        a->setObjectName("act" + c.Id);
        QString hint = c.Hint;
        if (description_.HintShowsShortcut && !c.Shortcut.isEmpty())
            hint += " (" + c.Shortcut.toString(QKeySequence::NativeText) + ")";
        a->setToolTip(hint);
        if (description_.StatusShowsHints)
            a->setStatusTip(hint);
        a->setShortcut(c.Shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setIconVisibleInMenu(true);
        a->setData(c.Id);
        actions_[c.Id] = a;
        addAction(a); // shortcuts work even for commands only in the bar
        if (c.DropDown.isEmpty()) {
            const QString id = c.Id;
            connect(a, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        }
    }
    for (const TCommand& c : description_.Commands) {
        if (c.DropDown.isEmpty())
            continue;
        auto* menu = new QMenu(this);
        menu->setObjectName("mnu" + c.Id);
        for (const QString& id : c.DropDown)
            menu->addAction(actions_.at(id));
        actions_[c.Id]->setMenu(menu);
    }

    commandBar_ = new QToolBar(this);
    commandBar_->setObjectName("CommandBar");
    commandBar_->setWindowTitle("Commands");
    commandBar_->setIconSize(QSize(24, 24));
    commandBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    commandBar_->setMovable(false);
    commandBar_->setFloatable(false);
    commandBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, commandBar_);
    for (const QString& id : description_.CommandBar) {
        if (id == "|") {
            commandBar_->addSeparator();
            continue;
        }
        QAction* a = actions_.at(id);
        commandBar_->addAction(a);
        if (a->menu()) {
            if (auto* button = qobject_cast<QToolButton*>(commandBar_->widgetForAction(a))) {
                button->setPopupMode(QToolButton::InstantPopup);
                button->setObjectName("btn" + id);
            }
        }
    }

    for (const TMenuDescription& m : description_.Menus) {
        QMenu* menu = menuBar()->addMenu(m.Caption);
        for (const QString& id : m.Items) {
            if (id == "|")
                menu->addSeparator();
            else
                menu->addAction(actions_.at(id));
        }
    }
    if (description_.Menus.empty())
        menuBar()->hide();

    // The help command stays visible but greyed when the help file is not beside the program.
    if (auto it = actions_.find(cmd::HelpContents); it != actions_.end())
        it->second->setEnabled(FileExists(description_.HelpFile));
}

QAction* TfrmMain::Action(const QString& id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void TfrmMain::ExecuteCommand(const QString& id)
{
    QAction* a = Action(id);
    // A hidden or greyed command does nothing, whichever way it is reached.
    if (!a || !a->isVisible() || !a->isEnabled())
        return;
    RunGuarded([this, id] { Dispatch(id); });
}

void TfrmMain::RunGuarded(const std::function<void()>& command)
{
    // Errors a command does not catch itself reach the application-wide error display;
    // the program goes on in the state it had reached.
    try {
        command();
    } catch (const std::exception& e) {
        ShowApplicationError(e.what());
    }
}

void TfrmMain::Dispatch(const QString& id)
{
    const TCommand* command = nullptr;
    for (const TCommand& c : description_.Commands)
        if (c.Id == id)
            command = &c;
    if (command && command->CreatesDocument)
        NewDocument(id);
    else if (id == cmd::Open)
        OpenDocument();
    else if (id == cmd::Close)
        CloseDocument();
    else if (id == cmd::Save)
        SaveDocument(false);
    else if (id == cmd::SaveAs)
        SaveDocument(true);
    else if (id == cmd::ExportReport && frmBase_)
        frmBase_->ExportAsText();
    else if (id == cmd::PreviewReport && frmBase_)
        frmBase_->PreviewReport();
    else if (id == cmd::PrintReport && frmBase_)
        frmBase_->PrintReport();
    else if (id == cmd::Calculate)
        Calculate();
    else if (id == cmd::HelpContents)
        HelpContents();
    else if (id == cmd::WebSite)
        ShellOpen(MakerWebSite);
    else if (id == cmd::About)
        ShowAbout();
    else if (id == cmd::Exit)
        close();
    else if (driver_)
        driver_->ExecuteCommand(*this, id);
}

void TfrmMain::ShowDocumentCommands(bool show)
{
    for (const TCommand& c : description_.Commands)
        if (c.DocumentOnly)
            actions_.at(c.Id)->setVisible(show);
    UpdateSeparators();
}

// A separator shows only between two visible commands, so hiding a whole group of
// commands takes its separator with it.
void TfrmMain::UpdateSeparators()
{
    auto update = [](const QList<QAction*>& list) {
        QAction* pending = nullptr;
        bool seenVisible = false;
        for (QAction* a : list) {
            if (a->isSeparator()) {
                a->setVisible(false);
                if (seenVisible)
                    pending = a;
            } else if (a->isVisible()) {
                if (pending)
                    pending->setVisible(true);
                pending = nullptr;
                seenVisible = true;
            }
        }
    };
    update(commandBar_->actions());
    for (QAction* m : menuBar()->actions())
        if (m->menu())
            update(m->menu()->actions());
}

// ---------------------------------------------------------------------------------------
// Status bar

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    for (size_t i = 0; i < description_.Panels.size(); ++i) {
        auto* label = new TStatusPanelLabel(description_.Panels[i], bar);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        // The first panel takes what the others leave; the rest keep their widths.
        bar->addWidget(label, i == 0 ? 1 : 0);
        panels_.push_back(label);
    }
    panel0Text_ = panels_.empty() ? QString() : panels_[0]->text();
}

void TfrmMain::SetStatusText(int panel, const QString& text)
{
    if (panel < 0 || panel >= static_cast<int>(panels_.size()))
        return;
    if (panel == 0)
        panel0Text_ = text;
    panels_[panel]->setText(text);
    if (panel == 0)
        panels_[0]->repaint(); // "Calculating..." must show before the calculation runs
}

QString TfrmMain::StatusText(int panel) const
{
    if (panel < 0 || panel >= static_cast<int>(panels_.size()))
        return {};
    return panels_[panel]->text();
}

bool TfrmMain::event(QEvent* event)
{
    // Kelvara and Marovin show the hint of the command under the mouse in panel 0;
    // when the pointer leaves, the panel's own text returns.
    if (event->type() == QEvent::StatusTip) {
        if (description_.StatusShowsHints && !panels_.empty()) {
            QString tip = static_cast<QStatusTipEvent*>(event)->tip();
            panels_[0]->setText(tip.isEmpty() ? panel0Text_ : tip);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::SetStatusBar()
{
    SetStatusText(1, "Waypoints Library: " + Q(ExtractFileName(LibraryFileName)));
}

// ---------------------------------------------------------------------------------------
// Folders and settings

void TfrmMain::PrepareFolders()
{
    folders_ = shell::PrepareFolders(description_.Program,
                                     [] { return GetSpecialFolderPath(CSIDL_PERSONAL); });
}

void TfrmMain::LoadSettings()
{
    TIniFile ini(folders_.IniFileName);
    int top = ini.ReadInteger("MainForm", "Top", -1);
    int left = ini.ReadInteger("MainForm", "Left", -1);
    int height = ini.ReadInteger("MainForm", "Height", description_.DefaultHeight);
    int width = ini.ReadInteger("MainForm", "Width", description_.DefaultWidth);
    move(left, top);
    resize(width, height);
    if (description_.HasLibrary)
        LibraryFileName = folders_.WaypointsFolder + ini.ReadString("Database", "DataBase", "default.xml");
}

void TfrmMain::SaveSettings()
{
    TIniFile ini(folders_.IniFileName);
    // A maximised window stores its maximised size; the next start shows a normal
    // window of that size, centred.
    QRect frame = frameGeometry();
    ini.WriteInteger("MainForm", "Top", frame.top());
    ini.WriteInteger("MainForm", "Left", frame.left());
    ini.WriteInteger("MainForm", "Height", height());
    ini.WriteInteger("MainForm", "Width", width());
    if (description_.HasLibrary)
        ini.WriteString("Database", "DataBase", ExtractFileName(LibraryFileName));
}

void TfrmMain::CentreOnWorkArea()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    QRect desktop = screen->virtualGeometry();
    int x = area.left() + (area.width() - frameGeometry().width()) / 2;
    int y = area.top() + (area.height() - frameGeometry().height()) / 2;
    move(std::max(x, desktop.left()), std::max(y, desktop.top()));
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnWorkArea();
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    RunGuarded([&] { mayClose = CheckSave(); });
    // The settings are written at every close request, whatever the answer; a file that
    // cannot be written keeps the window open and says why.
    try {
        SaveSettings();
    } catch (const std::exception& e) {
        ShowApplicationError(e.what());
        mayClose = false;
    }
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------------------
// Document lifecycle

void TfrmMain::SetDirty(bool drt)
{
    isDirty_ = drt;
    UpdateCaption();
}

void TfrmMain::SetFileName(const std::string& name)
{
    currentFileName_ = name;
    UpdateCaption();
}

std::string TfrmMain::UntitledName() const
{
    return "Untitled." + description_.Extension;
}

void TfrmMain::UpdateCaption()
{
    if (!frmBase_) {
        setWindowTitle(description_.Name);
        return;
    }
    std::string name = currentFileName_.empty() ? UntitledName() : ExtractFileName(currentFileName_);
    setWindowTitle(description_.Name + " - " + Q(name) + (isDirty_ ? "*" : ""));
}

bool TfrmMain::CheckSave()
{
    if (!isDirty_)
        return true;
    TMsgResult answer = Platform().MessageBox(
        "", "Current document has been changed.\n\rDo you want to save these changes?",
        TMsgType::Confirmation, TMsgButtons::YesNoCancel);
    switch (answer) {
    case TMsgResult::Yes: return SaveDocument(false);
    case TMsgResult::No: return true;
    default: return false; // Cancel, or the box closed without an answer
    }
}

// Frees the document form and returns to "no document" without asking anything.
void TfrmMain::DropDocument()
{
    currentKind_ = 0;
    ShowDocumentCommands(false);
    clientStack_->setCurrentWidget(pnlMain);
    if (frmBase_) {
        TDocumentForm* form = frmBase_;
        frmBase_ = nullptr;
        clientStack_->removeWidget(form);
        delete form;
    }
}

bool TfrmMain::CloseDocument()
{
    if (!CheckSave())
        return false;
    DropDocument();
    if (driver_)
        driver_->ClearDocumentStatus(*this);
    SetDirty(false);
    SetFileName("");
    return true;
}

void TfrmMain::ShowFormMissing()
{
    Platform().MessageBox("", "This document form is not available in this version.",
                          TMsgType::Information, TMsgButtons::OK);
}

void TfrmMain::NewDocument(const QString& commandId)
{
    if (!CloseDocument())
        return;
    if (!driver_) {
        ShowFormMissing();
        return;
    }
    int kind = 0;
    std::unique_ptr<TDocumentForm> form = driver_->CreateNew(*this, commandId, kind);
    if (!form)
        return;
    frmBase_ = form.release();
    currentKind_ = kind;
    ShowDocumentCommands(true);
    driver_->ShowDocumentStatus(*this);
    SetDirty(false);
    SetFileName("");
    frmBase_->Execute(clientHost_);
}

void TfrmMain::OpenDocument()
{
    if (!CloseDocument())
        return;

    TFileDialogOptions options;
    options.Title = "Open";
    options.DefaultExt = description_.Extension;
    options.Filter = description_.Filter;
    options.InitialDir = folders_.ArchiveFolder;
    std::string fileName;
    if (!Platform().OpenFileDialog(options, fileName))
        return;

    // Unreadable files and XML the reader rejects end here with the reader's message.
    TXmlDocument xml;
    xml.LoadFromFile(fileName);
    if (xml.IsEmpty())
        throw Error("Unable to load the file: " + fileName);
    if (!driver_) {
        ShowFormMissing();
        return;
    }
    if (!driver_->ReadHeader(*this, xml, fileName))
        return;

    std::unique_ptr<TDocumentForm> form;
    int kind = 0;
    try {
        form = driver_->CreateForOpen(*this, fileName, kind);
    } catch (const std::exception&) {
        form.reset();
    }
    if (!form) {
        // A file of another program or kind, or one the form could not read: the
        // half-built form is never shown.
        Platform().MessageBox("Error", "Can't load file: " + fileName, TMsgType::Error,
                              TMsgButtons::OK);
        DropDocument();
        if (description_.HasLibrary)
            SetStatusBar();
        else
            driver_->ClearDocumentStatus(*this);
        SetFileName("");
        return;
    }
    frmBase_ = form.release();
    currentKind_ = kind;
    driver_->ShowDocumentStatus(*this);
    frmBase_->Execute(clientHost_);

    ShowDocumentCommands(true);
    if (description_.CalculateShowsStatus)
        SetStatusText(0, "Calculating...");
    frmBase_->CalculateAll();
    if (description_.CalculateShowsStatus)
        SetStatusText(0, "Ready...");
    SetDirty(false);
    SetFileName(fileName);
}

bool TfrmMain::SaveDocument(bool asNew)
{
    if (!frmBase_)
        return false;
    std::string name = currentFileName_;
    if (asNew || name.empty()) {
        TFileDialogOptions options;
        options.Title = "Save";
        options.DefaultExt = description_.Extension;
        options.Filter = description_.Filter;
        options.InitialDir = folders_.ArchiveFolder;
        options.FileName = name.empty() ? UntitledName() : ExtractFileName(name);
        if (!Platform().SaveFileDialog(options, name))
            return false;
    }
    try {
        frmBase_->SaveVoyage(name);
    } catch (const std::exception&) {
        Platform().MessageBox("", "Can't save file: " + name, TMsgType::Plain, TMsgButtons::OK);
        return false;
    }
    SetFileName(name);
    SetDirty(false);
    return true;
}

bool TfrmMain::SaveLibrary(TSaveType sType)
{
    auto* form = dynamic_cast<TMarovinDocument*>(frmBase_);
    if (!form)
        return false;
    std::string name = LibraryFileName;
    if (sType == TSaveType::stSaveAs || name.empty()) {
        TFileDialogOptions options;
        options.Title = "Save";
        options.DefaultExt = "xml";
        options.Filter = "Library files (*.xml)|*.xml|All files (*.*)|*.*";
        options.InitialDir = folders_.WaypointsFolder;
        options.FileName = name.empty() ? "Untitled.xml" : ExtractFileName(name);
        if (!Platform().SaveFileDialog(options, name))
            return false;
    }
    try {
        form->SaveLibrary(name);
    } catch (const std::exception&) {
        Platform().MessageBox("", "Can't save file: " + name, TMsgType::Plain, TMsgButtons::OK);
        return false;
    }
    LibraryFileName = name;
    SetStatusBar();
    return true;
}

void TfrmMain::Calculate()
{
    if (!frmBase_)
        return;
    if (!description_.CalculateShowsStatus) {
        frmBase_->CalculateAll(); // Kelvara's form marks itself changed when it calculates
        return;
    }
    SetStatusText(0, "Calculating...");
    frmBase_->CalculateAll();
    SetStatusText(0, "Ready...");
    SetDirty(true);
}

void TfrmMain::HelpContents()
{
    ShellOpen(description_.HelpFile);
}

void TfrmMain::ShowAbout()
{
    TfrmAbout about(description_.Name, this);
    about.exec();
}

} // namespace shell
