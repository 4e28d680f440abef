#include "FormLashing.h"

#include "shell/core/ReportData.h"
#include "shell/ui/FormMain.h"
#include "shell/ui/Grid.h"
#include "shell/ui/NumberEdit.h"
#include "shell/ui/ReportOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

#include <type_traits>

namespace tessaly {

namespace {

QStringList ToQt(const std::vector<std::string>& list)
{
    QStringList out;
    for (const std::string& s : list)
        out << QString::fromStdString(s);
    return out;
}

shell::TNumberEdit* NumberField(const char* name, const QString& unit, bool mayBeNegative, QWidget* parent)
{
    auto* edit = new shell::TNumberEdit(2, unit, mayBeNegative ? std::nullopt : std::optional<double>(0.0), parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("000000.00 kt") + 12);
    return edit;
}

QLineEdit* TextField(const char* name, const QString& hint, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(hint);
    edit->setToolTip(hint);
    return edit;
}

QComboBox* ListField(const char* name, const std::vector<std::string>& items, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(ToQt(items));
    combo->setEditable(false);
    return combo;
}

shell::TReportValue ReportCell(const TReportCell& cell)
{
    return std::visit(
        [](const auto& v) -> shell::TReportValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return shell::TReportValue::Str(v);
            else
                return shell::TReportValue::Num(static_cast<double>(v));
        },
        cell);
}

} // namespace

TfrmLashing::TfrmLashing(std::unique_ptr<TLashingDocument> doc, const QString& caption, QWidget* owner)
    : TfrmBase(owner), doc_(std::move(doc))
{
    setWindowTitle(caption);
}

