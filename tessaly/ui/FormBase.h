#pragma once
// The document form contract of Tessaly's main window. TfrmAdvanced and TfrmAlternative
// override these operations, in this order.

#include "shell/ui/DocumentForm.h"

#include <string>

namespace tessaly {

class TfrmBase : public shell::TDocumentForm {
    Q_OBJECT
public:
    using shell::TDocumentForm::TDocumentForm;

    // A new document: the five initial lashing rows.
    virtual void SetupUI() = 0;
    void SaveVoyage(const std::string& fileName) override = 0;
    void OpenVoyage(const std::string& fileName) override = 0;
    void ExportAsText() override = 0;
    void CalculateAll() override = 0;
    void PreviewReport() override = 0;
    void PrintReport() override = 0;
};

} // namespace tessaly
