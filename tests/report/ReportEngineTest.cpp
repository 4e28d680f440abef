// Report engine: template syntax and its errors, binding of variables and datasets,
// number masks, page layout and the plain-text export.

#include "shell/core/Error.h"
#include "shell/core/ReportEngine.h"
#include "shell/core/ReportFormat.h"
#include "shell/core/ReportText.h"
#include "shell/core/Utils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

using namespace shell;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The ballast fixture: n rows of tank, volume, weight; three variables.
TReportSource BallastSource(int rows, std::vector<std::string>* asked = nullptr)
{
    TReportSource s;
    s.TemplateName = "ballast.fr3";
    s.TemplatesFolder = std::string(ORVANEL_TEST_DATA) + "/report/";
    TReportDataset d;
    d.UserName = "frxDsBallast";
    d.Fields = {"Tank", "Volume", "Weight"};
    for (int i = 0; i < rows; ++i)
        d.Rows.push_back({TReportValue::Str("No." + std::to_string(i + 1) + " WBT P"),
                          TReportValue::Num(123.4567 * i), TReportValue::Num(1234.5 * i)});
    s.Datasets.push_back(d);
    s.Variables = [asked](const std::string& name, TReportValue& v) {
        if (asked)
            asked->push_back(name);
        if (SameText(name, "VesselName"))
            v = TReportValue::Str("MV Nordic Star");
        else if (SameText(name, "VoyageNumber"))
            v = TReportValue::Str("V-17");
        else if (SameText(name, "Remarks"))
            v = TReportValue::Str("Soundings taken by the chief officer\r\nTanks pressed up");
        else
            return false;
        return true;
    };
    return s;
}

std::string PageText(const TPreparedPage& page)
{
    std::string out;
    for (const auto& item : page.Items)
        out += item.Text + "|";
    return out;
}

TEST(ReportTemplate, FaultsNameTheLineAndWhatIsWrong)
{
    struct TCase {
        const char* Text;
        const char* Expected; // the whole message after "t.fr3, "
    };
    const TCase cases[] = {
        {"Band Detail Height 5",
         "line 1: unknown band 'Detail' (bands: ReportTitle, PageHeader, PageFooter, Body, Header, MasterData, "
         "Footer, Summary)"},
        {"Band Body Height 5\n  Text 0 0 10 5: [frxDsBallast.\"Tank]", "line 2: field '[frxDsBallast.\"Tank]' is not closed by ']'"},
        {"Band Body Height 5\n\n  Text 0 0 10 5: [a b]", "line 3: bad field '[a b]': write [Variable], [Dataset.\"Field\"], "
                                                         "[SUM(Dataset.\"Field\")], [COUNT(Dataset)], [Page#], [TotalPages#], "
                                                         "[Line#], [Date#] or [Time#]"},
        {"Text 0 0 10 5: x", "line 1: Text outside a band: start a band first (Band <kind> Height <mm>)"},
        {"# comment\nBand MasterData Height 5", "line 2: a MasterData band needs its dataset: Band MasterData Height <mm> Dataset <name>"},
        {"Band Body Height 5\n  Text 0 0 wide 5: x", "line 2: 'wide' is not a number (width)"},
        {"Band Body Height 5\n  Text 0 0 10 5 Blod: x",
         "line 2: unknown option 'Blod' of a Text item (options: Bold, Italic, Size, Font, Left, Center, Right, Top, "
         "Middle, Bottom, Format, Frame, Shade, Grow, Stretch, Width)"},
        {"Band Body", "line 1: band Body needs a Height"},
        {"Band Body Height 5\n  Text 0 0 10 5: [Pages#]", "line 2: unknown system field '[Pages#]' (known: Page#, TotalPages#, Line#, Date#, Time#)"},
        {"Band Body Height 5\n  Text 0 0 10 5 Size 900: x", "line 2: font size 900 is out of range (4 to 72)"},
        {"Stretch all", "line 1: unknown keyword 'Stretch' (keywords: Report, Page, Margins, Font, Band, Text, Line, Box)"},
        {"Report \"x\"", "the template has no bands"},
    };
    for (const auto& c : cases) {
        try {
            ParseReportTemplate(c.Text, "t.fr3");
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("t.fr3") + (c.Expected[0] == 'l' ? ", " : ": ") + c.Expected)
                << c.Text;
        }
    }
}

