#include "ReportText.h"

#include "Utils.h"

#include "Error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

namespace shell {

namespace {

// Millimetres of paper per character of text: 180 mm of an A4 page come out as 90
// characters, a width that survives e-mail.
constexpr double kMmPerChar = 2.0;

int Utf8Length(const std::string& s)
{
    return static_cast<int>(shell::Utf8Length(s));
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

// Word wrap at `width` characters (a longer word keeps its own line).
std::string WrapChars(const std::string& text, int width)
{
    if (width < 10)
        width = 10;
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string para = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string line;
        size_t i = 0;
        while (i < para.size()) {
            size_t sp = para.find(' ', i);
            std::string word = para.substr(i, sp == std::string::npos ? std::string::npos : sp - i);
            if (!line.empty() && Utf8Length(line) + 1 + Utf8Length(word) > width) {
                out += line + "\n";
                line.clear();
            }
            if (!word.empty())
                line += (line.empty() ? "" : " ") + word;
            i = sp == std::string::npos ? para.size() : sp + 1;
        }
        out += line;
        if (end == std::string::npos)
            break;
        out += "\n";
        start = end + 1;
    }
    return out;
}

struct TCell {
    long Row = 0;         // band index * 100000 + the line's top in mm
    int Column = 0;       // index into the group's columns
    std::string Text;
    THAlign Align = THAlign::Left;
    int BoxChars = 0;     // the item's width in characters
    int Start = 0;        // first character, set by the layout
};

void LayoutGroup(const std::vector<const TPreparedBand*>& bands, size_t firstIndex, std::vector<std::string>& out)
{
    // Columns are the distinct places of the group's text items: a table's header, rows
    // and footer share them, a note above the table does not.
    std::vector<TCell> cells;
    using TKey = std::tuple<long, long, int>;
    auto keyOf = [](const TPreparedItem& item) {
        // A left-aligned column is known by its left edge, a right-aligned one by its
        // right edge, a centred one by its middle.
        double edge = item.HAlign == THAlign::Left ? item.X
                      : item.HAlign == THAlign::Right ? item.X + item.W : item.X + item.W / 2;
        return TKey(std::lround(edge * 2), 0, static_cast<int>(item.HAlign));
    };
    std::map<TKey, int> columnOf;
    std::map<TKey, double> leftOf; // where each column starts on paper
    for (size_t b = 0; b < bands.size(); ++b)
        for (const auto& item : bands[b]->Items) {
            if (item.Kind != TReportItem::TKind::Text)
                continue;
            // A right-aligned or centred column is where its narrowest box starts: a
            // wide label ending at a table column's edge belongs to that column.
            auto [it, fresh] = leftOf.emplace(keyOf(item), item.X);
            if (!fresh)
                it->second = std::max(it->second, item.X);
        }
    // Columns numbered from left to right on paper.
    std::vector<std::pair<double, TKey>> order;
    for (const auto& [key, left] : leftOf)
        order.emplace_back(left, key);
    std::sort(order.begin(), order.end());
    size_t columns = order.size();
    std::vector<double> colEdge(columns, 0), colBox(columns, 0);
    std::vector<THAlign> colAlign(columns, THAlign::Left);
    for (size_t k = 0; k < columns; ++k) {
        columnOf[order[k].second] = static_cast<int>(k);
        colEdge[k] = std::get<0>(order[k].second) / 2.0;
        colAlign[k] = static_cast<THAlign>(std::get<2>(order[k].second));
    }
    for (size_t b = 0; b < bands.size(); ++b)
        for (const auto& item : bands[b]->Items) {
            if (item.Kind != TReportItem::TKind::Text)
                continue;
            int col = columnOf[keyOf(item)];
            colBox[col] = std::max(colBox[col], item.W / kMmPerChar);
            double lineHeight = ReportLineHeight(item.Font);
            const std::string text = item.Wrap ? WrapChars(item.Text, static_cast<int>(item.W / kMmPerChar)) : item.Text;
            size_t start = 0;
            int j = 0;
            while (start <= text.size()) {
                size_t end = text.find('\n', start);
                std::string line = Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
                if (!line.empty()) {
                    TCell c;
                    c.Row = static_cast<long>(firstIndex + b) * 100000 + std::lround(item.Y + j * lineHeight);
                    c.Column = col;
                    c.Text = line;
                    c.Align = item.HAlign;
                    c.BoxChars = static_cast<int>(std::lround(item.W / kMmPerChar));
                    cells.push_back(c);
                }
                if (end == std::string::npos)
                    break;
                start = end + 1;
                ++j;
            }
        }
    if (cells.empty())
        return;
    std::vector<int> width(columns, 0);
    for (const auto& c : cells)
        width[c.Column] = std::max(width[c.Column], Utf8Length(c.Text));
    // Where each column starts: near its place on paper, but never over the cell to its
    // left in any line it shares.
    std::vector<int> stop(columns, 0);
    std::map<long, std::vector<TCell*>> rows;
    for (auto& c : cells)
        rows[c.Row].push_back(&c);
    for (auto& [row, list] : rows)
        std::sort(list.begin(), list.end(), [](const TCell* a, const TCell* b) { return a->Column < b->Column; });
    auto cellStart = [&](const TCell& c) {
        int len = Utf8Length(c.Text);
        if (c.Align == THAlign::Right)
            return stop[c.Column] + width[c.Column] - len;
        if (c.Align == THAlign::Center)
            return stop[c.Column] + std::max(0, (std::max(width[c.Column], c.BoxChars) - len) / 2);
        return stop[c.Column];
    };
    for (size_t col = 0; col < columns; ++col) {
        // Near its place on paper: by its left edge, right edge or middle.
        int edge = static_cast<int>(std::lround(colEdge[col] / kMmPerChar));
        int natural = edge;
        if (colAlign[col] == THAlign::Right)
            natural = edge - width[col];
        else if (colAlign[col] == THAlign::Center)
            natural = edge - std::max(width[col], static_cast<int>(std::lround(colBox[col]))) / 2;
        stop[col] = std::max(0, natural);
        for (auto& [row, list] : rows) {
            const TCell* previous = nullptr;
            bool here = false;
            for (const TCell* c : list) {
                if (c->Column == static_cast<int>(col)) {
                    here = true;
                    break;
                }
                previous = c;
            }
            if (here && previous) {
                int end = cellStart(*previous) + Utf8Length(previous->Text);
                // A right-aligned cell may start left of the column; only its text counts.
                int needed = end + 1;
                for (const TCell* c : list)
                    if (c->Column == static_cast<int>(col)) {
                        int offset = cellStart(*c) - stop[col];
                        stop[col] = std::max(stop[col], needed - offset);
                    }
            }
        }
    }
    for (auto& [row, list] : rows) {
        std::string line;
        int length = 0;
        for (const TCell* c : list) {
            int start = cellStart(*c);
            if (start < length + (length > 0 ? 1 : 0))
                start = length + (length > 0 ? 1 : 0);
            line.append(static_cast<size_t>(start - length), ' ');
            line += c->Text;
            length = start + Utf8Length(c->Text);
        }
        if (!line.empty())
            out.push_back(line);
    }
}

} // namespace

std::string ReportToText(const TPreparedReport& report)
{
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < report.Bands.size()) {
        std::vector<const TPreparedBand*> group;
        size_t first = i;
        int id = report.Bands[i].Group;
        while (i < report.Bands.size() && report.Bands[i].Group == id)
            group.push_back(&report.Bands[i++]);
        LayoutGroup(group, first, lines);
    }
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    return out;
}

void SaveReportText(const TPreparedReport& report, const std::string& fileName)
{
    std::string text = ReportToText(report);
    std::string temp = fileName + ".tmp~";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (f)
            f.write(text.data(), static_cast<std::streamsize>(text.size()));
        f.flush();
        if (!f) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            throw Error("Cannot write the text file " + fileName + ".");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, fileName, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw Error("Cannot write the text file " + fileName + ".");
    }
}

} // namespace shell
