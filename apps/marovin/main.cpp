// Marovin: start-up of the program.
#include "shell/ui/Application.h"
#include "shell/ui/FormMain.h"

int main(int argc, char** argv)
{
    shell::TApplication app(argc, argv, "Marovin");
    shell::TfrmMain frmMain(shell::DescriptionOf(shell::TProgram::Marovin));
    frmMain.show();
    return app.exec();
}
