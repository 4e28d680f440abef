#include "TessalyProgram.h"

#include "tessaly/ui/FormLashingAdvance.h"
#include "tessaly/ui/FormLashingAlternative.h"
#include "shell/core/Xml.h"

namespace tessaly {

namespace {

constexpr int MethodAdvanced = 1;
constexpr int MethodAlternative = 2;

class TTessalyDriver : public shell::TProgramDriver {
public:
    std::unique_ptr<shell::TDocumentForm> CreateNew(shell::TfrmMain& main, const QString& commandId,
                                                    int& kind) override
    {
        std::unique_ptr<TfrmBase> form;
        if (commandId == "NewAdvanced") {
            form = std::make_unique<TfrmAdvanced>(&main);
            kind = MethodAdvanced;
        } else if (commandId == "NewAlternative") {
            form = std::make_unique<TfrmAlternative>(&main);
            kind = MethodAlternative;
        } else {
            return nullptr;
        }
        form->SetupUI();
        return form;
    }

    bool ReadHeader(shell::TfrmMain&, const shell::TXmlDocument& xml, const std::string&) override
    {
        // The first Contents and CalcMethod anywhere in the file; a missing one reads as
        // empty and makes the file one this program does not know.
        auto first = [&](const char* name) {
            shell::TXmlNode node = xml.Root().FindNode(name);
            return node ? node.ValueAsString() : std::string();
        };
        contents_ = first("Contents");
        calcMethod_ = first("CalcMethod");
        return true;
    }

    std::unique_ptr<shell::TDocumentForm> CreateForOpen(shell::TfrmMain& main, const std::string& fileName,
                                                        int& kind) override
    {
        if (contents_ != TessalyContents)
            return nullptr;
        std::optional<TCalcMethod> method = CalcMethodFromText(calcMethod_);
        if (!method)
            return nullptr;
        std::unique_ptr<TfrmBase> form;
        if (*method == TCalcMethod::Advanced) {
            form = std::make_unique<TfrmAdvanced>(&main);
            kind = MethodAdvanced;
        } else {
            form = std::make_unique<TfrmAlternative>(&main);
            kind = MethodAlternative;
        }
        form->OpenVoyage(fileName);
        return form;
    }

    void ShowDocumentStatus(shell::TfrmMain& main) override
    {
        main.SetStatusText(1, main.CurrentKind() == MethodAdvanced ? "Tessaly (Advanced Method)"
                                                                   : "Tessaly (Alternative Method)");
    }

    void ClearDocumentStatus(shell::TfrmMain& main) override
    {
        main.SetStatusText(1, "");
    }

private:
    std::string contents_;
    std::string calcMethod_;
};

} // namespace

shell::TProgramDescription Description()
{
    shell::TProgramDescription d = shell::DescriptionOf(shell::TProgram::Tessaly);
    d.Driver = [] { return std::make_unique<TTessalyDriver>(); };
    return d;
}

} // namespace tessaly
