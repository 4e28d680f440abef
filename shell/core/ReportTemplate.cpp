#include "ReportTemplate.h"

#include "Error.h"
#include "Utils.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace shell {

namespace {

struct TBandName {
    const char* Name;
    TBandKind Kind;
};

constexpr TBandName kBandNames[] = {
    {"ReportTitle", TBandKind::ReportTitle}, {"PageHeader", TBandKind::PageHeader},
    {"PageFooter", TBandKind::PageFooter},   {"Body", TBandKind::Body},
    {"Header", TBandKind::Header},           {"MasterData", TBandKind::MasterData},
    {"Footer", TBandKind::Footer},           {"Summary", TBandKind::Summary},
};

const char* kBandList = "ReportTitle, PageHeader, PageFooter, Body, Header, MasterData, Footer, Summary";

// Largest length accepted anywhere in a template: a sheet of 10 m is surely a typing error.
constexpr double kMaxLength = 10000;

struct TToken {
    std::string Text;
    bool Quoted = false;
};

// Splits the part of a line before the content into words and "quoted strings"
// ("" inside a quoted string is one quote).
std::vector<TToken> Tokenize(const std::string& s)
{
    std::vector<TToken> tokens;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c) || c == ',') {
            ++i;
        } else if (c == '"') {
            TToken t;
            t.Quoted = true;
            ++i;
            bool closed = false;
            while (i < s.size()) {
                if (s[i] == '"') {
                    if (i + 1 < s.size() && s[i + 1] == '"') {
                        t.Text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.Text += s[i++];
            }
            if (!closed)
                throw Error("a quoted text is not closed");
            tokens.push_back(t);
        } else {
            TToken t;
            while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != ',' &&
                   s[i] != '"')
                t.Text += s[i++];
            tokens.push_back(t);
        }
    }
    return tokens;
}

// Position of the ':' that starts a text item's content (the first one outside quotes).
size_t FindContentColon(const std::string& s)
{
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == ':' && !quoted)
            return i;
    }
    return std::string::npos;
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

class TTokenReader {
public:
    explicit TTokenReader(std::vector<TToken> tokens) : tokens_(std::move(tokens)) {}

    bool AtEnd() const { return pos_ >= tokens_.size(); }
    const TToken& Next(const char* what)
    {
        if (AtEnd())
            throw Error(std::string("missing ") + what);
        return tokens_[pos_++];
    }
    std::string Word(const char* what)
    {
        const TToken& t = Next(what);
        return t.Text;
    }
    std::string Quoted(const char* what)
    {
        const TToken& t = Next(what);
        return t.Text;
    }
    double Number(const char* what, double low, double high)
    {
        const TToken& t = Next(what);
        double v = 0;
        const char* b = t.Text.data();
        const char* e = b + t.Text.size();
        auto [p, ec] = std::from_chars(b, e, v);
        if (t.Quoted || ec != std::errc() || p != e || !std::isfinite(v))
            throw Error(std::string("'") + t.Text + "' is not a number (" + what + ")");
        if (v < low || v > high)
            throw Error(std::string(what) + " " + t.Text + " is out of range (" + FormatNumber15(low) +
                        " to " + FormatNumber15(high) + ")");
        return v;
    }

private:
    std::vector<TToken> tokens_;
    size_t pos_ = 0;
};

bool ParseFontOption(TTokenReader& r, const std::string& word, TReportFont& font)
{
    if (SameText(word, "Bold"))
        font.Bold = true;
    else if (SameText(word, "Italic"))
        font.Italic = true;
    else if (SameText(word, "Regular"))
        font.Bold = font.Italic = false;
    else if (SameText(word, "Size"))
        font.Size = r.Number("font size", 4, 72);
    else if (SameText(word, "Font"))
        font.Family = r.Quoted("font name");
    else
        return false;
    return true;
}

