// Tessaly's two forms through the real main window: new documents and their defaults,
// the change handlers, the grids, save and reopen, and the report commands.
#include "WorkedExample.h"

#include "shell/ui/Application.h"
#include "shell/ui/FormMain.h"
#include "shell/ui/Platform.h"
#include "tessaly/core/LashingAdvance.h"
#include "tessaly/core/LashingAlternative.h"
#include "tessaly/ui/FormLashingAdvance.h"
#include "tessaly/ui/FormLashingAlternative.h"
#include "tessaly/ui/TessalyProgram.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tessaly;
using namespace tessaly_test;
using shell::TMsgResult;

namespace {

std::string Temp(const std::string& name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromStdString(name)).toStdString();
}

class TessalyFormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::SetPlatform(&platform);
        main = std::make_unique<shell::TfrmMain>(Description());
    }
    void TearDown() override
    {
        main->SetDirty(false);
        main.reset();
        shell::SetPlatform(nullptr);
    }

    TfrmLashing* Form() { return dynamic_cast<TfrmLashing*>(main->frmBase()); }
    shell::TGridModel* Model() { return Form()->GridModel(); }
    QString Caption() { return main->windowTitle(); }
    QString Result() { return Form()->findChild<QPlainTextEdit*>("txtResult")->toPlainText(); }
    QString Shown(const char* name) { return Form()->findChild<QAbstractSpinBox*>(name)->text(); }
    QString Cell(int row, const char* column)
    {
        return Model()->index(row, Model()->ColumnByName(column)).data().toString();
    }
    // What the core computes for the document the form holds now.
    template <typename TDoc>
    QString CoreResult(const TDoc& shown)
    {
        TDoc copy;
        copy.Particulars = shown.Particulars;
        copy.Lashings = shown.Lashings;
        copy.CalculateAll();
        QStringList lines;
        for (const std::string& l : copy.ResultLines)
            lines << QString::fromStdString(l);
        return lines.join('\n');
    }

    shell::TScriptedPlatform platform;
    std::unique_ptr<shell::TfrmMain> main;
};

TEST_F(TessalyFormsTest, NewAdvancedDocument)
{
    main->ExecuteCommand("NewAdvanced");
    ASSERT_NE(dynamic_cast<TfrmAdvanced*>(main->frmBase()), nullptr);
    EXPECT_EQ(main->CurrentKind(), 1);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx");
    EXPECT_EQ(main->StatusText(1), "Tessaly (Advanced Method)");
    QAbstractItemModelTester tester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Five default rows, a new-row line, footer totals 5 and 450.0, no result.
    ASSERT_EQ(Model()->rowCount(), 6);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(Cell(row, "colType"), "Class 1 chain");
        EXPECT_EQ(Cell(row, "colPosition"), "PORT");
        EXPECT_EQ(Cell(row, "colNumber"), "1");
        EXPECT_EQ(Cell(row, "colMSL"), "90.0");
        EXPECT_EQ(Cell(row, "colVerticalAngle"), "40");
        EXPECT_EQ(Cell(row, "colLeverArm"), "1.0");
    }
    auto* footer = Form()->Grid()->Footer();
    EXPECT_EQ(footer->TextOf(Model()->ColumnByName("colNumber")), "5");
    EXPECT_EQ(footer->TextOf(Model()->ColumnByName("colMSL")), "450.0");
    EXPECT_EQ(Result(), "");

    // Particulars with their display formats and list defaults; Greek captions.
    EXPECT_EQ(Shown("txtShipLength"), "0.00 m");
    EXPECT_EQ(Shown("txtShipSpeed"), "0.00 kt");
    EXPECT_EQ(Shown("txtCargoMass"), "0.00 t");
    EXPECT_EQ(Form()->findChild<QComboBox*>("cmbVertical")->currentText(), "Lower Hold");
    EXPECT_EQ(Form()->findChild<QComboBox*>("cmbLongitudinal")->currentText(), "0.5");
    EXPECT_EQ(Form()->findChild<QComboBox*>("cmbFriction")->currentText(), "0.3");
    EXPECT_EQ(Form()->findChild<QLabel*>("lblFriction")->text(), QString::fromUtf8("Coefficient of friction ( \u03BC )"));
    EXPECT_EQ(Model()->headerData(Model()->ColumnByName("colVerticalAngle"), Qt::Horizontal).toString(),
              QString::fromUtf8("\u03B1 [\u00B0]"));
    EXPECT_EQ(Model()->headerData(Model()->ColumnByName("colMSL"), Qt::Horizontal, Qt::ToolTipRole).toString(),
              "Maximum Securing Load (for one lashing)");
}

