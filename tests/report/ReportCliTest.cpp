// The report commands of the three CLIs: text and PDF with the templates installed, the
// missing-template message and exit codes without them.

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using testing_support::ReadBytes;
using testing_support::Quote;

const std::string kData = std::string(ORVANEL_TEST_DATA) + "/";

struct TRun {
    int Status = -1;
    std::string Err;
};

struct TCommand {
    const char* Cli;
    const char* Command;
    std::string Document;
    const char* Template;
    const char* Expected;  // expected text export, in tests/data/report/expected
    const char* PdfText;   // a text the PDF must carry
};

const std::vector<TCommand>& Commands()
{
    static const std::vector<TCommand> commands = {
        {KELVARA_CLI, "export", kData + "kelvara/WorkedExample.kvx", "RepKelvara.fr3", "RepKelvara.txt", ""},
        {KELVARA_CLI, "pdf", kData + "kelvara/WorkedExample.kvx", "RepKelvara.fr3", "", "TOTAL CARGO BY DRAUGHT SURVEY"},
        {MAROVIN_CLI, "export-route", kData + "marovin/route.mvx", "RepRoute.fr3", "RepRoute.txt", ""},
        {MAROVIN_CLI, "pdf-route", kData + "marovin/route.mvx", "RepRoute.fr3", "", "Cabo da Roca"},
        {MAROVIN_CLI, "export-library", kData + "marovin/library.xml", "RepLibrary.fr3", "RepLibrary.txt", ""},
        {MAROVIN_CLI, "pdf-library", kData + "marovin/library.xml", "RepLibrary.fr3", "", "Equator crossing"},
        {TESSALY_CLI, "export", kData + "tessaly/good/advanced-complete.tyx", "RepTessalyAdv.fr3", "RepTessalyAdv.txt", ""},
        {TESSALY_CLI, "pdf", kData + "tessaly/good/alternative-complete.tyx", "RepTessalyAlt.fr3", "",
         "Place More Lashing On P/Side."},
    };
    return commands;
}

class ReportCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "report-cli-XXXXXX").string();
        home_ = mkdtemp(pattern.data());
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", (home_ + "/Documents").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home_.c_str(), 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM"); // the CLI picks the offscreen platform itself
        fs::create_directories(home_ + "/Documents/Orvanel/Data");
        fs::copy_file(kData + "kelvara/WorkedExample.xml", home_ + "/Documents/Orvanel/Data/WorkedExample.xml");
        templates_ = home_ + "/Documents/Orvanel/Templates/";
        fs::create_directories(templates_);
    }
    void TearDown() override { fs::remove_all(home_); }

    TRun Run(const std::string& cli, const std::vector<std::string>& args)
    {
        std::string cmd = Quote(cli);
        for (const auto& a : args)
            cmd += " " + Quote(a);
        cmd += " >/dev/null 2>" + Quote(home_ + "/err.txt");
        TRun r;
        int raw = std::system(cmd.c_str());
        r.Status = testing_support::ExitStatus(raw);
        r.Err = ReadBytes(home_ + "/err.txt");
        return r;
    }

    std::string home_;
    std::string templates_;
};

TEST_F(ReportCli, MissingTemplateIsAnErrorAndWritesNothing)
{
    for (const auto& c : Commands()) {
        std::string out = home_ + "/out";
        TRun r = Run(c.Cli, {c.Command, c.Document, out});
        EXPECT_EQ(r.Status, 1) << c.Command;
        EXPECT_EQ(r.Err, std::string("error: Unable to find '") + c.Template + "' file.\n") << c.Command;
        EXPECT_FALSE(fs::exists(out)) << c.Command;
    }
}

TEST_F(ReportCli, TextAndPdfFromTheInstalledTemplates)
{
    for (const auto& entry : fs::directory_iterator(ORVANEL_TEMPLATES))
        if (entry.path().extension() == ".fr3")
            fs::copy_file(entry.path(), templates_ + entry.path().filename().string());
    for (const auto& c : Commands()) {
        std::string out = home_ + "/out." + (c.Expected[0] ? "txt" : "pdf");
        TRun r = Run(c.Cli, {c.Command, c.Document, out});
        EXPECT_EQ(r.Status, 0) << c.Command << ": " << r.Err;
        EXPECT_EQ(r.Err, "") << c.Command;
        if (c.Expected[0]) {
            EXPECT_EQ(ReadBytes(out), ReadBytes(kData + "report/expected/" + c.Expected)) << c.Command;
        } else {
            std::string txt = home_ + "/pdf.txt";
            std::system(("pdftotext " + Quote(out) + " " + Quote(txt)).c_str());
            EXPECT_NE(ReadBytes(txt).find(c.PdfText), std::string::npos) << c.Command;
        }
        fs::remove(out);
    }
}

TEST_F(ReportCli, UsageAndUnreadableDocuments)
{
    EXPECT_EQ(Run(KELVARA_CLI, {"export", kData + "kelvara/WorkedExample.kvx"}).Status, 2);
    EXPECT_EQ(Run(MAROVIN_CLI, {"pdf-library"}).Status, 2);
    TRun r = Run(TESSALY_CLI, {"pdf", home_ + "/none.tyx", home_ + "/out.pdf"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.rfind("error: ", 0), 0u);
    EXPECT_FALSE(fs::exists(home_ + "/out.pdf"));
}

} // namespace
