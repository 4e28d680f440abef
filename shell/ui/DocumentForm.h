#pragma once
// The document forms the main window hosts. The main window creates one form at a time
// with itself as owner, embeds it with Execute and drives it through the operations
// below; everything that depends on a document's content lives in the form.

#include <QWidget>

#include <string>

namespace shell {

// What the main window asks of every document form, whatever the program.
class TDocumentForm : public QWidget {
    Q_OBJECT
public:
    explicit TDocumentForm(QWidget* owner = nullptr);

    // Makes the form a borderless child of parent filling its client area (between the
    // command bar and the status bar) and shows it.
    void Execute(QWidget* parent);

    // Writes the whole document to the file; throws shell::Error on failure and never
    // touches the main window's state.
    virtual void SaveVoyage(const std::string& fileName) = 0;
    // Fills the form from the file; throws on failure.
    virtual void OpenVoyage(const std::string& fileName) = 0;
    virtual void CalculateAll() = 0;
    // The report commands of the main window; programs without them keep these empty.
    virtual void ExportAsText() {}
    virtual void PreviewReport() {}
    virtual void PrintReport() {}
};

// Kelvara's survey form as the main window drives it. The enumerations travel as their
// ordinals (TProgramState, TPerpCorrection, TShipShape, TLcfType, TMctType), the order in
// which survey files store them.
class TKelvaraDocument : public TDocumentForm {
    Q_OBJECT
public:
    using TDocumentForm::TDocumentForm;

    virtual void InitNew() = 0;
    virtual void InitOpen() = 0;
    void ExportAsText() override = 0;
    void PreviewReport() override = 0;
    void PrintReport() override = 0;
    void CalculateAll() override = 0;
    virtual void SetupUI(bool isMetric) = 0;
    virtual void SetupGrid(bool isManual) = 0;
    virtual void SetupLcfCaption(int lcfType) = 0;
    virtual void SetTextBoxes(int perpCorrection, bool manual, bool listCorrection) = 0;

    int MState = 0;
    int ShipShape = 0;
    int LcfType = 0;
    int MctType = 0;
    bool IsLoading = true;
    bool IsListCorrection = false;
    int PerpCorrection = 0;
    std::string PathToDB;
    double TableDensity = 1.025;
};

// Marovin's route plan window as the main window drives it.
class TMarovinDocument : public TDocumentForm {
    Q_OBJECT
public:
    using TDocumentForm::TDocumentForm;

    virtual void Init() = 0;
    virtual void OpenLibrary(const std::string& fileName) = 0;
    virtual void SaveLibrary(const std::string& fileName) = 0;
    void SaveVoyage(const std::string& fileName) override = 0;
    void OpenVoyage(const std::string& fileName) override = 0;
    void CalculateAll() override = 0;
};

} // namespace shell
