#pragma once
// What the three command-line companions share: exit codes, the command table and its
// dispatch, the usage text, and how errors and values are printed.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shell::cli {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1; // a document or file could not be opened or saved
constexpr int ExitUsage = 2;   // wrong command line; the usage text follows

using TArgs = std::vector<std::string>;

struct TCommand {
    const char* Name;
    int ArgCount;      // arguments after the command name
    const char* Usage; // the arguments, for the usage text
    const char* Help;  // one line
    int (*Run)(const TArgs& args);
};

// "error: TEXT" on standard error.
void PrintError(const std::string& text);

// A value printed on one line: a line break inside it is written as \n or \r and a
// backslash as \\; tabs are kept.
std::string Escape(std::string_view text);

// Prints the usage text of every command (and an optional closing note) to standard
// error; returns ExitUsage.
int Usage(const char* program, std::span<const TCommand> commands, const char* note = nullptr);

// Runs the command named by argv[1] with the right number of arguments; anything else is
// a usage error. An error that escapes a command is printed and gives ExitFailure.
int Dispatch(int argc, char** argv, const char* program, std::span<const TCommand> commands,
             const char* note = nullptr);

} // namespace shell::cli
