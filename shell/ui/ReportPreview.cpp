#include "ReportPreview.h"

#include "Platform.h"
#include "ReportOutput.h"
#include "ReportRender.h"

#include "shell/core/Error.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace shell {

namespace {
constexpr int kGap = 12; // pixels around and between pages
}

// The pages one under another on a grey desk, drawn at the preview's zoom.
class TReportPagesView : public QWidget {
public:
    explicit TReportPagesView(TfrmReportPreview* owner) : QWidget(nullptr), owner_(owner)
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        setPalette(pal);
    }

    double PxPerMm() const { return logicalDpiX() / 25.4 * owner_->Zoom(); }
    int PageWidthPx() const { return static_cast<int>(std::lround(owner_->Report().PageWidth * PxPerMm())); }
    int PageHeightPx() const { return static_cast<int>(std::lround(owner_->Report().PageHeight * PxPerMm())); }
    int PageTop(int index) const { return kGap + index * (PageHeightPx() + kGap); }

    void UpdateSize()
    {
        int pages = static_cast<int>(owner_->Report().Pages.size());
        resize(PageWidthPx() + 2 * kGap, kGap + pages * (PageHeightPx() + kGap));
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const auto& report = owner_->Report();
        int x = std::max(kGap, (width() - PageWidthPx()) / 2);
        for (int p = 0; p < static_cast<int>(report.Pages.size()); ++p) {
            QRect page(x, PageTop(p), PageWidthPx(), PageHeightPx());
            if (!page.intersects(event->rect()))
                continue;
            painter.fillRect(page.translated(3, 3), QColor(90, 90, 90));
            painter.fillRect(page, Qt::white);
            painter.save();
            painter.translate(page.topLeft());
            painter.setClipRect(QRect(QPoint(0, 0), page.size()));
            RenderReportPage(painter, report, p, PxPerMm());
            painter.restore();
        }
    }

private:
    TfrmReportPreview* owner_;
};

TfrmReportPreview::TfrmReportPreview(TPreparedReport report, TPrepare prepare, bool quickExport, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), prepare_(std::move(prepare))
{
    setObjectName("frmReportPreview");
    setWindowTitle(report_.Title.empty() ? QStringLiteral("Preview") : QString::fromStdString(report_.Title) + " - Preview");
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setModal(true);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("tbPreview");
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    QAction* actPrint = toolBar_->addAction("&Print...", this, &TfrmReportPreview::PrintCommand);
    actPrint->setObjectName("actPrint");
    actPrint->setShortcut(QKeySequence::Print);

    auto* exportMenu = new QMenu(this);
    QAction* actText = exportMenu->addAction("Plain &Text File...", this, &TfrmReportPreview::ExportTextCommand);
    actText->setObjectName("actExportText");
    QAction* actPdf = exportMenu->addAction("P&DF File...", this, &TfrmReportPreview::ExportPdfCommand);
    actPdf->setObjectName("actExportPdf");
    auto* btnExport = new QToolButton(this);
    btnExport->setObjectName("btnExport");
    btnExport->setText("&Export");
    btnExport->setMenu(exportMenu);
    btnExport->setPopupMode(QToolButton::InstantPopup);
    toolBar_->addWidget(btnExport);
    if (quickExport) {
        QAction* actQuick = toolBar_->addAction("&Quick Export (PDF)...", this, &TfrmReportPreview::ExportPdfCommand);
        actQuick->setObjectName("actQuickExport");
    }
    toolBar_->addSeparator();

    QAction* actZoomOut = toolBar_->addAction("Zoom &Out", this, [this] { SetZoom(zoom_ / 1.25); });
    actZoomOut->setObjectName("actZoomOut");
    actZoomOut->setShortcut(QKeySequence::ZoomOut);
    cmbZoom_ = new QComboBox(this);
    cmbZoom_->setObjectName("cmbZoom");
    cmbZoom_->setEditable(true);
    cmbZoom_->addItems({"25%", "50%", "75%", "100%", "125%", "150%", "200%", "300%", "Page Width", "Whole Page"});
    cmbZoom_->setInsertPolicy(QComboBox::NoInsert);
    toolBar_->addWidget(cmbZoom_);
    connect(cmbZoom_, &QComboBox::textActivated, this, [this] { ZoomFromCombo(); });
    connect(cmbZoom_->lineEdit(), &QLineEdit::returnPressed, this, [this] { ZoomFromCombo(); });
    QAction* actZoomIn = toolBar_->addAction("Zoom &In", this, [this] { SetZoom(zoom_ * 1.25); });
    actZoomIn->setObjectName("actZoomIn");
    actZoomIn->setShortcut(QKeySequence::ZoomIn);
    toolBar_->addSeparator();
    QAction* actSetup = toolBar_->addAction("Page &Setup...", this, &TfrmReportPreview::PageSetupCommand);
    actSetup->setObjectName("actPageSetup");
    toolBar_->addSeparator();

    QAction* actFirst = toolBar_->addAction("|<", this, [this] { GoToPage(1); });
    actFirst->setObjectName("actFirstPage");
    actFirst->setToolTip("First page");
    QAction* actPrior = toolBar_->addAction("<", this, [this] { GoToPage(CurrentPage() - 1); });
    actPrior->setObjectName("actPriorPage");
    actPrior->setToolTip("Previous page");
    actPrior->setShortcut(QKeySequence::MoveToPreviousPage);
    spnPage_ = new QSpinBox(this);
    spnPage_->setObjectName("spnPage");
    spnPage_->setMinimum(1);
    toolBar_->addWidget(spnPage_);
    lblPages_ = new QLabel(this);
    lblPages_->setObjectName("lblPages");
    toolBar_->addWidget(lblPages_);
    connect(spnPage_, &QSpinBox::editingFinished, this, [this] { GoToPage(spnPage_->value()); });
    QAction* actNext = toolBar_->addAction(">", this, [this] { GoToPage(CurrentPage() + 1); });
    actNext->setObjectName("actNextPage");
    actNext->setToolTip("Next page");
    actNext->setShortcut(QKeySequence::MoveToNextPage);
    QAction* actLast = toolBar_->addAction(">|", this, [this] { GoToPage(static_cast<int>(report_.Pages.size())); });
    actLast->setObjectName("actLastPage");
    actLast->setToolTip("Last page");
    toolBar_->addSeparator();
    QAction* actClose = toolBar_->addAction("&Close", this, &QDialog::reject);
    actClose->setObjectName("actClose");

    view_ = new TReportPagesView(this);
    view_->setObjectName("viewPages");
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("scrollPages");
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateNavigation(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(scroll_);

    // Large enough to show a page at its real size where the screen allows.
    QSize want(static_cast<int>(report_.PageWidth / 25.4 * logicalDpiX()) + 80, 900);
    if (QScreen* screen = this->screen())
        want = want.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(want);
    SetZoom(1.0);
}

TfrmReportPreview::~TfrmReportPreview() = default;

void TfrmReportPreview::SetZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.1, 5.0);
    int page = spnPage_ && lblPages_ && !lblPages_->text().isEmpty() ? CurrentPage() : 1;
    view_->UpdateSize();
    cmbZoom_->setEditText(QString::number(std::lround(zoom_ * 100)) + "%");
    GoToPage(page);
}

