#pragma once
// What the two lashing forms share: the particulars panel, the lashing grid with its
// footer, the splitter and the result area, the change handlers and the report runs.
// Every value lives in the form's TLashingDocument; the controls show it and write
// each edit straight back.

#include "tessaly/ui/FormBase.h"
#include "tessaly/core/LashingBase.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;

namespace shell {
class TGridModel;
class TGridView;
class TNumberEdit;
struct TReportSource;
} // namespace shell

namespace tessaly {

class TfrmLashing : public TfrmBase {
    Q_OBJECT
public:
    TLashingDocument& Document() { return *doc_; }
    const TLashingDocument& Document() const { return *doc_; }
    shell::TGridView* Grid() const { return gvData; }
    shell::TGridModel* GridModel() const { return model_; }

    // The report table as last filled for a report run ("frxDBDataset").
    const TReportTable& tblData() const { return tblData_; }

    void SetupUI() override;
    void SaveVoyage(const std::string& fileName) override;
    void OpenVoyage(const std::string& fileName) override;
    void ExportAsText() override;
    void CalculateAll() override;
    void PreviewReport() override;
    void PrintReport() override;

    // Refills the report table from the lashing rows.
    void FillReportTable();

protected:
    TfrmLashing(std::unique_ptr<TLashingDocument> doc, const QString& caption, QWidget* owner);
    // Builds the controls; the derived form passes its grid model.
    void Build(shell::TGridModel* model);
    // The Greek captions, set when the form is created.
    virtual void FormCreate();

    // Change handlers: a name or remarks edit marks the document changed; a number, list,
    // check box or grid edit marks it changed and recalculates.
    void txtShipNamePropertiesEditValueChanged();
    void NumberOrListChanged();
    void gvDataEditValueChanged();

    QLabel* lblFriction = nullptr;

private:
    void ShowDocument();     // every control from the document
    void ShowResults();      // result area and computed cells from the last calculation
    void MarkChanged();
    shell::TReportSource ReportSource();

    std::unique_ptr<TLashingDocument> doc_;
    TReportTable tblData_;
    bool loading_ = false;

    QLineEdit* txtShipName = nullptr;
    shell::TNumberEdit* txtShipLength = nullptr;
    shell::TNumberEdit* txtShipBreadth = nullptr;
    shell::TNumberEdit* txtShipSpeed = nullptr;
    shell::TNumberEdit* txtShipGM = nullptr;
    QLineEdit* txtCargoName = nullptr;
    shell::TNumberEdit* txtCargoMass = nullptr;
    shell::TNumberEdit* txtCargoLength = nullptr;
    shell::TNumberEdit* txtCargoWidth = nullptr;
    shell::TNumberEdit* txtCargoHeight = nullptr;
    QComboBox* cmbVertical = nullptr;
    QComboBox* cmbLongitudinal = nullptr;
    QComboBox* cmbFriction = nullptr;
    shell::TNumberEdit* txtTippingArm = nullptr;
    shell::TNumberEdit* txtStableArm = nullptr;
    QCheckBox* ckRestrictedArea = nullptr;
    QLineEdit* txtRemarks = nullptr;
    shell::TGridView* gvData = nullptr;
    shell::TGridModel* model_ = nullptr;
    QPlainTextEdit* txtResult = nullptr;
    QSplitter* splitter_ = nullptr;
};

} // namespace tessaly
