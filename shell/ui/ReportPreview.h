#pragma once
// The report preview: a modal window over the prepared pages, not editable, with print,
// export (plain text, PDF), quick export (PDF), zoom, page setup and page navigation.
// Opens at zoom 1.0 (the paper's real size on screen).

#include "shell/core/ReportEngine.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolBar;

namespace shell {

class TReportPagesView;

class TfrmReportPreview : public QDialog {
    Q_OBJECT
public:
    // `prepare` lays the report out again for a new paper (page setup).
    using TPrepare = std::function<TPreparedReport(const TReportPageSetup&)>;

    TfrmReportPreview(TPreparedReport report, TPrepare prepare, bool quickExport, QWidget* parent = nullptr);
    ~TfrmReportPreview() override;

    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    int CurrentPage() const;      // 1-based
    void GoToPage(int page);      // 1-based, clamped
    const TPreparedReport& Report() const { return report_; }

    // The commands of the toolbar, public so that tests and the keyboard reach them.
    void PrintCommand();
    void ExportTextCommand();
    void ExportPdfCommand();
    void PageSetupCommand();

private:
    void UpdateNavigation();
    void ZoomFromCombo();
    void Relayout();

    TPreparedReport report_;
    TPrepare prepare_;
    TReportPageSetup setup_;
    std::unique_ptr<QPrinter> printer_;
    double zoom_ = 1.0;
    QToolBar* toolBar_ = nullptr;
    QComboBox* cmbZoom_ = nullptr;
    QSpinBox* spnPage_ = nullptr;
    QLabel* lblPages_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TReportPagesView* view_ = nullptr;
};

} // namespace shell
