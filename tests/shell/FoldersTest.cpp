#include "shell/core/Folders.h"
#include "shell/core/Utils.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace shell;
namespace fs = std::filesystem;

TEST(Folders, EachProgramCreatesItsOwnTree)
{
    std::string tmpl = (fs::temp_directory_path() / "orvanel-folders-XXXXXX").string();
    const std::string docs = mkdtemp(tmpl.data());
    int asked = 0;
    auto documents = [&] {
        ++asked;
        return docs;
    };

    TFolders k = PrepareFolders(TProgram::Kelvara, documents);
    EXPECT_EQ(k.TemplatesFolder, docs + "/Orvanel/Templates/");
    EXPECT_EQ(k.ArchiveFolder, docs + "/Orvanel/Archive/");
    EXPECT_EQ(k.DataFolder, docs + "/Orvanel/Data/");
    EXPECT_EQ(k.WaypointsFolder, "");
    EXPECT_EQ(k.IniFileName, docs + "/Orvanel/Kelvara.ini");
    EXPECT_GE(asked, 3) << "the documents folder is asked anew for every path";

    TFolders m = PrepareFolders(TProgram::Marovin, documents);
    EXPECT_EQ(m.WaypointsFolder, docs + "/Orvanel/Waypoints/");
    EXPECT_EQ(m.DataFolder, "");
    EXPECT_EQ(m.IniFileName, docs + "/Orvanel/Marovin.ini");

    fs::remove_all(docs + "/Orvanel");
    TFolders t = PrepareFolders(TProgram::Tessaly, documents);
    EXPECT_EQ(t.IniFileName, docs + "/Orvanel/Tessaly.ini");
    EXPECT_TRUE(DirectoryExists(t.TemplatesFolder));
    EXPECT_TRUE(DirectoryExists(t.ArchiveFolder));
    EXPECT_FALSE(DirectoryExists(docs + "/Orvanel/Data"));
    EXPECT_FALSE(DirectoryExists(docs + "/Orvanel/Waypoints"));
    EXPECT_FALSE(FileExists(t.IniFileName)) << "settings are written at close, not at start";
    fs::remove_all(docs);
}

TEST(Folders, UncreatableFolderIsNotReported)
{
    // A file stands where the suite folder should be: paths are still built, nothing throws.
    std::string tmpl = (fs::temp_directory_path() / "orvanel-folders-XXXXXX").string();
    const std::string docs = mkdtemp(tmpl.data());
    { std::FILE* f = std::fopen((docs + "/Orvanel").c_str(), "w"); std::fclose(f); }
    TFolders t = PrepareFolders(TProgram::Tessaly, [&] { return docs; });
    EXPECT_EQ(t.ArchiveFolder, docs + "/Orvanel/Archive/");
    EXPECT_FALSE(DirectoryExists(t.ArchiveFolder));
    fs::remove_all(docs);
}

TEST(Utils, ZeroTestAndNumberTexts)
{
    EXPECT_FALSE(IsZeroValue(1e-7));
    EXPECT_TRUE(IsZeroValue(9.99e-8));
    EXPECT_TRUE(IsZeroValue(-9.99e-8));
    EXPECT_TRUE(IsEmptyString(""));
    EXPECT_FALSE(IsEmptyString(" "));
    EXPECT_EQ(FormatNumber15(165.265), "165.265");
    EXPECT_EQ(FormatNumber15(-0.0), "0");
    EXPECT_EQ(FormatNumber15(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumber15(1e20), "1e+20");
    EXPECT_TRUE(SameText("DataBase", "database"));
    EXPECT_FALSE(SameText("Data", "Database"));
}