void TfrmLashing::Build(shell::TGridModel* model)
{
    model_ = model;

    // Particulars: three groups side by side; the friction, lever arms and check box to
    // their right below the stowage group; the remarks line across the bottom.
    auto* pnlTop = new QWidget(this);
    pnlTop->setObjectName("pnlTop");

    auto* gbShip = new QGroupBox("&Ship Particulars", pnlTop);
    gbShip->setObjectName("gbShip");
    txtShipName = TextField("txtShipName", "<Ship Name>", gbShip);
    txtShipLength = NumberField("txtShipLength", "m", false, gbShip);
    txtShipBreadth = NumberField("txtShipBreadth", "m", false, gbShip);
    txtShipSpeed = NumberField("txtShipSpeed", "kt", false, gbShip);
    txtShipGM = NumberField("txtShipGM", "m", true, gbShip);
    auto* shipLayout = new QFormLayout(gbShip);
    shipLayout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shipLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    shipLayout->addRow("Name:", txtShipName);
    shipLayout->addRow("Length:", txtShipLength);
    shipLayout->addRow("Breadth:", txtShipBreadth);
    shipLayout->addRow("Speed:", txtShipSpeed);
    shipLayout->addRow("GM:", txtShipGM);

    auto* gbCargo = new QGroupBox("&Cargo Unit Data", pnlTop);
    gbCargo->setObjectName("gbCargo");
    txtCargoName = TextField("txtCargoName", "<Cargo Name>", gbCargo);
    txtCargoMass = NumberField("txtCargoMass", "t", false, gbCargo);
    txtCargoLength = NumberField("txtCargoLength", "m", false, gbCargo);
    txtCargoWidth = NumberField("txtCargoWidth", "m", false, gbCargo);
    txtCargoHeight = NumberField("txtCargoHeight", "m", false, gbCargo);
    auto* cargoLayout = new QFormLayout(gbCargo);
    cargoLayout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cargoLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    cargoLayout->addRow("Name:", txtCargoName);
    cargoLayout->addRow("Mass:", txtCargoMass);
    cargoLayout->addRow("Length:", txtCargoLength);
    cargoLayout->addRow("Width:", txtCargoWidth);
    cargoLayout->addRow("Height:", txtCargoHeight);

    auto* gbStowage = new QGroupBox("Stowage &Position", pnlTop);
    gbStowage->setObjectName("gbStowage");
    cmbVertical = ListField("cmbVertical", VerticalList(), gbStowage);
    cmbLongitudinal = ListField("cmbLongitudinal", LongitudinalList(), gbStowage);
    auto* lblL = new QLabel("L", gbStowage);
    lblL->setObjectName("lblL");
    QFont bold = lblL->font();
    bold.setBold(true);
    lblL->setFont(bold);
    auto* longRow = new QHBoxLayout;
    longRow->addWidget(cmbLongitudinal, 1);
    longRow->addWidget(lblL);
    auto* stowageLayout = new QFormLayout(gbStowage);
    stowageLayout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    stowageLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    stowageLayout->addRow("Vertical:", cmbVertical);
    stowageLayout->addRow("Longitudinal:", longRow);

    lblFriction = new QLabel(pnlTop);
    lblFriction->setObjectName("lblFriction");
    cmbFriction = ListField("cmbFriction", FrictionList(), pnlTop);
    lblFriction->setBuddy(cmbFriction);
    txtTippingArm = NumberField("txtTippingArm", "m", false, pnlTop);
    txtStableArm = NumberField("txtStableArm", "m", false, pnlTop);
    ckRestrictedArea = new QCheckBox("Restricted Area", pnlTop);
    ckRestrictedArea->setObjectName("ckRestrictedArea");
    auto* armsLayout = new QFormLayout;
    armsLayout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    armsLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    armsLayout->setContentsMargins(0, 0, 0, 0);
    armsLayout->addRow(lblFriction, cmbFriction);
    armsLayout->addRow("Lever arm of tipping ( a ):", txtTippingArm);
    armsLayout->addRow("Lever arm of stableness ( b ):", txtStableArm);

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(gbStowage);
    rightColumn->addLayout(armsLayout);
    rightColumn->addStretch(1);

    auto* lblRemarks = new QLabel("&Remarks:", pnlTop);
    txtRemarks = TextField("txtRemarks", "<Remarks>", pnlTop);
    lblRemarks->setBuddy(txtRemarks);

    auto* top = new QGridLayout(pnlTop);
    top->setContentsMargins(6, 6, 6, 2);
    top->addWidget(gbShip, 0, 0, Qt::AlignTop);
    top->addWidget(gbCargo, 0, 1, Qt::AlignTop);
    top->addLayout(rightColumn, 0, 2);
    auto* remarksRow = new QHBoxLayout;
    remarksRow->addWidget(ckRestrictedArea);
    remarksRow->addSpacing(12);
    remarksRow->addWidget(lblRemarks);
    remarksRow->addWidget(txtRemarks, 1);
    top->addLayout(remarksRow, 1, 0, 1, 3);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 3);
    top->setColumnStretch(2, 4);

    // The lashing grid, a splitter, and the result area below.
    gvData = new shell::TGridView(this);
    gvData->setObjectName("gvData");
    gvData->setModel(model_);

    auto* pnlBottom = new QWidget(this);
    pnlBottom->setObjectName("pnlBottom");
    txtResult = new QPlainTextEdit(pnlBottom);
    txtResult->setObjectName("txtResult");
    txtResult->setReadOnly(true);
    txtResult->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtResult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette resultPalette = txtResult->palette();
    resultPalette.setColor(QPalette::Base, resultPalette.color(QPalette::Button));
    resultPalette.setColor(QPalette::Text, resultPalette.color(QPalette::ButtonText));
    txtResult->setPalette(resultPalette);
    txtResult->setTabStopDistance(txtResult->fontMetrics().horizontalAdvance(' ') * 12);
    auto* bottomLayout = new QVBoxLayout(pnlBottom);
    bottomLayout->setContentsMargins(6, 0, 6, 6);
    bottomLayout->addWidget(txtResult);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName("splitter");
    auto* gridHost = new QWidget(splitter_);
    auto* gridLayout = new QVBoxLayout(gridHost);
    gridLayout->setContentsMargins(6, 2, 6, 0);
    gridLayout->addWidget(gvData);
    splitter_->addWidget(gridHost);
    splitter_->addWidget(pnlBottom);
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    pnlBottom->setMinimumHeight(60);
    gridHost->setMinimumHeight(90);
    splitter_->setSizes({300, 146});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlTop);
    layout->addWidget(splitter_, 1);

    // Change handlers.
    for (QLineEdit* e : {txtShipName, txtCargoName, txtRemarks})
        connect(e, &QLineEdit::textChanged, this, [this, e](const QString& text) {
            if (loading_)
                return;
            std::string v = text.toStdString();
            TParticulars& p = doc_->Particulars;
            (e == txtShipName ? p.ShipName : e == txtCargoName ? p.CargoName : p.Remarks) = v;
            txtShipNamePropertiesEditValueChanged();
        });
    const std::pair<shell::TNumberEdit*, double TParticulars::*> numbers[] = {
        {txtShipLength, &TParticulars::ShipLength}, {txtShipBreadth, &TParticulars::ShipBreadth},
        {txtShipSpeed, &TParticulars::ShipSpeed},   {txtShipGM, &TParticulars::ShipGM},
        {txtCargoMass, &TParticulars::CargoMass},   {txtCargoLength, &TParticulars::CargoLength},
        {txtCargoWidth, &TParticulars::CargoWidth}, {txtCargoHeight, &TParticulars::CargoHeight},
        {txtTippingArm, &TParticulars::TippingArm}, {txtStableArm, &TParticulars::StableArm}};
    for (auto [edit, field] : numbers)
        connect(edit, &QDoubleSpinBox::valueChanged, this, [this, field](double value) {
            if (loading_)
                return;
            doc_->Particulars.*field = value;
            NumberOrListChanged();
        });
    const std::pair<QComboBox*, int TParticulars::*> lists[] = {
        {cmbVertical, &TParticulars::VertPosition},
        {cmbLongitudinal, &TParticulars::LongPosition},
        {cmbFriction, &TParticulars::FrictionCoef}};
    for (auto [combo, field] : lists)
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field](int index) {
            if (loading_)
                return;
            doc_->Particulars.*field = index;
            NumberOrListChanged();
        });
    connect(ckRestrictedArea, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_)
            return;
        doc_->Particulars.RestrictedArea = on;
        NumberOrListChanged();
    });
    connect(model_, &shell::TGridModel::CellEdited, this, [this] { gvDataEditValueChanged(); });
    // Deleting a row changes the document as much as editing one: it is marked changed
    // and recalculated, so that closing never drops a deletion without asking.
    connect(gvData, &shell::TGridView::RowDeleted, this, [this] { gvDataEditValueChanged(); });

    FormCreate();
    ShowDocument();
}

