#include "shell/platform/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

TEST(UserFolders, DocumentsFollowTheDesktopSettingAndFallBack)
{
    std::string tmpl = (fs::temp_directory_path() / "orvanel-home-XXXXXX").string();
    const std::string home = mkdtemp(tmpl.data());
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");

    // No user-dirs file: $HOME/Documents, created on demand.
    EXPECT_EQ(shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL), home + "/Documents");
    EXPECT_TRUE(fs::is_directory(home + "/Documents"));

    // A documents folder named in user-dirs.dirs.
    fs::create_directories(home + "/.config");
    { std::FILE* f = std::fopen((home + "/.config/user-dirs.dirs").c_str(), "w");
      std::fputs("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", f); std::fclose(f); }
    EXPECT_EQ(shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL), home + "/Papers");

    // A documents folder that cannot be created: the application data folder instead.
    { std::FILE* f = std::fopen((home + "/Blocked").c_str(), "w"); std::fclose(f); }
    { std::FILE* f = std::fopen((home + "/.config/user-dirs.dirs").c_str(), "w");
      std::fputs("XDG_DOCUMENTS_DIR=\"$HOME/Blocked/Docs\"\n", f); std::fclose(f); }
    EXPECT_EQ(shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL), home + "/.local/share");

    // The environment variable, when set, wins over the user-dirs file.
    setenv("XDG_DOCUMENTS_DIR", (home + "/FromEnv").c_str(), 1);
    EXPECT_EQ(shell::GetSpecialFolderPath(shell::CSIDL_PERSONAL), home + "/FromEnv");
    unsetenv("XDG_DOCUMENTS_DIR");
    fs::remove_all(home);
}
