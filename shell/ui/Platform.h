#pragma once
// The one door through which forms reach the desktop: message boxes, file dialogs and
// the shell's "open". The Qt implementation serves the programs; the scripted one serves
// the tests, which queue the user's answers and read back what was shown.

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace shell {

enum class TMsgType { Plain, Error, Information, Confirmation, Warning };
enum class TMsgButtons { OK, YesNo, YesNoCancel, OKCancel };
enum class TMsgResult { None, OK, Cancel, Yes, No };

struct TFileDialogOptions {
    std::string Title;         // "Open", "Save"
    std::string DefaultExt;    // without its dot: "kvx"
    std::string Filter;        // "Kelvara files (*.kvx)|*.kvx|All files (*.*)|*.*"
    std::string InitialDir;
    std::string FileName;      // proposed name (Save)
};

class IPlatform {
public:
    virtual ~IPlatform() = default;
    // Shows a modal message box; caption empty means the application's title.
    virtual TMsgResult MessageBox(const std::string& caption, const std::string& text,
                                  TMsgType type, TMsgButtons buttons) = 0;
    // Modal file dialogs; false when cancelled.
    virtual bool OpenFileDialog(const TFileDialogOptions& options, std::string& fileName) = 0;
    virtual bool SaveFileDialog(const TFileDialogOptions& options, std::string& fileName) = 0;
    // Opens a file or address with its associated program; false on failure, with the
    // system's error code and its description.
    virtual bool ShellOpen(const std::string& target, int& code, std::string& reason) = 0;
};

// The platform in use; the Qt implementation unless a test installed another.
IPlatform& Platform();
void SetPlatform(IPlatform* platform); // nullptr restores the Qt implementation

// Filter in "Caption|pattern|Caption|pattern" form turned into Qt's ";;" form.
std::string QtFilter(const std::string& filter);

// Message text as shown on screen: "\n\r" and "\r\n" become one line break.
std::string DisplayText(const std::string& text);

class TQtPlatform : public IPlatform {
public:
    TMsgResult MessageBox(const std::string& caption, const std::string& text, TMsgType type,
                          TMsgButtons buttons) override;
    bool OpenFileDialog(const TFileDialogOptions& options, std::string& fileName) override;
    bool SaveFileDialog(const TFileDialogOptions& options, std::string& fileName) override;
    bool ShellOpen(const std::string& target, int& code, std::string& reason) override;
};

// Scripted platform for tests: answers come from queues, everything shown is recorded.
class TScriptedPlatform : public IPlatform {
public:
    struct TShown {
        std::string Caption;
        std::string Text;
        TMsgType Type;
        TMsgButtons Buttons;
    };

    std::deque<TMsgResult> Answers;           // next message box answers; OK/None when empty
    std::deque<std::string> FileAnswers;      // next file dialog results; "" means cancel
    std::vector<TShown> Messages;             // every message box shown
    std::vector<TFileDialogOptions> Dialogs;  // every file dialog shown
    std::vector<std::string> Opened;          // every ShellOpen target
    bool ShellOpenFails = false;

    TMsgResult MessageBox(const std::string& caption, const std::string& text, TMsgType type,
                          TMsgButtons buttons) override;
    bool OpenFileDialog(const TFileDialogOptions& options, std::string& fileName) override;
    bool SaveFileDialog(const TFileDialogOptions& options, std::string& fileName) override;
    bool ShellOpen(const std::string& target, int& code, std::string& reason) override;
};

} // namespace shell
