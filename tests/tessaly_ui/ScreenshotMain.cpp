// Takes screenshots of the real Tessaly main window with a worked example typed in:
//   tessaly_ui_screenshot <output folder> [width height]
// Writes advanced.png, advanced-minimum.png (the minimum size), alternative.png,
// empty.png (no document), about.png, and kelvara-empty.png and marovin-empty.png.
#include "WorkedExample.h"

#include "shell/ui/Application.h"
#include "shell/ui/FormAbout.h"
#include "shell/ui/FormMain.h"
#include "tessaly/ui/FormLashing.h"
#include "tessaly/ui/TessalyProgram.h"

#include <QDir>
#include <QPixmap>
#include <QTest>

#include <cstdio>

namespace {

bool Save(QWidget& window, const QString& file)
{
    QTest::qWait(300);
    QPixmap shot = window.grab();
    if (!shot.save(file)) {
        std::fprintf(stderr, "error: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: tessaly_ui_screenshot <output folder> [width height]\n");
        return 2;
    }
    shell::TApplication app(argc, argv, "Tessaly");
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(".");
    shell::TfrmMain main(tessaly::Description());
    if (argc == 4)
        main.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        std::fprintf(stderr, "warning: the window was not exposed\n");

    bool ok = true;
    main.ExecuteCommand("NewAdvanced");
    auto* form = static_cast<tessaly::TfrmLashing*>(main.frmBase());
    tessaly_test::FillParticulars(form);
    tessaly_test::FillAdvancedRows(form->GridModel());
    ok &= Save(main, out.filePath("advanced.png"));

    QSize size = main.size();
    main.resize(main.minimumSize());
    ok &= Save(main, out.filePath("advanced-minimum.png"));
    main.resize(size);

    main.SetDirty(false);
    main.ExecuteCommand("NewAlternative");
    form = static_cast<tessaly::TfrmLashing*>(main.frmBase());
    tessaly_test::FillParticulars(form);
    tessaly_test::FillAlternativeRows(form->GridModel());
    ok &= Save(main, out.filePath("alternative.png"));

    main.SetDirty(false);
    main.ExecuteCommand("Close");
    ok &= Save(main, out.filePath("empty.png"));

    shell::TfrmAbout about("Tessaly", &main);
    about.show();
    ok &= Save(about, out.filePath("about.png"));
    about.hide();

    // The other two programs' empty windows, for their command bars and menus.
    for (shell::TProgram program : {shell::TProgram::Kelvara, shell::TProgram::Marovin}) {
        shell::TfrmMain other(shell::DescriptionOf(program));
        other.show();
        ok &= Save(other, out.filePath(other.Description().Name.toLower() + "-empty.png"));
    }
    return ok ? 0 : 1;
}