TEST_F(TessalyFormsTest, TabOrderFollowsTheParticulars)
{
    main->ExecuteCommand("NewAdvanced");
    const QStringList expected = {"txtShipName",    "txtShipLength",  "txtShipBreadth", "txtShipSpeed",
                                  "txtShipGM",      "txtCargoName",   "txtCargoMass",   "txtCargoLength",
                                  "txtCargoWidth",  "txtCargoHeight", "cmbVertical",    "cmbLongitudinal",
                                  "cmbFriction",    "txtTippingArm",  "txtStableArm",   "ckRestrictedArea",
                                  "txtRemarks",     "gvData",         "txtResult"};
    QStringList order;
    QWidget* w = Form()->findChild<QWidget*>("txtShipName");
    for (int i = 0; i < 200 && order.size() < expected.size(); ++i, w = w->nextInFocusChain())
        if (expected.contains(w->objectName()) && !order.contains(w->objectName()) &&
            (w->focusPolicy() & Qt::TabFocus))
            order << w->objectName();
    EXPECT_EQ(order, expected);
}

TEST_F(TessalyFormsTest, NewAlternativeDocumentAndAppendedRow)
{
    main->ExecuteCommand("NewAlternative");
    ASSERT_NE(dynamic_cast<TfrmAlternative*>(main->frmBase()), nullptr);
    EXPECT_EQ(main->StatusText(1), "Tessaly (Alternative Method)");
    QAbstractItemModelTester tester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(Model()->rowCount(), 6);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(Cell(row, "colVertPos"), "STBD");
        EXPECT_EQ(Cell(row, "colMSL"), "90.00");
        for (const char* computed : {"colFy", "colCSFy", "colFx", "colCSFx"}) {
            EXPECT_EQ(Cell(row, computed), "0.00");
            // Computed cells cannot be edited or focused.
            EXPECT_EQ(Model()->flags(Model()->index(row, Model()->ColumnByName(computed))), Qt::NoItemFlags);
        }
    }

    // A row typed into the new-row line starts on the port side.
    SetCell(Model(), 5, "colType", "Web lashing");
    ASSERT_EQ(Model()->rowCount(), 7);
    EXPECT_EQ(Cell(5, "colType"), "Web lashing");
    EXPECT_EQ(Cell(5, "colVertPos"), "PORT");
    EXPECT_EQ(Cell(5, "colHorizPos"), "FWD");
    EXPECT_EQ(Cell(5, "colAlpha"), "40");
    EXPECT_EQ(Cell(5, "colBeta"), "30");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
}

// Typing into the grid as a user does: the new-row line takes one new row however many
// keys are typed, and passing through it without typing appends nothing.
TEST_F(TessalyFormsTest, TypingIntoTheGrid)
{
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->ExecuteCommand("NewAlternative");
    auto* grid = Form()->Grid();
    QAbstractItemModelTester tester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    grid->setFocus();
    grid->setCurrentIndex(Model()->index(5, Model()->ColumnByName("colMSL")));
    grid->edit(grid->currentIndex());
    QTest::keyClick(grid->focusWidget(), Qt::Key_Tab); // into colAlpha, nothing typed
    QTest::keyClick(grid->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(Model()->rowCount(), 6);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx");

    grid->setCurrentIndex(Model()->index(5, Model()->ColumnByName("colType")));
    grid->edit(grid->currentIndex());
    QWidget* editor = grid->focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    QTest::keyClicks(editor, "Web lashing");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(Model()->rowCount(), 7);
    EXPECT_EQ(Cell(5, "colType"), "Web lashing");
    EXPECT_EQ(Cell(5, "colVertPos"), "PORT");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");

    // A number typed into an existing row is posted while it is typed.
    grid->setCurrentIndex(Model()->index(0, Model()->ColumnByName("colLeverArm")));
    grid->edit(grid->currentIndex());
    editor = grid->focusWidget();
    auto* number = qobject_cast<QAbstractSpinBox*>(editor);
    ASSERT_NE(number, nullptr);
    number->selectAll();
    QTest::keyClicks(editor, "2.5");
    EXPECT_EQ(static_cast<TfrmAlternative*>(Form())->Alternative().Lashings[0].LeverArm, 2.5);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Cell(0, "colLeverArm"), "2.50");
    EXPECT_EQ(Model()->rowCount(), 7);
}

