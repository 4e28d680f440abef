// kelvara-cli run as a separate process, with HOME and the documents folder pointing at a
// temporary folder whose Data folder holds the worked example's ship.

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

std::string Data(const std::string& name)
{
    return std::string(ORVANEL_TEST_DATA) + "/kelvara/" + name;
}

struct TRun {
    int status = -1;
    std::string out, err;
};

class KelvaraCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kelvara-cli-XXXXXX").string();
        home_ = mkdtemp(pattern.data());
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", (home_ + "/Documents").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home_ + "/.local/share").c_str(), 1);
        dataFolder_ = home_ + "/Documents/Orvanel/Data/";
        fs::create_directories(dataFolder_);
        fs::copy_file(Data("WorkedExample.xml"), dataFolder_ + "WorkedExample.xml");
    }
    void TearDown() override { fs::remove_all(home_); }

    TRun Run(const std::vector<std::string>& args)
    {
        std::string cmd = Quote(KELVARA_CLI);
        for (const std::string& a : args)
            cmd += " " + Quote(a);
        cmd += " >" + Quote(home_ + "/out.txt") + " 2>" + Quote(home_ + "/err.txt");
        TRun r;
        int raw = std::system(cmd.c_str());
        r.status = testing_support::ExitStatus(raw);
        r.out = ReadBytes(home_ + "/out.txt");
        r.err = ReadBytes(home_ + "/err.txt");
        return r;
    }

    std::string home_;
    std::string dataFolder_;
};

} // namespace

TEST_F(KelvaraCli, ValuesOfTheWorkedExample)
{
    TRun r = Run({"values", Data("WorkedExample.kvx")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\nConstant=165.265 t\nTotalCargo=1645.848 t\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.rfind("VoyageNumber=V-12\nVesselName=Worked Example\nLBP=100.000 m\n", 0), 0u);
    EXPECT_NE(r.out.find("\nTrim=-0.825 m\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nNetDesplacement2=11511.113 t\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nfrxDsBallast[2].Tank=No.1 WBT P&S\nfrxDsBallast[2].Capacity=1200.5\n"),
              std::string::npos);
    size_t lines = 0;
    for (char c : r.out)
        lines += c == '\n';
    EXPECT_EQ(lines, 82u + 2 * 9);
}

TEST_F(KelvaraCli, ResaveAndShipRewriteByteForByte)
{
    TRun r = Run({"resave", Data("WorkedExample.kvx"), home_ + "/out.kvx"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(home_ + "/out.kvx"), ReadBytes(Data("WorkedExample.kvx")));

    r = Run({"ship", Data("HandEditedShip.xml"), home_ + "/ship.xml"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(home_ + "/ship.xml"), ReadBytes(Data("HandEditedShip.expected.xml")));
}

TEST_F(KelvaraCli, Failures)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // start of standard error
    } cases[] = {
        {{"values", Data("MissingLightShip.kvx")}, 1, "error: Can't load file: " + Data("MissingLightShip.kvx") + "\n"},
        {{"values", Data("MissingShip.kvx")}, 1, "error: Can't find file: " + dataFolder_ + "Gone.xml\n"},
        {{"values", Data("Empty.kvx")}, 1, "error: Unable to load the file: " + Data("Empty.kvx") + "\n"},
        {{"resave", Data("WorkedExample.kvx"), home_ + "/no/such/folder/out.kvx"}, 1,
         "error: Can't save file: " + home_ + "/no/such/folder/out.kvx\n"},
        {{"ship", Data("ShipBadFloat.xml"), home_ + "/x.xml"}, 1, "error: Cannot convert value to float\n"},
        {{}, 2, "usage:"},
        {{"values"}, 2, "usage:"},
        {{"values", "a", "b"}, 2, "usage:"},
        {{"print", Data("WorkedExample.kvx")}, 2, "usage:"},
    };
    for (const Case& c : cases) {
        TRun r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(home_ + "/x.xml"));
}

TEST_F(KelvaraCli, RangeMessagesGoToStandardError)
{
    // Initial readings below the table's first draught of 4 m (first occurrences are the
    // initial survey's).
    std::string text = ReadBytes(Data("WorkedExample.kvx"));
    auto replace = [&](const std::string& from, const std::string& to) {
        for (int i = 0; i < 2; ++i)
            text.replace(text.find(from), from.size(), to);
    };
    replace(">4.6<", ">3.6<");
    replace(">5.4<", ">3.8<");
    text.replace(text.find("<MidDraftPort>5<"), 16, "<MidDraftPort>3.7<");
    text.replace(text.find("<MidDraftStbd>5<"), 16, "<MidDraftStbd>3.7<");
    std::ofstream(home_ + "/shallow.kvx", std::ios::binary) << text;
    TRun r = Run({"values", home_ + "/shallow.kvx"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("information: Value of input draft less than minimum table draft value.\n\r", 0), 0u)
        << r.err;
}