void TfrmReportPreview::ZoomFromCombo()
{
    QString text = cmbZoom_->currentText().trimmed();
    double viewportW = scroll_->viewport()->width() - 2 * kGap;
    double viewportH = scroll_->viewport()->height() - 2 * kGap;
    double pxPerMmAt1 = logicalDpiX() / 25.4;
    if (text == "Page Width") {
        SetZoom(viewportW / (report_.PageWidth * pxPerMmAt1));
    } else if (text == "Whole Page") {
        SetZoom(std::min(viewportW / (report_.PageWidth * pxPerMmAt1), viewportH / (report_.PageHeight * pxPerMmAt1)));
    } else {
        text.remove('%');
        bool ok = false;
        double percent = text.toDouble(&ok);
        if (ok && std::isfinite(percent) && percent > 0)
            SetZoom(percent / 100.0);
        else
            SetZoom(zoom_);
    }
}

int TfrmReportPreview::CurrentPage() const
{
    int pages = static_cast<int>(report_.Pages.size());
    int y = scroll_->verticalScrollBar()->value() + scroll_->viewport()->height() / 3;
    int step = view_->PageHeightPx() + kGap;
    int page = step > 0 ? (y - kGap) / step + 1 : 1;
    return std::clamp(page, 1, std::max(1, pages));
}

void TfrmReportPreview::GoToPage(int page)
{
    int pages = static_cast<int>(report_.Pages.size());
    page = std::clamp(page, 1, std::max(1, pages));
    scroll_->verticalScrollBar()->setValue(view_->PageTop(page - 1) - kGap / 2);
    UpdateNavigation();
    spnPage_->setValue(page);
}

void TfrmReportPreview::UpdateNavigation()
{
    int pages = static_cast<int>(report_.Pages.size());
    spnPage_->setMaximum(std::max(1, pages));
    if (!spnPage_->hasFocus())
        spnPage_->setValue(CurrentPage());
    lblPages_->setText(QString(" of %1 ").arg(pages));
}

void TfrmReportPreview::PrintCommand()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageLayout(ReportPageLayout(report_));
    QPrintDialog dialog(printer_.get(), this);
    dialog.setMinMax(1, static_cast<int>(report_.Pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        PrintPreparedReport(*printer_, report_);
    } catch (const Error& e) {
        Platform().MessageBox("", e.what(), TMsgType::Error, TMsgButtons::OK);
    }
}

void TfrmReportPreview::ExportTextCommand()
{
    ExportPreparedReportAsText(report_);
}

void TfrmReportPreview::ExportPdfCommand()
{
    ExportPreparedReportAsPdf(report_);
}

void TfrmReportPreview::PageSetupCommand()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The dialog shows the report's paper; its answer becomes the paper of a new layout.
    double portraitW = std::min(report_.PageWidth, report_.PageHeight);
    double portraitH = std::max(report_.PageWidth, report_.PageHeight);
    printer_->setPageLayout(QPageLayout(QPageSize(QSizeF(portraitW, portraitH), QPageSize::Millimeter, QString(),
                                                  QPageSize::FuzzyMatch),
                                        report_.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(report_.MarginLeft, report_.MarginTop, report_.MarginRight,
                                                  report_.MarginBottom),
                                        QPageLayout::Millimeter));
    QPageSetupDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPageLayout layout = printer_->pageLayout();
    QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    TReportPageSetup setup;
    setup.PageWidth = std::min(size.width(), size.height());
    setup.PageHeight = std::max(size.width(), size.height());
    setup.Landscape = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    setup.MarginLeft = margins.left();
    setup.MarginTop = margins.top();
    setup.MarginRight = margins.right();
    setup.MarginBottom = margins.bottom();
    if (!prepare_)
        return;
    try {
        TPreparedReport again = prepare_(setup);
        setup_ = setup;
        report_ = std::move(again);
        Relayout();
    } catch (const Error& e) {
        Platform().MessageBox("", e.what(), TMsgType::Error, TMsgButtons::OK);
    }
}

void TfrmReportPreview::Relayout()
{
    view_->UpdateSize();
    GoToPage(1);
}

} // namespace shell