TEST_F(TessalyFormsTest, NameEditMarksChangedWithoutRecalculating)
{
    main->ExecuteCommand("NewAdvanced");
    FillParticulars(Form());
    FillAdvancedRows(Model());
    auto& doc = static_cast<TfrmAdvanced*>(Form())->Advanced();
    QString calculated = Result();
    ASSERT_FALSE(calculated.isEmpty());
    EXPECT_EQ(calculated, CoreResult(doc));

    // Change the mass behind the form's back: only a recalculation would show it.
    doc.Particulars.CargoMass = 200;
    main->SetDirty(false);
    Form()->findChild<QLineEdit*>("txtShipName")->setText("MV Renamed");
    EXPECT_EQ(doc.Particulars.ShipName, "MV Renamed");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_EQ(Result(), calculated);

    // A number edit marks changed and recalculates.
    main->SetDirty(false);
    SetNumber(Form(), "txtShipLength", 160);
    EXPECT_EQ(doc.Particulars.ShipLength, 160);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_NE(Result(), calculated);
    EXPECT_EQ(Result(), CoreResult(doc));

    // Friction "0.0" recalculates with no friction at all.
    main->SetDirty(false);
    Form()->findChild<QComboBox*>("cmbFriction")->setCurrentIndex(0);
    EXPECT_EQ(doc.Particulars.FrictionCoef, 0);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_EQ(Result(), CoreResult(doc));
    // Without friction the forward balance is the forward lashings alone: one PORT->FWD
    // row at half weight and one FWD row, 2 x 100 kN / 1.5 each, at 40 degrees.
    double f = std::cos(40 * M_PI / 180);
    EXPECT_NEAR(doc.Balance.FwdSliding, 1.5 * 200 / 1.5 * f, 1e-9);

    // Check box and grid edits recalculate too.
    main->SetDirty(false);
    Form()->findChild<QCheckBox*>("ckRestrictedArea")->setChecked(true);
    EXPECT_TRUE(doc.Particulars.RestrictedArea);
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_EQ(Result(), CoreResult(doc));
    main->SetDirty(false);
    SetCell(Model(), 0, "colMSL", 150.0);
    EXPECT_EQ(doc.Lashings[0].MSL, 150.0);
    EXPECT_EQ(Form()->Grid()->Footer()->TextOf(Model()->ColumnByName("colMSL")), "640.0");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_EQ(Result(), CoreResult(doc));
}

TEST_F(TessalyFormsTest, NumberFieldsAreNeverEmpty)
{
    main->ExecuteCommand("NewAdvanced");
    auto& doc = Form()->Document();
    SetNumber(Form(), "txtShipGM", -0.25); // GM alone may be negative
    EXPECT_EQ(Shown("txtShipGM"), "-0.25 m");
    SetNumber(Form(), "txtShipBreadth", -3);
    EXPECT_EQ(doc.Particulars.ShipBreadth, 0);

    auto* length = Form()->findChild<shell::TNumberEdit*>("txtShipLength");
    length->setValue(120.5);
    EXPECT_EQ(Shown("txtShipLength"), "120.50 m");
    length->setFocus();
    length->selectAll();
    QTest::keyClick(length, Qt::Key_Delete);
    EXPECT_EQ(doc.Particulars.ShipLength, 0);
    length->clearFocus();
    QTest::keyClick(length, Qt::Key_Return);
    EXPECT_EQ(Shown("txtShipLength"), "0.00 m");
}

TEST_F(TessalyFormsTest, SaveAndReopenBothMethods)
{
    for (const char* command : {"NewAdvanced", "NewAlternative"}) {
        SCOPED_TRACE(command);
        main->ExecuteCommand(command);
        FillParticulars(Form());
        if (std::string(command) == "NewAdvanced")
            FillAdvancedRows(Model());
        else
            FillAlternativeRows(Model());
        QString result = Result();
        ASSERT_FALSE(result.isEmpty());
        int rows = Model()->rowCount();

        std::string file = Temp(std::string(command) + ".tyx");
        platform.FileAnswers = {file};
        main->ExecuteCommand("Save");
        EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + std::string(command) + ".tyx"));
        main->ExecuteCommand("Close");
        EXPECT_EQ(Caption(), "Tessaly");
        EXPECT_EQ(main->StatusText(1), "");

        platform.FileAnswers = {file};
        main->ExecuteCommand("Open");
        ASSERT_NE(Form(), nullptr);
        EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + std::string(command) + ".tyx"));
        EXPECT_EQ(main->StatusText(0), "Ready...");
        EXPECT_EQ(Model()->rowCount(), rows);
        EXPECT_EQ(Form()->findChild<QComboBox*>("cmbVertical")->currentText(), "Deck Low");
        EXPECT_EQ(Form()->findChild<QLineEdit*>("txtShipName")->text(), "MV Example Trader");
        EXPECT_EQ(Shown("txtShipLength"), "150.00 m");
        EXPECT_EQ(Result(), result); // recalculated after opening

        main->ExecuteCommand("Calculate");
        EXPECT_EQ(main->StatusText(0), "Ready...");
        EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + std::string(command) + ".tyx*"));
        main->SetDirty(false);
    }
}

