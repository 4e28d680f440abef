#include "Platform.h"

#include "shell/core/Utils.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace shell {

namespace {

IPlatform* g_platform = nullptr;

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

IPlatform& Platform()
{
    static TQtPlatform qtPlatform;
    return g_platform ? *g_platform : qtPlatform;
}

void SetPlatform(IPlatform* platform)
{
    g_platform = platform;
}

std::string QtFilter(const std::string& filter)
{
    std::string out;
    size_t start = 0;
    int index = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        std::string part = filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (index % 2 == 0) {
            if (!out.empty())
                out += ";;";
            out += part;
        }
        ++index;
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return out;
}

std::string DisplayText(const std::string& text)
{
    return NormaliseLineBreaks(text);
}

TMsgResult TQtPlatform::MessageBox(const std::string& caption, const std::string& text,
                                   TMsgType type, TMsgButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption.empty() ? QApplication::applicationDisplayName() : Q(caption));
    box.setText(Q(DisplayText(text)));
    switch (type) {
    case TMsgType::Error: box.setIcon(QMessageBox::Critical); break;
    case TMsgType::Information: box.setIcon(QMessageBox::Information); break;
    case TMsgType::Confirmation: box.setIcon(QMessageBox::Question); break;
    case TMsgType::Warning: box.setIcon(QMessageBox::Warning); break;
    case TMsgType::Plain: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
    case TMsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case TMsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case TMsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case TMsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return TMsgResult::OK;
    case QMessageBox::Cancel: return TMsgResult::Cancel;
    case QMessageBox::Yes: return TMsgResult::Yes;
    case QMessageBox::No: return TMsgResult::No;
    default: return TMsgResult::None;
    }
}

namespace {

QString StartPath(const TFileDialogOptions& o)
{
    QString dir = Q(o.InitialDir);
    if (o.FileName.empty())
        return dir;
    return QDir(dir).filePath(Q(o.FileName));
}

void AddDefaultExt(const TFileDialogOptions& o, QString& name)
{
    if (!o.DefaultExt.empty() && QFileInfo(name).suffix().isEmpty())
        name += "." + Q(o.DefaultExt);
}

} // namespace

bool TQtPlatform::OpenFileDialog(const TFileDialogOptions& options, std::string& fileName)
{
    QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(options.Title),
                                                StartPath(options), Q(QtFilter(options.Filter)));
    if (name.isEmpty())
        return false;
    if (!QFileInfo::exists(name))
        AddDefaultExt(options, name);
    fileName = QDir::toNativeSeparators(name).toStdString();
    return true;
}

bool TQtPlatform::SaveFileDialog(const TFileDialogOptions& options, std::string& fileName)
{
    // The dialog does not ask before replacing an existing file; the file is replaced.
    QString name = QFileDialog::getSaveFileName(QApplication::activeWindow(), Q(options.Title),
                                                StartPath(options), Q(QtFilter(options.Filter)),
                                                nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return false;
    AddDefaultExt(options, name);
    fileName = QDir::toNativeSeparators(name).toStdString();
    return true;
}

bool TQtPlatform::ShellOpen(const std::string& target, int& code, std::string& reason)
{
    QString t = Q(target);
    QUrl url = (t.contains("://") || t.startsWith("mailto:")) ? QUrl(t) : QUrl::fromLocalFile(t);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        code = 2;
        reason = "The system cannot find the file specified.";
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        code = 1155;
        reason = "No application is associated with the specified file for this operation.";
        return false;
    }
    return true;
}

TMsgResult TScriptedPlatform::MessageBox(const std::string& caption, const std::string& text,
                                         TMsgType type, TMsgButtons buttons)
{
    Messages.push_back({caption, text, type, buttons});
    if (Answers.empty())
        return buttons == TMsgButtons::OK ? TMsgResult::OK : TMsgResult::None;
    TMsgResult r = Answers.front();
    Answers.pop_front();
    return r;
}

bool TScriptedPlatform::OpenFileDialog(const TFileDialogOptions& options, std::string& fileName)
{
    Dialogs.push_back(options);
    if (FileAnswers.empty())
        return false;
    fileName = FileAnswers.front();
    FileAnswers.pop_front();
    return !fileName.empty();
}

bool TScriptedPlatform::SaveFileDialog(const TFileDialogOptions& options, std::string& fileName)
{
    return OpenFileDialog(options, fileName);
}

bool TScriptedPlatform::ShellOpen(const std::string& target, int& code, std::string& reason)
{
    Opened.push_back(target);
    if (ShellOpenFails) {
        code = 2;
        reason = "The system cannot find the file specified.";
        return false;
    }
    return true;
}

} // namespace shell
