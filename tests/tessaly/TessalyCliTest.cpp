// tessaly-cli run as a process: output, files and exit status.

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using testing_support::ReadBytes;

const std::string Data = std::string(ORVANEL_TEST_DATA) + "/tessaly/";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class TessalyCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("tessaly-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File(const std::string& name) const { return (dir_ / name).string(); }

    // Runs the CLI with arguments quoted for the shell; stdout and stderr go to files.
    TRun Run(const std::vector<std::string>& args) const
    {
        std::string cmd = "'" + std::string(TESSALY_CLI) + "'";
        for (const std::string& a : args)
            cmd += " '" + a + "'";
        cmd += " >'" + File("stdout") + "' 2>'" + File("stderr") + "'";
        TRun r;
        const int raw = std::system(cmd.c_str());
        r.Status = testing_support::ExitStatus(raw);
        r.Out = ReadBytes(File("stdout"));
        r.Err = ReadBytes(File("stderr"));
        return r;
    }

    fs::path dir_;
};

TEST_F(TessalyCli, NewDocumentsAreTheGoldenFilesAndHaveNoResults)
{
    for (const std::string method : {"advanced", "alternative"}) {
        const std::string out = File(method + ".tyx");
        TRun made = Run({"new", method, out});
        ASSERT_EQ(made.Status, 0) << made.Err;
        EXPECT_EQ(ReadBytes(out), ReadBytes(Data + "new-" + method + ".tyx"));

        TRun values = Run({"values", out});
        ASSERT_EQ(values.Status, 0) << values.Err;
        EXPECT_EQ(values.Err, "");
        const std::vector<std::string> lines = Lines(values.Out);
        const size_t fields = method == "advanced" ? 6 : 11;
        ASSERT_EQ(lines.size(), 35 + 5 * fields) << values.Out;
        EXPECT_EQ(lines[0], "VesselName=");
        EXPECT_EQ(lines[5], "BGM=0");
        EXPECT_EQ(lines[7], "Vertical=Lower Hold");
        EXPECT_EQ(lines[28], "PortSlidingResult=");
        EXPECT_EQ(lines[34], "Remarks=");
        EXPECT_EQ(values.Out.find("Result["), std::string::npos);
        EXPECT_EQ(lines[35], "frxDBDataset[1]." + std::string(method == "advanced" ? "Type" : "mtType") + "=Class 1 chain");
    }
}

TEST_F(TessalyCli, ValuesOfACompleteDocument)
{
    TRun r = Run({"values", Data + "good/advanced-complete.tyx"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    EXPECT_EQ(lines[0], "VesselName=MV Orvanel Star");
    for (const char* line : {"CargoSpec=Transformer & cradle", "Fx=42.50 kN", "BGM=10.00", "FwdSliding=46.53",
                             "Result[1]= Correction factor \t\tcf = 1.00",
                             "Result[5]=-------------------------------------------------------------------------------------",
                             "Result[11]= Transverse tipping (STBD arrangement)\t\t228\t>= Fy * a\tO.K.",
                             "frxDBDataset[3].Position=STBD->FWD", "frxDBDataset[3].LeverArm=0.5",
                             "frxDBDataset[5].MSL=90"})
        EXPECT_TRUE(HasLine(lines, line)) << line;
    EXPECT_FALSE(HasLine(lines, "Result[12]="));
    // The report values come first, then the result lines, then the table.
    EXPECT_EQ(lines[35].rfind("Result[1]=", 0), 0u);
    EXPECT_EQ(lines[46].rfind("frxDBDataset[1].Type=", 0), 0u);
}

TEST_F(TessalyCli, ResaveWritesWhatTheProgramWouldSaveAfterOpening)
{
    const std::string out = File("out.tyx");
    TRun r = Run({"resave", Data + "good/advanced-complete.tyx", out});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadBytes(out), ReadBytes(Data + "good/advanced-complete.tyx"));

    // The alternative document is recalculated on opening: the stored zero coefficients
    // become the computed ones.
    r = Run({"resave", Data + "good/alternative-complete.tyx", out});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string text = ReadBytes(out);
    EXPECT_NE(text.find("<Fy>.85625</Fy>"), std::string::npos) << text;
    EXPECT_NE(text.find("<Fx>.575859</Fx>"), std::string::npos);
}

TEST_F(TessalyCli, FailuresAndUsage)
{
    const std::string broken = Data + "broken/count-above-lashings.tyx";
    TRun r = Run({"values", broken});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "error: Can't load file: " + broken +
                         "\nerror: LashingsCount is 6 but the file holds 5 Lashing elements\n");

    const std::string empty = Data + "broken/empty.tyx";
    r = Run({"resave", empty, File("out.tyx")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: Unable to load the file: " + empty + "\n");
    EXPECT_FALSE(fs::exists(File("out.tyx")));

    r = Run({"values", File("missing.tyx")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.rfind("error: Cannot open file", 0), 0u) << r.Err;

    r = Run({"new", "advanced", File("no-such-folder/x.tyx")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.rfind("error: Can't save file: " + File("no-such-folder/x.tyx") + "\n", 0), 0u) << r.Err;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"values"}, {"values", "a", "b"}, {"new", "sideways", File("x.tyx")}, {"export"}, {"--help"}}) {
        r = Run(args);
        EXPECT_EQ(r.Status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.Err.find("usage:"), std::string::npos);
        EXPECT_NE(r.Err.find("tessaly-cli new advanced|alternative OUT.tyx"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(File("x.tyx")));
}

} // namespace