TReportItem ParseTextItem(TTokenReader& r, const TReportFont& defaultFont, const std::string& content)
{
    TReportItem item;
    item.Kind = TReportItem::TKind::Text;
    item.Font = defaultFont;
    item.X = r.Number("x", 0, kMaxLength);
    item.Y = r.Number("y", 0, kMaxLength);
    item.W = r.Number("width", 0, kMaxLength);
    item.H = r.Number("height", 0, kMaxLength);
    while (!r.AtEnd()) {
        std::string w = r.Word("option");
        if (ParseFontOption(r, w, item.Font))
            continue;
        if (SameText(w, "Left"))
            item.HAlign = THAlign::Left;
        else if (SameText(w, "Center"))
            item.HAlign = THAlign::Center;
        else if (SameText(w, "Right"))
            item.HAlign = THAlign::Right;
        else if (SameText(w, "Top"))
            item.VAlign = TVAlign::Top;
        else if (SameText(w, "Middle"))
            item.VAlign = TVAlign::Middle;
        else if (SameText(w, "Bottom"))
            item.VAlign = TVAlign::Bottom;
        else if (SameText(w, "Format"))
            item.Format = r.Quoted("number format");
        else if (SameText(w, "Frame"))
            item.Frame = true;
        else if (SameText(w, "Shade"))
            item.Shade = true;
        else if (SameText(w, "Grow"))
            item.Grow = true;
        else if (SameText(w, "Stretch"))
            item.Stretch = true;
        else if (SameText(w, "Width"))
            item.LineWidth = r.Number("line width", 0, 5);
        else
            throw Error("unknown option '" + w +
                        "' of a Text item (options: Bold, Italic, Size, Font, Left, Center, Right, "
                        "Top, Middle, Bottom, Format, Frame, Shade, Grow, Stretch, Width)");
    }
    item.Content = ParseReportContent(content);
    return item;
}

TReportItem ParseLineItem(TTokenReader& r, bool box)
{
    TReportItem item;
    item.Kind = box ? TReportItem::TKind::Box : TReportItem::TKind::Line;
    item.X = r.Number("x", 0, kMaxLength);
    item.Y = r.Number("y", 0, kMaxLength);
    if (box) {
        item.W = r.Number("width", 0, kMaxLength);
        item.H = r.Number("height", 0, kMaxLength);
    } else {
        // A line is written by its two ends.
        double x2 = r.Number("x2", 0, kMaxLength);
        double y2 = r.Number("y2", 0, kMaxLength);
        item.W = x2 - item.X;
        item.H = y2 - item.Y;
    }
    while (!r.AtEnd()) {
        std::string w = r.Word("option");
        if (SameText(w, "Width"))
            item.LineWidth = r.Number("line width", 0, 5);
        else if (box && SameText(w, "Shade"))
            item.Shade = true;
        else if (SameText(w, "Stretch"))
            item.Stretch = true;
        else
            throw Error("unknown option '" + w + (box ? "' of a Box (options: Width, Shade, Stretch)"
                                                       : "' of a Line (options: Width, Stretch)"));
    }
    return item;
}

bool IsIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifier(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (!IsIdentifierChar(c))
            return false;
    return true;
}

// Dataset."Field" (the quotes may be left out when the field name is a plain word).
bool SplitDatasetField(const std::string& s, std::string& dataset, std::string& field)
{
    size_t dot = s.find('.');
    if (dot == std::string::npos)
        return false;
    dataset = Trim(s.substr(0, dot));
    std::string f = Trim(s.substr(dot + 1));
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') {
        field = f.substr(1, f.size() - 2);
        if (field.empty() || field.find('"') != std::string::npos)
            return false;
    } else {
        if (!IsIdentifier(f))
            return false;
        field = f;
    }
    return IsIdentifier(dataset);
}

TReportField ParseField(const std::string& inner)
{
    std::string s = Trim(inner);
    TReportField f;
    auto bad = [&]() -> Error {
        return Error("bad field '[" + inner + "]': write [Variable], [Dataset.\"Field\"], "
                     "[SUM(Dataset.\"Field\")], [COUNT(Dataset)], [Page#], [TotalPages#], [Line#], "
                     "[Date#] or [Time#]");
    };
    if (s.empty())
        throw bad();
    if (s.back() == '#') {
        std::string name = s.substr(0, s.size() - 1);
        if (SameText(name, "Page"))
            f.Kind = TReportField::TKind::Page;
        else if (SameText(name, "TotalPages"))
            f.Kind = TReportField::TKind::TotalPages;
        else if (SameText(name, "Line"))
            f.Kind = TReportField::TKind::Line;
        else if (SameText(name, "Date"))
            f.Kind = TReportField::TKind::Date;
        else if (SameText(name, "Time"))
            f.Kind = TReportField::TKind::Time;
        else
            throw Error("unknown system field '[" + inner + "]' (known: Page#, TotalPages#, Line#, Date#, Time#)");
        return f;
    }
    size_t open = s.find('(');
    if (open != std::string::npos && s.back() == ')') {
        std::string fn = Trim(s.substr(0, open));
        std::string arg = Trim(s.substr(open + 1, s.size() - open - 2));
        if (SameText(fn, "SUM")) {
            f.Kind = TReportField::TKind::Sum;
            if (!SplitDatasetField(arg, f.Dataset, f.Field))
                throw bad();
            return f;
        }
        if (SameText(fn, "COUNT")) {
            f.Kind = TReportField::TKind::Count;
            if (!IsIdentifier(arg))
                throw bad();
            f.Dataset = arg;
            return f;
        }
        throw Error("unknown function '" + fn + "' in '[" + inner + "]' (known: SUM, COUNT)");
    }
    if (s.find('.') != std::string::npos) {
        f.Kind = TReportField::TKind::DatasetField;
        if (!SplitDatasetField(s, f.Dataset, f.Field))
            throw bad();
        return f;
    }
    if (!IsIdentifier(s))
        throw bad();
    f.Kind = TReportField::TKind::Variable;
    f.Text = s;
    return f;
}

} // namespace

