#include "ReportEngine.h"

#include "Error.h"
#include "Folders.h"
#include "ReportFormat.h"
#include "Utils.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <map>

namespace shell {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Stand-ins for page numbers until the number of pages is known.
const std::string kPageMark = "\x01";
const std::string kTotalPagesMark = "\x02";

// Line breaks of every system as "\n"; a tab prints as one blank.
std::string NormaliseBreaks(const std::string& s)
{
    std::string out = shell::NormaliseLineBreaks(s);
    for (char& c : out)
        if (c == '\t')
            c = ' ';
    return out;
}

void ReplaceAll(std::string& s, const std::string& what, const std::string& with)
{
    for (size_t pos = 0; (pos = s.find(what, pos)) != std::string::npos; pos += with.size())
        s.replace(pos, what.size(), with);
}

// Greedy word wrap into lines no wider than `width` mm; a word wider than a line is cut.
std::string Wrap(const std::string& text, double width, const TReportFont& font, const TTextMeasure& measure)
{
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
            std::string candidate = line.empty() ? word : line + " " + word;
            if (line.empty() || measure(candidate, font) <= width) {
                line = candidate;
            } else {
                out += line + "\n";
                line = word;
            }
            // Cut a single word that is wider than the line.
            while (measure(line, font) > width && Utf8Length(line) > 1) {
                size_t cut = line.size();
                do {
                    do
                        --cut;
                    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80);
                } while (cut > 1 && measure(line.substr(0, cut), font) > width);
                out += line.substr(0, cut) + "\n";
                line = line.substr(cut);
            }
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

int CountLines(const std::string& s)
{
    return 1 + static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

const TReportDataset* FindDataset(const TReportSource& source, const std::string& name)
{
    for (const auto& d : source.Datasets)
        if (SameText(d.UserName, name))
            return &d;
    return nullptr;
}

int FindField(const TReportDataset& ds, const std::string& name)
{
    for (size_t i = 0; i < ds.Fields.size(); ++i)
        if (SameText(ds.Fields[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string DatasetNames(const TReportSource& source)
{
    std::string out;
    for (const auto& d : source.Datasets)
        out += (out.empty() ? "" : ", ") + d.UserName;
    return out.empty() ? "none" : out;
}

class TLayout {
public:
    TLayout(const TReportTemplate& tmpl, const std::string& name, const TReportSource& source,
            const TReportPageSetup& setup, const TTextMeasure& measure)
        : tmpl_(tmpl), name_(name), source_(source), measure_(measure)
    {
        if (!measure_)
            measure_ = EstimateTextWidth;
        report_.Title = tmpl.Title;
        double w = setup.PageWidth > 0 ? setup.PageWidth : tmpl.PageWidth;
        double h = setup.PageHeight > 0 ? setup.PageHeight : tmpl.PageHeight;
        bool landscape = setup.Landscape < 0 ? tmpl.Landscape : setup.Landscape == 1;
        report_.Landscape = landscape;
        report_.PageWidth = landscape ? std::max(w, h) : std::min(w, h);
        report_.PageHeight = landscape ? std::min(w, h) : std::max(w, h);
        report_.MarginLeft = setup.MarginLeft >= 0 ? setup.MarginLeft : tmpl.MarginLeft;
        report_.MarginTop = setup.MarginTop >= 0 ? setup.MarginTop : tmpl.MarginTop;
        report_.MarginRight = setup.MarginRight >= 0 ? setup.MarginRight : tmpl.MarginRight;
        report_.MarginBottom = setup.MarginBottom >= 0 ? setup.MarginBottom : tmpl.MarginBottom;
        std::time_t now = std::time(nullptr);
        std::tm tm = *std::localtime(&now); // one thread: the shared buffer is safe
        date_ = FormatC("%02d.%02d.%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
        time_ = FormatC("%02d:%02d", tm.tm_hour, tm.tm_min);
    }

    TPreparedReport Run()
    {
        Validate();
        for (const auto& b : tmpl_.Bands) {
            if (b.Kind == TBandKind::PageHeader && !pageHeader_)
                pageHeader_ = &b;
            if (b.Kind == TBandKind::PageFooter && !pageFooter_)
                pageFooter_ = &b;
        }
        NewPage();
        const auto& bands = tmpl_.Bands;
        for (size_t i = 0; i < bands.size(); ++i) {
            const TReportBand& b = bands[i];
            switch (b.Kind) {
            case TBandKind::PageHeader:
            case TBandKind::PageFooter:
                continue;
            case TBandKind::Header: {
                const TReportBand* data = NextMasterData(i);
                ++group_;
                if (data) {
                    // Keep the header with the first row of its table.
                    double need = b.Height + (RowCount(*data) > 0 ? data->Height : 0);
                    if (y_ + need > Bottom() && y_ > bodyTop_)
                        NewPage();
                    repeatHeader_ = b.Repeat ? &b : nullptr;
                    inTable_ = true;
                }
                PlaceBand(b, true);
                break;
            }
            case TBandKind::MasterData: {
                if (!inTable_)
                    ++group_;
                const TReportDataset* ds = FindDataset(source_, b.Dataset);
                for (size_t r = 0; r < ds->Rows.size(); ++r) {
                    current_[ds] = r;
                    line_ = static_cast<int>(r) + 1;
                    PlaceBand(b, true);
                }
                current_[ds] = 0;
                line_ = 0;
                inTable_ = i + 1 < bands.size() && bands[i + 1].Kind == TBandKind::Footer;
                if (!inTable_)
                    repeatHeader_ = nullptr;
                break;
            }
            case TBandKind::Footer:
                if (!inTable_)
                    ++group_;
                repeatHeader_ = nullptr;
                inTable_ = false;
                PlaceBand(b, true);
                break;
            default:
                // Consecutive Body bands read as one table in the text export.
                if (!(b.Kind == TBandKind::Body && lastKind_ == TBandKind::Body))
                    ++group_;
                repeatHeader_ = nullptr;
                inTable_ = false;
                PlaceBand(b, true);
                break;
            }
            lastKind_ = b.Kind;
        }
        ClosePage();
        std::string total = std::to_string(report_.Pages.size());
        for (size_t p = 0; p < report_.Pages.size(); ++p)
            for (auto& item : report_.Pages[p].Items) {
                ReplaceAll(item.Text, kPageMark, std::to_string(p + 1));
                ReplaceAll(item.Text, kTotalPagesMark, total);
            }
        for (auto& band : report_.Bands)
            for (auto& item : band.Items) {
                ReplaceAll(item.Text, kPageMark, "1");
                ReplaceAll(item.Text, kTotalPagesMark, total);
            }
        return std::move(report_);
    }

private:
    Error Fault(int line, const std::string& what) const
    {
        return Error(name_ + ", line " + std::to_string(line) + ": " + what);
    }

    const TReportDataset& RequireDataset(const std::string& name, int line) const
    {
        const TReportDataset* ds = FindDataset(source_, name);
        if (!ds)
            throw Fault(line, "unknown dataset '" + name + "' (this report offers: " + DatasetNames(source_) + ")");
        return *ds;
    }

    void RequireField(const TReportDataset& ds, const std::string& field, int line) const
    {
        if (FindField(ds, field) < 0) {
            std::string fields;
            for (const auto& f : ds.Fields)
                fields += (fields.empty() ? "" : ", ") + f;
            throw Fault(line, "dataset '" + ds.UserName + "' has no field '" + field + "' (its fields: " + fields + ")");
        }
    }

    // Every dataset and field a template names must exist before anything is printed.
    void Validate() const
    {
        for (const auto& b : tmpl_.Bands) {
            if (b.Kind == TBandKind::MasterData)
                RequireDataset(b.Dataset, b.SourceLine);
            for (const auto& item : b.Items)
                for (const auto& f : item.Content) {
                    using K = TReportField::TKind;
                    if (f.Kind == K::DatasetField || f.Kind == K::Sum)
                        RequireField(RequireDataset(f.Dataset, item.SourceLine), f.Field, item.SourceLine);
                    else if (f.Kind == K::Count)
                        RequireDataset(f.Dataset, item.SourceLine);
                }
        }
    }

    const TReportBand* NextMasterData(size_t headerIndex) const
    {
        for (size_t k = headerIndex + 1; k < tmpl_.Bands.size(); ++k) {
            TBandKind kind = tmpl_.Bands[k].Kind;
            if (kind == TBandKind::MasterData)
                return &tmpl_.Bands[k];
            if (kind != TBandKind::PageHeader && kind != TBandKind::PageFooter)
                return nullptr;
        }
        return nullptr;
    }

    size_t RowCount(const TReportBand& data) const { return FindDataset(source_, data.Dataset)->Rows.size(); }

    std::string ValueText(const TReportValue& v, const std::string& format) const
    {
        if (v.IsNumber)
            return FormatReportNumber(v.Number, format);
        return v.Text;
    }

    std::string Bind(const TReportItem& item)
    {
        std::string out;
        using K = TReportField::TKind;
        for (const auto& f : item.Content) {
            switch (f.Kind) {
            case K::Literal:
                out += f.Text;
                break;
            case K::Variable: {
                TReportValue v;
                if (source_.Variables && source_.Variables(f.Text, v))
                    out += ValueText(v, item.Format);
                else
                    out += "[" + f.Text + "]"; // unanswered: printed as written, so a
                                               // misspelt name shows on the report
                break;
            }
            case K::DatasetField: {
                const TReportDataset* ds = FindDataset(source_, f.Dataset);
                size_t row = current_.count(ds) ? current_[ds] : 0;
                int col = FindField(*ds, f.Field);
                if (row < ds->Rows.size() && col < static_cast<int>(ds->Rows[row].size()))
                    out += ValueText(ds->Rows[row][col], item.Format);
                break;
            }
            case K::Sum: {
                const TReportDataset* ds = FindDataset(source_, f.Dataset);
                int col = FindField(*ds, f.Field);
                double sum = 0;
                for (const auto& row : ds->Rows)
                    if (col < static_cast<int>(row.size()) && row[col].IsNumber && std::isfinite(row[col].Number))
                        sum += row[col].Number;
                out += FormatReportNumber(sum, item.Format);
                break;
            }
            case K::Count:
                out += FormatReportNumber(static_cast<double>(FindDataset(source_, f.Dataset)->Rows.size()), item.Format);
                break;
            case K::Page:
                out += kPageMark;
                break;
            case K::TotalPages:
                out += kTotalPagesMark;
                break;
            case K::Line:
                if (line_ > 0)
                    out += std::to_string(line_);
                break;
            case K::Date:
                out += date_;
                break;
            case K::Time:
                out += time_;
                break;
            }
        }
        return NormaliseBreaks(out);
    }

    double Bottom() const
    {
        return report_.PageHeight - report_.MarginBottom - (pageFooter_ ? pageFooter_->Height : 0);
    }

    // Binds a band's items; returns its height with grown items.
    double BindBand(const TReportBand& b, std::vector<TPreparedItem>& laid, std::vector<TPreparedItem>& plain)
    {
        double height = b.Height;
        for (const auto& item : b.Items) {
            TPreparedItem p;
            p.Kind = item.Kind;
            p.X = item.X;
            p.Y = item.Y;
            p.W = item.W;
            p.H = item.H;
            p.Font = item.Font;
            p.HAlign = item.HAlign;
            p.VAlign = item.VAlign;
            p.Frame = item.Frame;
            p.Shade = item.Shade;
            p.LineWidth = item.LineWidth;
            if (item.Kind == TReportItem::TKind::Text) {
                p.Text = Bind(item);
                // The text export wraps a growing text at its own width, except in a table,
                // whose rows stay one line each.
                p.Wrap = item.Grow && b.Kind != TBandKind::MasterData && b.Kind != TBandKind::Header &&
                         b.Kind != TBandKind::Footer;
                plain.push_back(p);
                if (item.Grow) {
                    p.Text = Wrap(p.Text, std::max(1.0, item.W - 1.0), item.Font, measure_);
                    p.Wrap = true;
                    double need = CountLines(p.Text) * ReportLineHeight(item.Font) + 1.0;
                    if (need > p.H) {
                        // The band grows by as much as the item: the room below it stays.
                        height = std::max(height, b.Height + need - p.H);
                        p.H = need;
                    }
                }
            }
            laid.push_back(std::move(p));
        }
        // Items marked Stretch follow a band that grew: frames and rules stay closed.
        double grown = height - b.Height;
        if (grown > 0)
            for (size_t k = 0; k < laid.size(); ++k)
                if (b.Items[k].Stretch && !(b.Items[k].Kind == TReportItem::TKind::Line && b.Items[k].W != 0))
                    laid[k].H = std::max(laid[k].H, b.Items[k].H + grown); // a rule only when upright
        return height;
    }

    void Emit(const std::vector<TPreparedItem>& laid, double top)
    {
        for (auto item : laid) {
            item.X += report_.MarginLeft;
            item.Y += top;
            report_.Pages.back().Items.push_back(std::move(item));
        }
    }

    void PlaceBand(const TReportBand& b, bool logical)
    {
        std::vector<TPreparedItem> laid, plain;
        double h = BindBand(b, laid, plain);
        if (y_ + h > Bottom() && y_ > bodyTop_ + 1e-9) {
            NewPage();
            if (repeatHeader_ && &b != repeatHeader_ && b.Kind == TBandKind::MasterData)
                PlaceBand(*repeatHeader_, false);
        }
        Emit(laid, y_);
        y_ += h;
        if (logical) {
            TPreparedBand pb;
            pb.Kind = b.Kind;
            pb.Group = group_;
            pb.Items = std::move(plain);
            report_.Bands.push_back(std::move(pb));
        }
    }

    void ClosePage()
    {
        if (!pageFooter_ || report_.Pages.empty())
            return;
        std::vector<TPreparedItem> laid, plain;
        BindBand(*pageFooter_, laid, plain);
        Emit(laid, report_.PageHeight - report_.MarginBottom - pageFooter_->Height);
    }

    void NewPage()
    {
        ClosePage();
        report_.Pages.emplace_back();
        y_ = report_.MarginTop;
        if (pageHeader_) {
            std::vector<TPreparedItem> laid, plain;
            double h = BindBand(*pageHeader_, laid, plain);
            Emit(laid, y_);
            y_ += h;
        }
        bodyTop_ = y_;
    }

    const TReportTemplate& tmpl_;
    std::string name_;
    const TReportSource& source_;
    TTextMeasure measure_;
    TPreparedReport report_;
    const TReportBand* pageHeader_ = nullptr;
    const TReportBand* pageFooter_ = nullptr;
    const TReportBand* repeatHeader_ = nullptr;
    bool inTable_ = false;
    TBandKind lastKind_ = TBandKind::PageHeader;
    int group_ = 0;
    double y_ = 0, bodyTop_ = 0;
    int line_ = 0;
    std::map<const TReportDataset*, size_t> current_;
    std::string date_, time_;
};

} // namespace

double ReportLineHeight(const TReportFont& font)
{
    return font.Size * kMmPerPoint * 1.2;
}

double EstimateTextWidth(const std::string& text, const TReportFont& font)
{
    return static_cast<double>(Utf8Length(text)) * font.Size * kMmPerPoint * (font.Bold ? 0.58 : 0.54);
}

TPreparedReport PrepareReport(const TReportTemplate& tmpl, const std::string& templateName,
                              const TReportSource& source, const TReportPageSetup& setup,
                              const TTextMeasure& measure)
{
    return TLayout(tmpl, templateName, source, setup, measure).Run();
}

bool ReportTemplateExists(const TReportSource& source)
{
    return FileExists(source.TemplatePath());
}

TPreparedReport RunReport(const TReportSource& source, const TReportPageSetup& setup, const TTextMeasure& measure)
{
    if (!ReportTemplateExists(source))
        throw Error(source.MissingTemplateMessage());
    TReportTemplate tmpl = LoadReportTemplate(source.TemplatePath());
    return PrepareReport(tmpl, source.TemplateName, source, setup, measure);
}

} // namespace shell
