#include "ReportRender.h"

#include "shell/core/Error.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>

#include <cmath>
#include <filesystem>

namespace shell {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Room between a frame and its text, mm.
constexpr double kPadding = 0.8;

QFont MakeFont(const TReportFont& f)
{
    QFont font(QString::fromStdString(f.Family));
    font.setBold(f.Bold);
    font.setItalic(f.Italic);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

QPageLayout ReportPageLayout(const TPreparedReport& report)
{
    double w = std::min(report.PageWidth, report.PageHeight);
    double h = std::max(report.PageWidth, report.PageHeight);
    return QPageLayout(QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       report.PageWidth > report.PageHeight ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

TTextMeasure QtTextMeasure()
{
    return [](const std::string& text, const TReportFont& f) {
        // Measured at 100 pixels per point, so hinting at small sizes does not distort it.
        QFont font = MakeFont(f);
        font.setPixelSize(static_cast<int>(std::lround(f.Size * 100)));
        QFontMetricsF metrics(font);
        return metrics.horizontalAdvance(QString::fromStdString(text)) / 100.0 * kMmPerPoint + 2 * kPadding;
    };
}

void RenderReportPage(QPainter& painter, const TPreparedReport& report, int page, double pxPerMm)
{
    if (page < 0 || page >= static_cast<int>(report.Pages.size()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    auto rectOf = [&](const TPreparedItem& item) {
        return QRectF(item.X * pxPerMm, item.Y * pxPerMm, item.W * pxPerMm, item.H * pxPerMm);
    };
    auto penOf = [&](double widthMm) {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(0.05, widthMm) * pxPerMm);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    };
    for (const auto& item : report.Pages[page].Items) {
        QRectF rect = rectOf(item);
        switch (item.Kind) {
        case TReportItem::TKind::Line:
            painter.setPen(penOf(item.LineWidth));
            painter.drawLine(QPointF(item.X * pxPerMm, item.Y * pxPerMm),
                             QPointF((item.X + item.W) * pxPerMm, (item.Y + item.H) * pxPerMm));
            break;
        case TReportItem::TKind::Box:
            if (item.Shade)
                painter.fillRect(rect, QColor(230, 230, 230));
            painter.setPen(penOf(item.LineWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect);
            break;
        case TReportItem::TKind::Text: {
            if (item.Shade)
                painter.fillRect(rect, QColor(230, 230, 230));
            if (item.Frame) {
                painter.setPen(penOf(item.LineWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect);
            }
            QFont font = MakeFont(item.Font);
            // Point sizes are relative to the device's resolution; pxPerMm carries the zoom.
            double deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 96;
            font.setPointSizeF(item.Font.Size * pxPerMm * 25.4 / deviceDpi);
            painter.setFont(font);
            painter.setPen(Qt::black);
            QStringList lines = QString::fromStdString(item.Text).split('\n');
            double lineHeight = ReportLineHeight(item.Font) * pxPerMm;
            double blockHeight = lineHeight * lines.size();
            QRectF inner = rect.adjusted(kPadding * pxPerMm, 0, -kPadding * pxPerMm, 0);
            double top = inner.top();
            if (item.VAlign == TVAlign::Middle)
                top += (inner.height() - blockHeight) / 2;
            else if (item.VAlign == TVAlign::Bottom)
                top += inner.height() - blockHeight;
            int flags = Qt::AlignVCenter | Qt::TextSingleLine;
            flags |= item.HAlign == THAlign::Right ? Qt::AlignRight
                     : item.HAlign == THAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft;
            painter.save();
            painter.setClipRect(rect.adjusted(-0.2 * pxPerMm, -0.5 * pxPerMm, 0.2 * pxPerMm, 0.5 * pxPerMm));
            for (int k = 0; k < lines.size(); ++k)
                painter.drawText(QRectF(inner.left(), top + k * lineHeight, inner.width(), lineHeight), flags, lines[k]);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

void SaveReportPdf(const TPreparedReport& report, const std::string& fileName)
{
    QString target = QString::fromStdString(fileName);
    QString temp = target + ".tmp~";
    {
        QPdfWriter writer(temp);
        writer.setResolution(600);
        writer.setTitle(QString::fromStdString(report.Title));
        writer.setCreator(QStringLiteral("Orvanel"));
        writer.setPageLayout(ReportPageLayout(report));
        QPainter painter;
        if (!painter.begin(&writer)) {
            QFile::remove(temp);
            throw Error("Cannot write the PDF file " + fileName + ".");
        }
        double pxPerMm = writer.resolution() / 25.4;
        for (int p = 0; p < static_cast<int>(report.Pages.size()); ++p) {
            if (p > 0)
                writer.newPage();
            RenderReportPage(painter, report, p, pxPerMm);
        }
        painter.end();
    }
    std::error_code ec;
    std::filesystem::rename(temp.toStdString(), fileName, ec); // replaces the old file in one step
    if (ec) {
        QFile::remove(temp);
        throw Error("Cannot write the PDF file " + fileName + ".");
    }
}

void PrintPreparedReport(QPrinter& printer, const TPreparedReport& report)
{
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(report.Title));
    int first = 1, last = static_cast<int>(report.Pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("The printer could not be started.");
    double pxPerMm = printer.resolution() / 25.4;
    for (int p = first; p <= last; ++p) {
        if (p > first)
            printer.newPage();
        RenderReportPage(painter, report, p - 1, pxPerMm);
    }
    painter.end();
}

TPreparedReport RunReportWithFonts(const TReportSource& source, const TReportPageSetup& setup)
{
    return RunReport(source, setup, QtTextMeasure());
}

} // namespace shell
