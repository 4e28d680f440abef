// Takes screenshots of the real Tessaly main window with a worked example typed in:
//   tessaly_ui_screenshot <output folder> [width height]
// Writes advanced.png, alternative.png and advanced-minimum.png (the minimum size).
#include "WorkedExample.h"

#include "shell/ui/Application.h"
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
    QTest::qWaitForWindowExposed(&main);

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
    return ok ? 0 : 1;
}