TEST(ReportTemplate, ReadsPaperBandsAndItems)
{
    TReportTemplate t = ParseReportTemplate("\xEF\xBB\xBFReport \"Survey\"\r\nPage A5 Landscape\r\nMargins 10 11 12 13\r\n"
                                            "Font \"Serif\" 11\r\nBand Header Height 6 Repeat\r\n"
                                            "  Text 1 2 30 5 Bold Right Format \"0.0 t\": Total: [SUM(ds.\"W t\")] [[kN]\r\n"
                                            "  Line 0 6 180 6 Width 0.5\r\n",
                                            "t.fr3");
    EXPECT_EQ(t.Title, "Survey");
    EXPECT_DOUBLE_EQ(t.PageWidth, 148);
    EXPECT_TRUE(t.Landscape);
    EXPECT_DOUBLE_EQ(t.MarginBottom, 13);
    ASSERT_EQ(t.Bands.size(), 1u);
    EXPECT_TRUE(t.Bands[0].Repeat);
    ASSERT_EQ(t.Bands[0].Items.size(), 2u);
    const TReportItem& text = t.Bands[0].Items[0];
    EXPECT_EQ(text.Font.Family, "Serif");
    EXPECT_TRUE(text.Font.Bold);
    EXPECT_EQ(text.HAlign, THAlign::Right);
    EXPECT_EQ(text.Format, "0.0 t");
    ASSERT_EQ(text.Content.size(), 3u);
    EXPECT_EQ(text.Content[0].Text, "Total: ");
    EXPECT_EQ(text.Content[1].Kind, TReportField::TKind::Sum);
    EXPECT_EQ(text.Content[1].Field, "W t");
    EXPECT_EQ(text.Content[2].Text, " [kN]");
    EXPECT_EQ(t.Bands[0].Items[1].Kind, TReportItem::TKind::Line);
    EXPECT_DOUBLE_EQ(t.Bands[0].Items[1].LineWidth, 0.5);

    TReportTemplate custom = ParseReportTemplate("Page 100 x 150 Landscape\nBand Body Height 5\n", "t.fr3");
    EXPECT_DOUBLE_EQ(custom.PageWidth, 100);
    EXPECT_DOUBLE_EQ(custom.PageHeight, 150);
    EXPECT_TRUE(custom.Landscape);
    EXPECT_THROW(ParseReportTemplate("Page A4 Sideways\nBand Body Height 5\n", "t.fr3"), Error);
    EXPECT_THROW(ParseReportTemplate("Margins 100 10 100 10\nBand Body Height 5\n", "t.fr3"), Error);
}

