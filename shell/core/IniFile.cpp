#include "IniFile.h"

#include "Error.h"
#include "Utils.h"
#include "Xml.h"

#include <fstream>

namespace shell {

namespace {

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// The section named by a "[Name]" line, or false when the line is no section header.
bool SectionOf(const std::string& line, std::string& name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyOf(const std::string& line, std::string& key, std::string& value)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty() && key[0] != ';';
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName))
{
    Load();
}

void TIniFile::Load()
{
    lines_.clear();
    std::ifstream in(fileName_, std::ios::binary);
    if (!in)
        return;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
    }
}

long TIniFile::FindKey(const std::string& section, const std::string& key) const
{
    bool inSection = false;
    std::string name, k, v;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (SectionOf(lines_[i], name)) {
            inSection = SameText(name, section);
            continue;
        }
        if (inSection && KeyOf(lines_[i], k, v) && SameText(k, key))
            return static_cast<long>(i);
    }
    return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    long i = FindKey(section, key);
    if (i < 0)
        return defaultValue;
    std::string k, v;
    KeyOf(lines_[static_cast<size_t>(i)], k, v);
    return v;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    std::string text = ReadString(section, key, "");
    if (text.empty())
        return defaultValue;
    try {
        return XmlTextToInteger(text);
    } catch (const Error&) {
        return defaultValue;
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    std::string newLine = key + "=" + value;
    long i = FindKey(section, key);
    if (i >= 0) {
        lines_[static_cast<size_t>(i)] = newLine;
    } else {
        // Append to the end of the section (before its trailing blank lines), or add it.
        long sectionEnd = -1;
        bool inSection = false;
        std::string name;
        for (size_t j = 0; j < lines_.size(); ++j) {
            if (SectionOf(lines_[j], name)) {
                inSection = SameText(name, section);
                if (inSection)
                    sectionEnd = static_cast<long>(j);
                continue;
            }
            if (inSection && !Trim(lines_[j]).empty())
                sectionEnd = static_cast<long>(j);
        }
        if (sectionEnd >= 0) {
            lines_.insert(lines_.begin() + sectionEnd + 1, newLine);
        } else {
            if (!lines_.empty() && !Trim(lines_.back()).empty())
                lines_.emplace_back();
            lines_.push_back("[" + section + "]");
            lines_.push_back(newLine);
        }
    }
    Save();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::Save() const
{
    std::string text;
    for (const std::string& l : lines_) {
        text += l;
        text += '\n';
    }
    try {
        WriteFileAtomically(fileName_, text);
    } catch (const Error&) {
        throw Error("Unable to write to " + fileName_);
    }
}

} // namespace shell