void TfrmLashing::FormCreate()
{
    lblFriction->setText(QString::fromUtf8("Coefficient of friction ( \u03BC )"));
}

void TfrmLashing::ShowDocument()
{
    loading_ = true;
    const TParticulars& p = doc_->Particulars;
    txtShipName->setText(QString::fromStdString(p.ShipName));
    txtCargoName->setText(QString::fromStdString(p.CargoName));
    txtRemarks->setText(QString::fromStdString(p.Remarks));
    txtShipLength->SetValueQuietly(p.ShipLength);
    txtShipBreadth->SetValueQuietly(p.ShipBreadth);
    txtShipSpeed->SetValueQuietly(p.ShipSpeed);
    txtShipGM->SetValueQuietly(p.ShipGM);
    txtCargoMass->SetValueQuietly(p.CargoMass);
    txtCargoLength->SetValueQuietly(p.CargoLength);
    txtCargoWidth->SetValueQuietly(p.CargoWidth);
    txtCargoHeight->SetValueQuietly(p.CargoHeight);
    txtTippingArm->SetValueQuietly(p.TippingArm);
    txtStableArm->SetValueQuietly(p.StableArm);
    // An index outside a list (a hand-edited file) shows as no selection.
    auto select = [](QComboBox* combo, int index) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    };
    select(cmbVertical, p.VertPosition);
    select(cmbLongitudinal, p.LongPosition);
    select(cmbFriction, p.FrictionCoef);
    ckRestrictedArea->setChecked(p.RestrictedArea);
    model_->Reload();
    ShowResults();
    loading_ = false;
}

void TfrmLashing::ShowResults()
{
    QStringList lines;
    for (const std::string& line : doc_->ResultLines)
        lines << QString::fromStdString(line);
    txtResult->setUpdatesEnabled(false);
    txtResult->setPlainText(lines.join('\n'));
    txtResult->setUpdatesEnabled(true);
    model_->RefreshAll();
}

void TfrmLashing::MarkChanged()
{
    if (loading_)
        return;
    if (shell::TfrmMain* main = shell::TfrmMain::Instance())
        main->SetDirty(true);
}

void TfrmLashing::txtShipNamePropertiesEditValueChanged()
{
    MarkChanged();
}

void TfrmLashing::NumberOrListChanged()
{
    MarkChanged();
    CalculateAll();
}

void TfrmLashing::gvDataEditValueChanged()
{
    MarkChanged();
    CalculateAll();
}

void TfrmLashing::SetupUI()
{
    doc_->SetupUI();
    ShowDocument();
}

void TfrmLashing::SaveVoyage(const std::string& fileName)
{
    doc_->SaveVoyage(fileName);
}

void TfrmLashing::OpenVoyage(const std::string& fileName)
{
    doc_->OpenVoyage(fileName);
    ShowDocument();
}

void TfrmLashing::CalculateAll()
{
    if (doc_->CalculateAll())
        ShowResults();
    else
        gvData->Footer()->update(); // the totals follow the rows even when nothing is calculated
}

void TfrmLashing::FillReportTable()
{
    tblData_ = doc_->FillReportTable();
}

shell::TReportSource TfrmLashing::ReportSource()
{
    shell::TReportSource source;
    source.TemplateName = doc_->ReportTemplateName();
    if (shell::TfrmMain* main = shell::TfrmMain::Instance())
        source.TemplatesFolder = main->Folders().TemplatesFolder;
    shell::TReportDataset dataset;
    dataset.UserName = ReportDatasetName;
    dataset.Fields = tblData_.FieldNames;
    dataset.Fields.push_back("RecId");
    int recId = 0;
    for (const auto& row : tblData_.Rows) {
        std::vector<shell::TReportValue> values;
        for (const TReportCell& cell : row)
            values.push_back(ReportCell(cell));
        values.push_back(shell::TReportValue::Num(++recId));
        dataset.Rows.push_back(std::move(values));
    }
    source.Datasets.push_back(std::move(dataset));
    const TLashingDocument* doc = doc_.get();
    source.Variables = [doc](const std::string& name, shell::TReportValue& value) {
        std::optional<TReportValue> v = doc->ReportValue(name);
        if (!v)
            return false;
        value = v->IsNumber ? shell::TReportValue::Num(std::stod(v->Text)) : shell::TReportValue::Str(v->Text);
        return true;
    };
    return source;
}

void TfrmLashing::PreviewReport()
{
    FillReportTable();
    shell::PreviewReport(ReportSource());
}

void TfrmLashing::PrintReport()
{
    FillReportTable();
    shell::PrintReport(ReportSource());
}

void TfrmLashing::ExportAsText()
{
    FillReportTable();
    shell::ExportReportAsText(ReportSource());
}

} // namespace tessaly
