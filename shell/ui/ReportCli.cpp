#include "ReportCli.h"

#include "ReportRender.h"

#include "shell/core/ReportText.h"

#include <QGuiApplication>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>

namespace shell {

namespace {

// A QGuiApplication for the fonts of the PDF writer; false when a non-graphical
// application object is already running.
bool EnsureGuiApplication()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    if (QCoreApplication::instance())
        return false;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the desktop session (no runtime folder, no display) are no
    // business of a command-line user; real faults still reach standard error.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "error: " << text.toStdString() << "\n";
    });
    static int argc = 1;
    static char name[] = "orvanel-report";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
    return true;
}

} // namespace

int RunReportCommand(const TReportSource& source, const std::string& outFile, TReportCliFormat format)
{
    try {
        if (!ReportTemplateExists(source)) {
            std::cerr << "error: " << source.MissingTemplateMessage() << "\n";
            return 1;
        }
        if (format == TReportCliFormat::Text) {
            SaveReportText(RunReport(source), outFile);
        } else {
            if (!EnsureGuiApplication()) {
                std::cerr << "error: PDF output needs a graphical application object.\n";
                return 1;
            }
            SaveReportPdf(RunReportWithFonts(source), outFile);
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return 1;
    }
}

} // namespace shell
