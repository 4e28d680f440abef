#pragma once
// Small helpers shared by Kelvara's core tests.

#include "kelvara/core/Types.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kelvara_test {

inline std::string DataPath(const std::string& name)
{
    return std::string(ORVANEL_TEST_DATA) + "/kelvara/" + name;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A fresh folder below the system's temporary folder, removed with the object. Its
// Data() subfolder stands for the suite's Data folder (path ends with "/").
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvara-test-XXXXXX").string();
        Path_ = mkdtemp(pattern.data());
        std::filesystem::create_directories(Path_ + "/Data");
    }
    ~TTempFolder() { std::filesystem::remove_all(Path_); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return Path_; }
    std::string Data() const { return Path_ + "/Data/"; }
    std::string File(const std::string& name) const { return Path_ + "/" + name; }
    void CopyShip(const std::string& fixture, const std::string& as = "") const
    {
        std::filesystem::copy_file(DataPath(fixture), Data() + (as.empty() ? fixture : as),
                                   std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::string Path_;
};

// Records what the core would show the user.
struct TMessageLog {
    std::vector<std::string> Texts;
    kelvara::TNotifier Notifier()
    {
        return [this](kelvara::TMessageType, const std::string& text) { Texts.push_back(text); };
    }
};

} // namespace kelvara_test
