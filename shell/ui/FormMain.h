#pragma once
// The main window shared by the three programs. It owns the document lifecycle (New,
// Open, Save, Save As, Close, the unsaved-changes question, the changed flag and the
// caption) and is configured by a program description: name, document extension,
// window sizes, command table, status panels, and a driver that builds the program's
// document forms.

#include "DocumentForm.h"
#include "shell/core/Folders.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStackedLayout;
class QToolBar;
class QToolButton;

namespace shell {

class TXmlDocument;
class TfrmMain;

// Command identifiers the main window handles itself; a program's own commands (Kelvara's
// ship manager and properties) go to its driver.
namespace cmd {
inline const QString Open = "Open";
inline const QString Close = "Close";
inline const QString Save = "Save";
inline const QString SaveAs = "SaveAs";
inline const QString ExportReport = "ExportReport";
inline const QString PreviewReport = "PreviewReport";
inline const QString PrintReport = "PrintReport";
inline const QString Calculate = "Calculate";
inline const QString HelpContents = "HelpContents";
inline const QString WebSite = "WebSite";
inline const QString About = "About";
inline const QString Exit = "Exit";
} // namespace cmd

struct TCommand {
    QString Id;
    QString Caption;          // "&Open"; shown in menus and drop-downs
    QString Hint;             // "Open"; tool tip (with the shortcut where the program adds it)
    QKeySequence Shortcut;
    QString Icon;             // resource path of the 24 by 24 icon
    bool DocumentOnly = false; // hidden, not greyed, while no document is open
    bool CreatesDocument = false; // a "New" entry: handed to the driver's CreateNew
    QStringList DropDown;     // ids offered by a drop-down button ("New")
};

struct TMenuDescription {
    QString Caption;          // "&File"
    QStringList Items;        // command ids; "|" is a separator
};

struct TStatusPanel {
    int Width = 100;
    int MinWidth = 0;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString Text;
};

// What one program's main window does differently: the forms it builds, the header it
// reads when opening, its status panels and its own commands.
class TProgramDriver {
public:
    virtual ~TProgramDriver() = default;

    // New: builds and sets up the form for the "New" command chosen (a program may first
    // show its own dialog). kind receives the document kind (Tessaly's method, Kelvara's
    // survey state). nullptr when the user cancelled or nothing can be created.
    virtual std::unique_ptr<TDocumentForm> CreateNew(TfrmMain& main, const QString& commandId,
                                                     int& kind) = 0;

    // Open, reading the header: may show its own message and return false to end the
    // command. Errors thrown here reach the application-wide error display.
    virtual bool ReadHeader(TfrmMain& main, const TXmlDocument& xml, const std::string& fileName);

    // Open, creating and filling the form (OpenVoyage included) from a file whose header
    // was read; nullptr when the file is not a document this program knows. Errors thrown
    // here are reported as "Can't load file: ".
    virtual std::unique_ptr<TDocumentForm> CreateForOpen(TfrmMain& main,
                                                         const std::string& fileName,
                                                         int& kind) = 0;

    // Status panels of an open document (after New and Open) and of no document (after
    // Close and a failed Open).
    virtual void ShowDocumentStatus(TfrmMain& main);
    virtual void ClearDocumentStatus(TfrmMain& main);

    // Commands of the program's own (ship manager, properties).
    virtual void ExecuteCommand(TfrmMain& main, const QString& commandId);
};

struct TProgramDescription {
    TProgram Program = TProgram::Tessaly;
    QString Name;                 // "Kelvara"
    int MinWidth = 750;
    int MinHeight = 600;
    int DefaultWidth = 750;
    int DefaultHeight = 600;

    std::string Extension;        // "tyx", without its dot
    std::string Filter;           // "Tessaly files (*.tyx)|*.tyx|All files (*.*)|*.*"
    std::string Contents;         // the header's Contents word: "Tessaly"

    std::vector<TCommand> Commands;
    QStringList CommandBar;       // ids in bar order; "|" is a separator
    std::vector<TMenuDescription> Menus; // Kelvara's menu bar; empty for the others
    bool HintShowsShortcut = false;   // "Open (Ctrl+O)"
    bool StatusShowsHints = false;    // panel 0 follows the hint under the mouse
    bool CalculateShowsStatus = true; // "Calculating..." around Calculate, then changed
    std::vector<TStatusPanel> Panels;

    bool HasLibrary = false;      // Marovin's waypoint library in the settings and panel 1

    // Help file beside the program; its absence greys the help command.
    std::string HelpFile;

    // The program's form builder; without one, New and Open say the form is missing.
    std::function<std::unique_ptr<TProgramDriver>()> Driver;
};

// The maker's addresses, opened by the About box and Kelvara's web command.
extern const char* const MakerWebSite;
extern const char* const MakerMail;

TProgramDescription DescriptionOf(TProgram program);

enum class TSaveType { stSave, stSaveAs };

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(const TProgramDescription& description, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The one main window of the process; document forms call back through it.
    static TfrmMain* Instance();

    const TFolders& Folders() const { return folders_; }
    const TProgramDescription& Description() const { return description_; }

    // Marks the open document changed (or clean) and rebuilds the caption.
    void SetDirty(bool drt);
    bool IsDirty() const { return isDirty_; }
    const std::string& CurrentFileName() const { return currentFileName_; }
    TDocumentForm* frmBase() const { return frmBase_; }
    // Kind of the open document: Tessaly's CurrentMethod (1 advanced, 2 alternative),
    // Kelvara's CurrentState, Marovin's IsDocumentOpen as 1; 0 without a document.
    int CurrentKind() const { return currentKind_; }

    // Runs a command by id exactly as its button or menu item does.
    void ExecuteCommand(const QString& id);
    QAction* Action(const QString& id) const;

    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;

    // Marovin: the current waypoint library.
    std::string LibraryFileName;
    void SetStatusBar();
    bool SaveLibrary(TSaveType sType);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildCommands();
    void BuildStatusBar();
    void PrepareFolders();
    void LoadSettings();
    void SaveSettings();
    void CentreOnWorkArea();

    void RunGuarded(const std::function<void()>& command);
    void Dispatch(const QString& id);

    bool CheckSave();
    bool CloseDocument();
    void NewDocument(const QString& commandId);
    void OpenDocument();
    bool SaveDocument(bool asNew);
    void Calculate();
    void HelpContents();
    void ShowAbout();

    void DropDocument();
    void SetFileName(const std::string& name);
    void UpdateCaption();
    void ShowDocumentCommands(bool show);
    void UpdateSeparators();
    std::string UntitledName() const;
    void ShowFormMissing();

    TProgramDescription description_;
    std::unique_ptr<TProgramDriver> driver_;
    TFolders folders_;

    TDocumentForm* frmBase_ = nullptr;
    int currentKind_ = 0;
    bool isDirty_ = false;
    std::string currentFileName_;

    QWidget* clientHost_ = nullptr;
    QStackedLayout* clientStack_ = nullptr;
    QWidget* pnlMain = nullptr;
    QToolBar* commandBar_ = nullptr;
    std::map<QString, QAction*> actions_;
    std::vector<QLabel*> panels_;
    QString panel0Text_;
    bool showingHint_ = false;
    bool centred_ = false;
};

} // namespace shell
