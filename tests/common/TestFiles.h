#pragma once
// Small helpers shared by the tests that run the command-line programs and compare files.

#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace testing_support {

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A word for /bin/sh, quoted so that blanks and quotes in paths pass unchanged.
inline std::string Quote(const std::string& s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Exit status of a command run by std::system or pclose; -1 when it did not exit.
inline int ExitStatus(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace testing_support
