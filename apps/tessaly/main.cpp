// Tessaly: start-up of the program.
#include "shell/ui/Application.h"
#include "shell/ui/FormMain.h"
#include "tessaly/ui/TessalyProgram.h"

int main(int argc, char** argv)
{
    shell::TApplication app(argc, argv, "Tessaly");
    shell::TfrmMain frmMain(tessaly::Description());
    frmMain.show();
    return app.exec();
}
