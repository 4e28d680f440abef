#pragma once
// The suite folder tree below the user's documents folder, and the settings-file path.

#include <functional>
#include <string>

namespace shell {

enum class TProgram { Kelvara, Marovin, Tessaly };

// "Kelvara", "Marovin" or "Tessaly".
const char* ProgramName(TProgram program);

// Folder paths of one program; each folder path ends with "/". A folder the program does
// not use (Data outside Kelvara, Waypoints outside Marovin) stays empty.
struct TFolders {
    std::string TemplatesFolder;
    std::string ArchiveFolder;
    std::string DataFolder;
    std::string WaypointsFolder;
    std::string IniFileName;
};

// Builds the paths "<documents>/Orvanel/<Folder>/" for Templates, Archive, then Data
// (Kelvara) or Waypoints (Marovin), asking documentsFolder() anew for every path, and
// creates each missing folder with all its parents. A folder that cannot be created is
// not reported here; the failure shows when a command uses it.
TFolders PrepareFolders(TProgram program, const std::function<std::string()>& documentsFolder);

// Creates a directory and every missing parent; false when it does not exist afterwards.
bool ForceDirectories(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

} // namespace shell
