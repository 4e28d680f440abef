#pragma once
// The main window shared by the three programs, configured by a program description.

#include "shell/core/Folders.h"

#include <QMainWindow>
#include <QString>

class QLabel;
class QWidget;

namespace shell {

struct TProgramDescription {
    TProgram Program = TProgram::Tessaly;
    QString Name;                 // "Kelvara"
    int MinWidth = 750;
    int MinHeight = 600;
    int DefaultWidth = 750;
    int DefaultHeight = 600;
};

TProgramDescription DescriptionOf(TProgram program);

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(const TProgramDescription& description, QWidget* parent = nullptr);

    const TFolders& Folders() const { return folders_; }
    const TProgramDescription& Description() const { return description_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PrepareFolders();
    void LoadSettings();
    void SaveSettings();
    void CentreOnWorkArea();

    TProgramDescription description_;
    TFolders folders_;
    QWidget* pnlMain = nullptr;
    QLabel* statusPanel0 = nullptr;
    bool centred_ = false;
};

} // namespace shell