const char* BandKindName(TBandKind kind)
{
    for (const auto& b : kBandNames)
        if (b.Kind == kind)
            return b.Name;
    return "";
}

bool PaperSize(const std::string& name, double& width, double& height)
{
    struct TPaper {
        const char* Name;
        double W, H;
    };
    static const TPaper papers[] = {
        {"A3", 297, 420}, {"A4", 210, 297}, {"A5", 148, 210}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6},
    };
    for (const auto& p : papers)
        if (SameText(name, p.Name)) {
            width = p.W;
            height = p.H;
            return true;
        }
    return false;
}

std::vector<TReportField> ParseReportContent(const std::string& content)
{
    std::vector<TReportField> out;
    std::string literal;
    auto flush = [&] {
        if (!literal.empty()) {
            TReportField f;
            f.Text = literal;
            out.push_back(f);
            literal.clear();
        }
    };
    size_t i = 0;
    while (i < content.size()) {
        char c = content[i];
        if (c == '[' && i + 1 < content.size() && content[i + 1] == '[') {
            literal += '[';
            i += 2;
        } else if (c == '[') {
            size_t j = i + 1;
            bool quoted = false;
            while (j < content.size() && (quoted || content[j] != ']')) {
                if (content[j] == '"')
                    quoted = !quoted;
                ++j;
            }
            if (j >= content.size())
                throw Error("field '" + content.substr(i) + "' is not closed by ']'");
            flush();
            out.push_back(ParseField(content.substr(i + 1, j - i - 1)));
            i = j + 1;
        } else if (c == '\\' && i + 1 < content.size() && content[i + 1] == 'n') {
            literal += '\n'; // "\n" in a template breaks the line
            i += 2;
        } else {
            literal += c;
            ++i;
        }
    }
    flush();
    return out;
}

