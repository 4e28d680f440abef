#include "Utils.h"

#include "Platform.h"
#include "shell/core/Error.h"
#include "shell/core/Utils.h"

#include <QApplication>

namespace shell {

void ShellOpen(const std::string& target)
{
    int code = 0;
    std::string reason;
    if (!Platform().ShellOpen(target, code, reason))
        throw Error(FormatC("System Error.  Code: %d.\r\n%s", code, reason.c_str()));
}

std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > 46)
        return text + ".";
    return text;
}

void ShowApplicationError(const std::string& text)
{
    Platform().MessageBox(QApplication::applicationName().toStdString(), WithFullStop(text),
                          TMsgType::Error, TMsgButtons::OK);
}

} // namespace shell
