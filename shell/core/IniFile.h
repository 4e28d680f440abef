#pragma once
// A small settings file of "[Section]" headers and "Key=Value" lines. Sections and keys
// are compared without regard to case. Reading never fails: a missing file, section or
// key, or a value that is not an integer where one is asked for, gives the default.
// Every write rewrites the file at once, keeping every other section and key.

#include <string>
#include <vector>

namespace shell {

class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // Throws shell::Error("Unable to write to <file>") when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

    const std::string& FileName() const { return fileName_; }

private:
    void Load();
    void Save() const;
    // Index of the line holding the key inside the section, or -1.
    long FindKey(const std::string& section, const std::string& key) const;

    std::string fileName_;
    std::vector<std::string> lines_;
};

} // namespace shell
