#pragma once
// Special folders of the user, found the way the desktop publishes them.

#include <string>

namespace shell {

constexpr int CSIDL_PERSONAL = 5;  // the documents folder
constexpr int CSIDL_APPDATA = 26;  // the per-user application data folder

// Path of the special folder (without a trailing separator), created when missing.
// The documents folder is the XDG documents folder (XDG_DOCUMENTS_DIR / user-dirs,
// else $HOME/Documents); when it cannot be had, the application data folder is used.
std::string GetSpecialFolderPath(int folder);

} // namespace shell
