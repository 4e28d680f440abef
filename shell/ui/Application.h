#pragma once
// The application object of every program: fixes the number format and routes every
// error that no command caught to the application-wide error display.

#include <QApplication>

namespace shell {

class TApplication : public QApplication {
    Q_OBJECT
public:
    // title: "Kelvara", "Marovin" or "Tessaly", the caption of unhandled-error boxes.
    TApplication(int& argc, char** argv, const QString& title);
    bool notify(QObject* receiver, QEvent* event) override;
};

// "." as the decimal separator for the whole process, whatever the user's locale says.
void FixNumberFormat();

} // namespace shell
