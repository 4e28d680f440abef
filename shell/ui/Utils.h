#pragma once
// Desktop helpers of the shell that need the platform service.

#include <string>

namespace shell {

// Opens a file or address with the shell's "open" action. On failure throws shell::Error
// "System Error.  Code: %d.\r\n%s" with the system's code and description.
void ShellOpen(const std::string& target);

// The application-wide error display: caption = program name, error icon, OK. A full stop
// is appended when the text's last character has a code above 46.
void ShowApplicationError(const std::string& text);
std::string WithFullStop(const std::string& text);

} // namespace shell
