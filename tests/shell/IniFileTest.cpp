#include "shell/core/Error.h"
#include "shell/core/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace shell;
namespace fs = std::filesystem;

namespace {

struct IniFixture : ::testing::Test {
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "orvanel-ini-XXXXXX").string();
        dir = mkdtemp(tmpl.data());
        file = dir + "/Marovin.ini";
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string Read()
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir, file;
};

} // namespace

TEST_F(IniFixture, MissingFileSectionOrKeyGivesDefaults)
{
    TIniFile missing(file);
    EXPECT_EQ(missing.ReadInteger("MainForm", "Height", 755), 755);
    EXPECT_EQ(missing.ReadString("Database", "DataBase", "default.xml"), "default.xml");
    Write("[MainForm]\nTop=10\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Top", -1), 10);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Left", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Other", "Top", -1), -1);
}

TEST_F(IniFixture, NamesIgnoreCaseAndBadIntegersGiveTheDefault)
{
    Write("[mainform]\r\ntop = 12\r\nLEFT=abc\r\nHeight=\r\nWidth=99999999999\r\n[DATABASE]\r\ndatabase=route lib.xml\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Top", -1), 12);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Left", -1), -1);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Height", 600), 600);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Width", 750), 750);
    EXPECT_EQ(ini.ReadString("Database", "DataBase", "default.xml"), "route lib.xml");
}

TEST_F(IniFixture, WritingKeepsEverythingElse)
{
    Write("; kept comment\n[MainForm]\nTop=1\nCustom=keep\n\n[Other]\nKey=Value\n");
    TIniFile ini(file);
    ini.WriteInteger("MAINFORM", "top", 5);
    ini.WriteInteger("MainForm", "Width", 800);
    ini.WriteString("Database", "DataBase", "a.xml");
    EXPECT_EQ(Read(), "; kept comment\n[MainForm]\ntop=5\nCustom=keep\nWidth=800\n\n[Other]\nKey=Value\n"
                      "\n[Database]\nDataBase=a.xml\n");
    TIniFile again(file);
    EXPECT_EQ(again.ReadInteger("MainForm", "Top", -1), 5);
    EXPECT_EQ(again.ReadString("Other", "Key", ""), "Value");
}

TEST_F(IniFixture, UnwritableFileRaisesTheWriteError)
{
    TIniFile ini(dir + "/missing-folder/Tessaly.ini");
    try {
        ini.WriteInteger("MainForm", "Top", 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir + "/missing-folder/Tessaly.ini");
    }
}
