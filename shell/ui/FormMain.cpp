#include "FormMain.h"

#include "Utils.h"
#include "VistaFuncs.h"
#include "shell/core/Error.h"
#include "shell/core/IniFile.h"
#include "shell/platform/SpecialFolders.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>

namespace shell {

TProgramDescription DescriptionOf(TProgram program)
{
    TProgramDescription d;
    d.Program = program;
    d.Name = ProgramName(program);
    switch (program) {
    case TProgram::Kelvara:
        d.MinWidth = 715; d.MinHeight = 600; d.DefaultWidth = 820; d.DefaultHeight = 755;
        break;
    case TProgram::Marovin:
        d.MinWidth = 600; d.MinHeight = 500; d.DefaultWidth = 820; d.DefaultHeight = 755;
        break;
    case TProgram::Tessaly:
        d.MinWidth = 750; d.MinHeight = 600; d.DefaultWidth = 750; d.DefaultHeight = 600;
        break;
    }
    return d;
}

TfrmMain::TfrmMain(const TProgramDescription& description, QWidget* parent)
    : QMainWindow(parent), description_(description)
{
    setObjectName("frmMain");
    QFont f;
    ApplySystemFont(f);
    setFont(f);
    setMinimumSize(description_.MinWidth, description_.MinHeight);
    setWindowTitle(description_.Name);

    pnlMain = new QWidget(this);
    pnlMain->setObjectName("pnlMain");
    pnlMain->setBackgroundRole(QPalette::Dark);
    pnlMain->setAutoFillBackground(true);
    setCentralWidget(pnlMain);

    statusPanel0 = new QLabel("Ready...", this);
    statusPanel0->setObjectName("StatusPanel0");
    statusPanel0->setMinimumWidth(300);
    statusBar()->addWidget(statusPanel0, 0);

    PrepareFolders();
    LoadSettings();
}

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
}

void TfrmMain::SaveSettings()
{
    TIniFile ini(folders_.IniFileName);
    QRect frame = frameGeometry();
    ini.WriteInteger("MainForm", "Top", frame.top());
    ini.WriteInteger("MainForm", "Left", frame.left());
    ini.WriteInteger("MainForm", "Height", height());
    ini.WriteInteger("MainForm", "Width", width());
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
    // The settings are written at every close request, whatever happens next; a file
    // that cannot be written keeps the window open and says why.
    try {
        SaveSettings();
    } catch (const Error& e) {
        ShowApplicationError(e.what());
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace shell