TEST_F(TessalyFormsTest, OpenOfAnUnknownMethodLeavesNoDocument)
{
    // The method text is compared exactly.
    std::string file = Temp("lower-case.tyx");
    main->ExecuteCommand("NewAdvanced");
    platform.FileAnswers = {file};
    main->ExecuteCommand("Save");
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    text.replace(text.find(">Advanced<"), 10, ">advanced<");
    std::ofstream(file, std::ios::binary) << text;

    platform.Messages.clear();
    platform.FileAnswers = {file};
    main->ExecuteCommand("Open");
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Text, "Can't load file: " + file);
    EXPECT_EQ(main->frmBase(), nullptr);
    EXPECT_EQ(main->StatusText(1), "");
    EXPECT_EQ(Caption(), "Tessaly");
}

TEST_F(TessalyFormsTest, RowDeletionAsksAndMarksChanged)
{
    main->ExecuteCommand("NewAdvanced");
    FillParticulars(Form());
    main->SetDirty(false);
    auto* grid = Form()->Grid();
    grid->setCurrentIndex(Model()->index(1, 0));

    platform.Answers = {TMsgResult::Cancel};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Model()->rowCount(), 6);
    EXPECT_EQ(platform.Messages.back().Text, "Delete record?");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx");

    platform.Answers = {TMsgResult::OK};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Model()->rowCount(), 5);
    EXPECT_EQ(Form()->Grid()->Footer()->TextOf(Model()->ColumnByName("colMSL")), "360.0");
    EXPECT_EQ(Caption(), "Tessaly - Untitled.tyx*");
    EXPECT_EQ(Result(), CoreResult(static_cast<TfrmAdvanced*>(Form())->Advanced()));

    // The new-row line is not a row to delete.
    grid->setCurrentIndex(Model()->index(Model()->NewRowLine(), 0));
    size_t shown = platform.Messages.size();
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(platform.Messages.size(), shown);
    EXPECT_EQ(Model()->rowCount(), 5);
}

TEST_F(TessalyFormsTest, ReportCommandsRefillTheReportTableFirst)
{
    struct Case {
        const char* newCommand;
        const char* reportCommand;
        const char* message;
    };
    const Case cases[] = {
        {"NewAdvanced", "PreviewReport", "Unable to find 'RepTessalyAdv.fr3' file."},
        {"NewAdvanced", "ExportReport", "Unable to find 'RepTessalyAdv.fr3' file."},
        {"NewAlternative", "PrintReport", "Unable to find 'RepTessalyAlt.fr3' file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.newCommand) + " " + c.reportCommand);
        main->SetDirty(false);
        main->ExecuteCommand(c.newCommand);
        SetCell(Model(), 5, "colType", "Added row");
        platform.Messages.clear();
        main->ExecuteCommand(c.reportCommand);
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Text, c.message);
        EXPECT_EQ(platform.Messages[0].Buttons, shell::TMsgButtons::OK);
        EXPECT_EQ(Form()->tblData().Rows.size(), 6u);
    }
}

// The report commands feed the report engine: the worked example exported through the
// shipped templates shows the particulars, the lashing rows and the verdicts.
TEST_F(TessalyFormsTest, ExportedReportShowsTheDocument)
{
    struct Case {
        const char* newCommand;
        const char* templateName;
        const char* rowText; // a lashing cell that only the dataset can have supplied
    };
    const Case cases[] = {{"NewAdvanced", "RepTessalyAdv.fr3", "PORT->FWD"},
                          {"NewAlternative", "RepTessalyAlt.fr3", "STBD"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newCommand);
        std::string folder = main->Folders().TemplatesFolder;
        std::filesystem::copy_file(std::string(ORVANEL_TEMPLATES) + "/" + c.templateName, folder + c.templateName,
                                   std::filesystem::copy_options::overwrite_existing);
        main->SetDirty(false);
        main->ExecuteCommand(c.newCommand);
        FillParticulars(Form());
        if (std::string(c.newCommand) == "NewAdvanced")
            FillAdvancedRows(Model());
        else
            FillAlternativeRows(Model());
        std::string out = Temp(std::string(c.newCommand) + ".txt");
        platform.Messages.clear();
        platform.FileAnswers = {out};
        main->ExecuteCommand("ExportReport");
        EXPECT_TRUE(platform.Messages.empty()) << platform.Messages.front().Text;
        std::ifstream in(out, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        for (const char* expected : {"MV Example Trader", "Transformer on skids", "150.00 m", c.rowText, "O.K."})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << " missing in\n" << text;
        EXPECT_EQ(platform.Opened.back(), out); // the exported file is opened afterwards
        std::filesystem::remove(folder + c.templateName);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    shell::TApplication app(argc, argv, "Tessaly");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