TReportTemplate ParseReportTemplate(const std::string& text, const std::string& fileName)
{
    TReportTemplate t;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    TReportBand* band = nullptr;
    bool seenPage = false;
    try {
        while (std::getline(in, line)) {
            ++lineNo;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (lineNo == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
                line.erase(0, 3);
            std::string trimmed = Trim(line);
            if (trimmed.empty() || trimmed[0] == '#')
                continue;
            size_t colon = FindContentColon(trimmed);
            std::string head = colon == std::string::npos ? trimmed : trimmed.substr(0, colon);
            TTokenReader r(Tokenize(head));
            std::string keyword = r.Word("keyword");
            bool isText = SameText(keyword, "Text");
            if (colon != std::string::npos && !isText)
                throw Error("only a Text item has content after ':'");
            if (SameText(keyword, "Report")) {
                t.Title = r.Quoted("report title");
            } else if (SameText(keyword, "Page")) {
                if (band)
                    throw Error("Page must come before the first band");
                std::string size = r.Word("paper size");
                if (!PaperSize(size, t.PageWidth, t.PageHeight)) {
                    // "Page 210 x 297": a custom size in mm
                    TTokenReader custom(Tokenize(head.substr(head.find(size))));
                    t.PageWidth = custom.Number("page width", 50, 2000);
                    if (!SameText(custom.Word("'x'"), "x"))
                        throw Error("write the paper as A4, A3, A5, Letter, Legal or <width> x <height>");
                    t.PageHeight = custom.Number("page height", 50, 2000);
                    r = std::move(custom);
                }
                while (!r.AtEnd()) {
                    std::string w = r.Word("orientation");
                    if (SameText(w, "Portrait"))
                        t.Landscape = false;
                    else if (SameText(w, "Landscape"))
                        t.Landscape = true;
                    else
                        throw Error("unknown page option '" + w + "' (Portrait or Landscape)");
                }
                seenPage = true;
            } else if (SameText(keyword, "Margins")) {
                if (band)
                    throw Error("Margins must come before the first band");
                t.MarginLeft = r.Number("left margin", 0, 100);
                t.MarginTop = r.Number("top margin", 0, 100);
                t.MarginRight = r.Number("right margin", 0, 100);
                t.MarginBottom = r.Number("bottom margin", 0, 100);
            } else if (SameText(keyword, "Font")) {
                if (band)
                    throw Error("Font must come before the first band");
                t.Font.Family = r.Quoted("font name");
                t.Font.Size = r.Number("font size", 4, 72);
            } else if (SameText(keyword, "Band")) {
                std::string kindName = r.Word("band kind");
                TReportBand b;
                b.SourceLine = lineNo;
                bool known = false;
                for (const auto& bn : kBandNames)
                    if (SameText(kindName, bn.Name)) {
                        b.Kind = bn.Kind;
                        known = true;
                    }
                if (!known)
                    throw Error("unknown band '" + kindName + "' (bands: " + kBandList + ")");
                bool hasHeight = false;
                while (!r.AtEnd()) {
                    std::string w = r.Word("band option");
                    if (SameText(w, "Height")) {
                        b.Height = r.Number("band height", 0, kMaxLength);
                        hasHeight = true;
                    } else if (SameText(w, "Dataset")) {
                        b.Dataset = r.Word("dataset name");
                        if (!IsIdentifier(b.Dataset))
                            throw Error("'" + b.Dataset + "' is not a dataset name");
                    } else if (SameText(w, "Repeat")) {
                        b.Repeat = true;
                    } else {
                        throw Error("unknown band option '" + w + "' (options: Height, Dataset, Repeat)");
                    }
                }
                if (!hasHeight)
                    throw Error(std::string("band ") + BandKindName(b.Kind) + " needs a Height");
                if (b.Kind == TBandKind::MasterData && b.Dataset.empty())
                    throw Error("a MasterData band needs its dataset: Band MasterData Height <mm> Dataset <name>");
                if (b.Kind != TBandKind::MasterData && !b.Dataset.empty())
                    throw Error("only a MasterData band runs over a dataset");
                t.Bands.push_back(b);
                band = &t.Bands.back();
            } else if (SameText(keyword, "Text") || SameText(keyword, "Line") || SameText(keyword, "Box")) {
                if (!band)
                    throw Error(keyword + " outside a band: start a band first (Band <kind> Height <mm>)");
                TReportItem item;
                if (isText) {
                    if (colon == std::string::npos)
                        throw Error("a Text item needs its content after ':'");
                    // The content starts at its first character after ':' and the blanks.
                    std::string content = trimmed.substr(colon + 1);
                    content.erase(0, content.find_first_not_of(" \t") == std::string::npos
                                         ? content.size()
                                         : content.find_first_not_of(" \t"));
                    item = ParseTextItem(r, t.Font, content);
                } else {
                    item = ParseLineItem(r, SameText(keyword, "Box"));
                }
                item.SourceLine = lineNo;
                band->Items.push_back(std::move(item));
            } else {
                throw Error("unknown keyword '" + keyword + "' (keywords: Report, Page, Margins, Font, Band, Text, Line, Box)");
            }
        }
    } catch (const Error& e) {
        throw Error(fileName + ", line " + std::to_string(lineNo) + ": " + e.what());
    }
    (void)seenPage;
    if (t.Bands.empty())
        throw Error(fileName + ": the template has no bands");
    double w = t.Landscape ? t.PageHeight : t.PageWidth;
    double h = t.Landscape ? t.PageWidth : t.PageHeight;
    if (t.MarginLeft + t.MarginRight >= w - 10 || t.MarginTop + t.MarginBottom >= h - 10)
        throw Error(fileName + ": the margins leave no room on the page");
    return t;
}

TReportTemplate LoadReportTemplate(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("Cannot read the report template " + path + ".");
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        throw Error("Cannot read the report template " + path + ".");
    return ParseReportTemplate(ss.str(), ExtractFileName(path));
}

} // namespace shell