TEST(ReportFormat, MasksWriteNumbersAsSpreadsheetsDo)
{
    struct TCase {
        double Value;
        const char* Mask;
        const char* Expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const TCase cases[] = {
        {1234.5678, "0.000", "1234.568"},     {-0.8247, "0.000 m;-0.000 m", "-0.825 m"},
        {1234567.891, "#,##0.00", "1,234,567.89"}, {-0.0004, "0.000", "0.000"},
        {0, "0.00;-0.00;nil", "nil"},         {-3.5, "0.0;(0.0)", "(3.5)"},
        {2.5, "0.0#", "2.5"},                 {2.125, "0.0#", "2.13"},
        {7, "000.0", "007.0"},                {0.5, "#.00", ".50"},
        {42, "\"No. \"0", "No. 42"},          {1.5, "", "1.5"},
        {inf, "0.00", ""},                    {std::nan(""), "", ""},
        {12.5, "0", "13"},                    {3, "0 \"pcs\"", "3 pcs"},
        {2.675, "0.00", "2.68"},              {-2.5, "0", "-3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatReportNumber(c.Value, c.Mask), c.Expected) << c.Value << " " << c.Mask;
}

TEST(ReportEngine, VariablesAreAskedByTheTemplatesSpellingAndUnansweredOnesShow)
{
    std::vector<std::string> asked;
    TReportSource s = BallastSource(1, &asked);
    TReportTemplate t = ParseReportTemplate("Band Body Height 5\n  Text 0 0 100 5: [VESSELNAME]/[vesselname]/[NetDisplacement]",
                                            "t.fr3");
    TPreparedReport r = PrepareReport(t, "t.fr3", s);
    ASSERT_EQ(r.Bands.size(), 1u);
    EXPECT_EQ(r.Bands[0].Items[0].Text, "MV Nordic Star/MV Nordic Star/[NetDisplacement]");
    EXPECT_EQ(asked, (std::vector<std::string>{"VESSELNAME", "vesselname", "NetDisplacement"}));
}

TEST(ReportEngine, NamesTheDatasetOrFieldTheDocumentDoesNotOffer)
{
    TReportSource s = BallastSource(1);
    struct TCase {
        const char* Text;
        const char* Expected;
    };
    const TCase cases[] = {
        {"Band Body Height 5\n  Text 0 0 10 5: [frxDsRoute.\"Tank\"]",
         "t.fr3, line 2: unknown dataset 'frxDsRoute' (this report offers: frxDsBallast)"},
        {"Band MasterData Height 5 Dataset frxDsTanks",
         "t.fr3, line 1: unknown dataset 'frxDsTanks' (this report offers: frxDsBallast)"},
        {"Band Summary Height 5\n  Text 0 0 10 5: [SUM(frxDsBallast.\"Wieght\")]",
         "t.fr3, line 2: dataset 'frxDsBallast' has no field 'Wieght' (its fields: Tank, Volume, Weight)"},
    };
    for (const auto& c : cases) {
        TReportTemplate t = ParseReportTemplate(c.Text, "t.fr3");
        try {
            PrepareReport(t, "t.fr3", s);
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), c.Expected);
        }
    }
}

// The fixture's text export, rows in order, columns aligned, no page furniture.
TEST(ReportEngine, TextExportOfTheFixtureMatchesTheExpectedFile)
{
    TPreparedReport r = RunReport(BallastSource(3));
    EXPECT_EQ(r.Pages.size(), 1u);
    EXPECT_EQ(ReportToText(r), ReadFile(std::string(ORVANEL_TEST_DATA) + "/report/ballast.expected.txt"));
}

TEST(ReportEngine, LongTablesBreakIntoPagesWithTheirHeaderRepeated)
{
    TPreparedReport r = RunReport(BallastSource(120));
    ASSERT_GE(r.Pages.size(), 3u);
    const std::string total = std::to_string(r.Pages.size());
    for (size_t p = 0; p < r.Pages.size(); ++p) {
        std::string text = PageText(r.Pages[p]);
        EXPECT_NE(text.find("Page " + std::to_string(p + 1) + " of " + total + "|"), std::string::npos) << p;
        EXPECT_NE(text.find("|Tank|"), std::string::npos) << "header on page " << p + 1;
        for (const auto& item : r.Pages[p].Items) {
            EXPECT_GE(item.Y, r.MarginTop - 1e-9);
            EXPECT_LE(item.Y + item.H, r.PageHeight - r.MarginBottom + 1e-9);
        }
    }
    // Rows come in dataset order, each once; the text carries the header once.
    std::string text = ReportToText(r);
    size_t at = 0;
    for (int i = 1; i <= 120; ++i) {
        size_t next = text.find(std::to_string(i) + ". No." + std::to_string(i) + " WBT P ", at);
        ASSERT_NE(next, std::string::npos) << i;
        at = next;
    }
    EXPECT_EQ(text.find("Volume [m3]"), text.rfind("Volume [m3]"));
    EXPECT_EQ(text.find("Page"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
}

TEST(ReportEngine, GrowingTextGrowsItsBandAndStretchedFramesFollow)
{
    TReportSource s = BallastSource(0);
    TReportTemplate t = ParseReportTemplate("Band Body Height 10\n  Box 0 0 50 10 Stretch\n  Line 0 10 50 10 Stretch\n"
                                            "  Text 0 0 50 5 Grow: [Remarks] [Remarks] [Remarks]\nBand Body Height 5\n"
                                            "  Text 0 0 50 5: after",
                                            "t.fr3");
    TPreparedReport r = PrepareReport(t, "t.fr3", s);
    const auto& items = r.Pages[0].Items;
    ASSERT_EQ(items.size(), 4u);
    double grown = items[2].H - 5;
    EXPECT_GT(grown, 10); // several wrapped lines
    EXPECT_NEAR(items[0].H, 10 + grown, 1e-9);          // the box follows
    EXPECT_NEAR(items[1].H, 0, 1e-9);                   // a level rule stays level
    EXPECT_NEAR(items[3].Y, items[0].Y + 10 + grown, 1e-9); // the next band starts below
    for (const auto& line : std::vector<std::string>{"Soundings", "Tanks pressed up"})
        EXPECT_NE(items[2].Text.find(line), std::string::npos);
    // The text export wraps it at its width too (50 mm, 25 characters), words whole.
    std::istringstream text(ReportToText(r));
    int lines = 0;
    for (std::string line; std::getline(text, line); ++lines)
        EXPECT_LE(line.size(), 25u) << line;
    EXPECT_GT(lines, 5);
}

TEST(ReportEngine, TemplateIsReadAnewAtEveryRun)
{
    fs::path dir = fs::temp_directory_path() / ("report-engine-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TReportSource s = BallastSource(2);
    s.TemplatesFolder = dir.string() + "/";
    s.TemplateName = "RepTest.fr3";
    try {
        RunReport(s);
        ADD_FAILURE() << "ran without a template";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to find 'RepTest.fr3' file.");
    }
    WriteFile(s.TemplatePath(), "Band Body Height 5\n  Text 0 0 80 5: First [VesselName]\n");
    EXPECT_EQ(ReportToText(RunReport(s)), "First MV Nordic Star\n");
    WriteFile(s.TemplatePath(), "Band MasterData Height 5 Dataset frxDsBallast\n  Text 0 0 80 5: [frxDsBallast.\"Tank\"]\n");
    EXPECT_EQ(ReportToText(RunReport(s)), "No.1 WBT P\nNo.2 WBT P\n");
    fs::remove_all(dir);
}

TEST(ReportEngine, SavedTextReplacesAnOldFile)
{
    fs::path file = fs::temp_directory_path() / ("report-text-" + std::to_string(::getpid()) + ".txt");
    WriteFile(file.string(), std::string(5000, 'x'));
    TPreparedReport r = RunReport(BallastSource(1));
    SaveReportText(r, file.string());
    EXPECT_EQ(ReadFile(file.string()), ReportToText(r));
    fs::remove(file);
    EXPECT_THROW(SaveReportText(r, "/no/such/folder/out.txt"), Error);
}

} // namespace
