#include "VistaFuncs.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace shell {

void ApplySystemFont(QFont& font)
{
    QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font = system.family().isEmpty() ? QGuiApplication::font() : system;
}

} // namespace shell
