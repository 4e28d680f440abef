#include "Cli.h"

#include <exception>
#include <iostream>

namespace shell::cli {

void PrintError(const std::string& text)
{
    std::cerr << "error: " << text << "\n";
}

std::string Escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

int Usage(const char* program, std::span<const TCommand> commands, const char* note)
{
    std::string text = "usage:\n";
    for (const TCommand& c : commands)
        text += std::string("  ") + program + " " + c.Name + " " + c.Usage + "\n      " + c.Help + "\n";
    if (note)
        text += note;
    std::cerr << text;
    return ExitUsage;
}

int Dispatch(int argc, char** argv, const char* program, std::span<const TCommand> commands,
             const char* note)
{
    if (argc < 2)
        return Usage(program, commands, note);
    const std::string name = argv[1];
    const TArgs args(argv + 2, argv + argc);
    for (const TCommand& c : commands) {
        if (name != c.Name)
            continue;
        if (static_cast<int>(args.size()) != c.ArgCount)
            return Usage(program, commands, note);
        try {
            return c.Run(args);
        } catch (const std::exception& e) {
            PrintError(e.what());
            return ExitFailure;
        }
    }
    return Usage(program, commands, note);
}

} // namespace shell::cli
