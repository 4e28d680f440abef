#include "Folders.h"

#include <filesystem>
#include <system_error>

namespace shell {

const char* ProgramName(TProgram program)
{
    switch (program) {
    case TProgram::Kelvara: return "Kelvara";
    case TProgram::Marovin: return "Marovin";
    case TProgram::Tessaly: return "Tessaly";
    }
    return "";
}

bool ForceDirectories(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

TFolders PrepareFolders(TProgram program, const std::function<std::string()>& documentsFolder)
{
    auto folder = [&](const char* name) {
        std::string path = documentsFolder() + "/Orvanel/" + name + "/";
        ForceDirectories(path); // result ignored on purpose
        return path;
    };
    TFolders f;
    f.TemplatesFolder = folder("Templates");
    f.ArchiveFolder = folder("Archive");
    if (program == TProgram::Kelvara)
        f.DataFolder = folder("Data");
    if (program == TProgram::Marovin)
        f.WaypointsFolder = folder("Waypoints");
    f.IniFileName = documentsFolder() + "/Orvanel/" + ProgramName(program) + ".ini";
    return f;
}

} // namespace shell
