#pragma once
// The About box: logo, program name and version, the maker's web site and mail links,
// the legal notice and the rights line.

#include <QDialog>

class QLabel;

namespace shell {

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(const QString& programName, QWidget* parent);

private:
    void LinkActivated(const QString& link);
};

} // namespace shell
