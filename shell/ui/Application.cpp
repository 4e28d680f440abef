#include "Application.h"

#include "Utils.h"

#include <QLocale>
#include <clocale>
#include <exception>

namespace shell {

void FixNumberFormat()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(c);
}

TApplication::TApplication(int& argc, char** argv, const QString& title) : QApplication(argc, argv)
{
    setApplicationName(title);
    setApplicationDisplayName(title);
    setOrganizationName("Orvanel");
    setApplicationVersion("9.1.0.1");
    FixNumberFormat();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowApplicationError(e.what());
    } catch (...) {
        ShowApplicationError("Unknown error");
    }
    return false;
}

} // namespace shell
