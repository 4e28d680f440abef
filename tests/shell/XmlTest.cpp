#include "shell/core/Error.h"
#include "shell/core/Xml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <sys/stat.h>

using namespace shell;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (fs::temp_directory_path() / "orvanel-xml-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::string ExpectMessage(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "<no error>";
}

} // namespace

TEST(XmlFloatText, FollowsTheSixDigitRule)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1.025, "1.025"},       {0.5, ".5"},           {-0.25, "-.25"},
        {0.01234, ".01234"},    {0.001234, "1.234E-3"}, {12.3456789, "12.3457"},
        {100, "100"},           {1234567, "1234570"},  {12345678, "12345700"},
        {123456789, "1.23457E8"}, {100000000, "1.00000E8"}, {0.0000001, "1E-7"},
        {0, "0"},               {-0.0, "0"},           {0.1, ".1"},
        {123456.5, "123456"},   {123457.5, "123458"},  {999999.5, "1000000"},
        {-1.5, "-1.5"},         {7.8125, "7.8125"},    {1e20, "1.00000E20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToXmlText(c.value), c.text) << "value " << c.value;
}

TEST(XmlFloatText, ExtremeMagnitudesTerminate)
{
    EXPECT_EQ(FloatToXmlText(std::numeric_limits<double>::max()), "1.79769E308");
    EXPECT_EQ(FloatToXmlText(std::numeric_limits<double>::denorm_min()), "4.94066E-324");
}

TEST(XmlFloatText, NonFiniteValuesAreRefused)
{
    EXPECT_THROW(FloatToXmlText(std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(FloatToXmlText(-std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(FloatToXmlText(std::nan("")), Error);
    TXmlDocument doc;
    doc.CreateName("Data");
    TXmlNode rec = doc.Root().NodeNew("Ship");
    EXPECT_EQ(ExpectMessage([&] { rec.WriteFloat("LBP", std::nan("")); }),
              "Cannot store the value of 'LBP': it is not a finite number.");
    EXPECT_FALSE(rec.NodeByName("LBP")) << "nothing half-written";
}

TEST(XmlReaders, FloatTexts)
{
    EXPECT_DOUBLE_EQ(XmlTextToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(XmlTextToFloat(".1"), 0.1);
    EXPECT_DOUBLE_EQ(XmlTextToFloat("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(XmlTextToFloat("1.234E-3"), 0.001234);
    EXPECT_DOUBLE_EQ(XmlTextToFloat("  +2e2"), 200);
    EXPECT_DOUBLE_EQ(XmlTextToFloat("5."), 5);
    EXPECT_DOUBLE_EQ(XmlTextToFloat("1e-400"), 0);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1e", "1e+", "--1", "1 2", "0x10", "inf", "nan", "1e999", "."})
        EXPECT_EQ(ExpectMessage([&] { XmlTextToFloat(bad); }), "Cannot convert value to float") << bad;
}

TEST(XmlReaders, IntegerTexts)
{
    EXPECT_EQ(XmlTextToInteger("42"), 42);
    EXPECT_EQ(XmlTextToInteger("  -7"), -7);
    EXPECT_EQ(XmlTextToInteger("+3"), 3);
    EXPECT_EQ(XmlTextToInteger("$1F"), 31);
    EXPECT_EQ(XmlTextToInteger("0x10"), 16);
    EXPECT_EQ(XmlTextToInteger("2147483647"), 2147483647);
    EXPECT_EQ(XmlTextToInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "1.5", "12 ", "abc", "2147483648", "99999999999999999999", "$", "0x", "- 1"})
        EXPECT_EQ(ExpectMessage([&] { XmlTextToInteger(bad); }),
                  std::string("'") + bad + "' is not a valid integer value") << bad;
}

TEST(XmlReaders, BoolTexts)
{
    for (const char* t : {"True", "true", "T", "1", "Yes", "y"})
        EXPECT_TRUE(XmlTextToBool(t)) << t;
    for (const char* f : {"False", "f", "0", "No", "n"})
        EXPECT_FALSE(XmlTextToBool(f)) << f;
    for (const char* bad : {"", "maybe", "2"})
        EXPECT_EQ(ExpectMessage([&] { XmlTextToBool(bad); }), "Cannot convert value to bool") << bad;
}

TEST(XmlWriter, ReadableLayoutByteForByte)
{
    TXmlDocument doc;
    doc.CreateName("Kelvara");
    TXmlNode header = doc.Root().NodeNew("Header");
    header.WriteString("Contents", "Kelvara");
    header.WriteInteger("CalcMethod", 3);
    TXmlNode ship = doc.Root().NodeNew("Ship");
    ship.WriteString("ShipName", "");
    ship.WriteFloat("LBP", 120.5);
    ship.WriteBool("IsLoading", true);
    ship.WriteString("Remark", "A&B <c> 'd' \"e\"");
    doc.Root().NodeNew("Empty");
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<Kelvara>\r\n"
        "  <Header>\r\n"
        "    <Contents>Kelvara</Contents>\r\n"
        "    <CalcMethod>3</CalcMethod>\r\n"
        "  </Header>\r\n"
        "  <Ship>\r\n"
        "    <ShipName/>\r\n"
        "    <LBP>120.5</LBP>\r\n"
        "    <IsLoading>True</IsLoading>\r\n"
        "    <Remark>A&amp;B &lt;c&gt; &apos;d&apos; &quot;e&quot;</Remark>\r\n"
        "  </Ship>\r\n"
        "  <Empty/>\r\n"
        "</Kelvara>\r\n";
    EXPECT_EQ(doc.SaveToString(), expected);

    TXmlDocument empty;
    empty.CreateName("Library");
    EXPECT_EQ(empty.SaveToString(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Library></Library>\r\n");
}

TEST(XmlWriter, WriteFindsExistingLeafInAnyCase)
{
    TXmlDocument doc;
    doc.CreateName("R");
    TXmlNode rec = doc.Root().NodeNew("Rec");
    rec.WriteString("Name", "a");
    rec.WriteString("NAME", "b");
    EXPECT_EQ(rec.Children().size(), 1u);
    EXPECT_EQ(rec.ReadString("name"), "b");
}

TEST(XmlRoundTrip, StringsAndLineBreaksSurvive)
{
    TempDir dir;
    TXmlDocument doc;
    doc.CreateName("Tessaly");
    TXmlNode rec = doc.Root().NodeNew("Particulars");
    rec.WriteString("Special", "A & B <c> 'd' \"e\"");
    rec.WriteString("Lines", "first\r\nsecond\rthird\nfourth");
    rec.WriteString("Padded", "  keep me  ");
    rec.WriteString("Greek", "\xCE\xB1\xCE\xB2 \xC2\xB0");
    doc.SaveToFile(dir.File("a.xml"));
    const std::string first = ReadAll(dir.File("a.xml"));

    TXmlDocument back;
    back.LoadFromFile(dir.File("a.xml"));
    TXmlNode r = back.Root().FindNode("particulars");
    EXPECT_EQ(r.ReadString("Special"), "A & B <c> 'd' \"e\"");
    EXPECT_EQ(r.ReadString("Lines"), "first\r\nsecond\rthird\nfourth");
    EXPECT_EQ(r.ReadString("Padded"), "keep me");
    EXPECT_EQ(r.ReadString("Greek"), "\xCE\xB1\xCE\xB2 \xC2\xB0");

    back.SaveToFile(dir.File("b.xml"));
    TXmlDocument again;
    again.LoadFromFile(dir.File("b.xml"));
    EXPECT_EQ(again.Root().FindNode("Lines").ValueAsString(), "first\r\nsecond\rthird\nfourth");
    // A second save of what was read is byte for byte the same, but for the trimmed blanks.
    TXmlDocument unpadded;
    unpadded.LoadFromString(first);
    EXPECT_EQ(ReadAll(dir.File("b.xml")), unpadded.SaveToString());
}

TEST(XmlReader, EntitiesAndCommaFloatsAndHandEditedCase)
{
    TXmlDocument doc;
    doc.LoadFromString("<?xml version=\"1.0\"?>\n<data>\n <ship>\n  <lbp>  1,5 </lbp>\n"
                       "  <NAME>&#65;&#x42;&amp;&lt;</NAME>\n  <Flag> yes</Flag>\n </ship>\n</data>\n");
    TXmlNode ship = doc.Root().NodeByName("Ship");
    ASSERT_TRUE(ship);
    EXPECT_DOUBLE_EQ(ship.ReadFloat("LBP"), 1.5);
    EXPECT_EQ(ship.ReadString("Name"), "AB&<");
    EXPECT_TRUE(ship.ReadBool("flag"));
}

TEST(XmlReader, SearchOrderIsDepthFirst)
{
    TXmlDocument doc;
    doc.LoadFromString("<R><A><X>1</X><B><X>2</X></B></A><X>3</X><C><x>4</x></C></R>");
    std::vector<TXmlNode> all = doc.Root().FindNodes("X");
    ASSERT_EQ(all.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(all[static_cast<size_t>(i)].ValueAsInteger(), i + 1);
    EXPECT_EQ(doc.Root().FindNode("x").ValueAsInteger(), 1);
    EXPECT_EQ(doc.Root().NodeByName("X").ValueAsInteger(), 3);
    EXPECT_FALSE(doc.Root().FindNode("Nothing"));
    EXPECT_TRUE(doc.Root().FindNode("R").IsNone()) << "the node itself is not its own descendant";
}

TEST(XmlReader, MissingElementFailsTheRead)
{
    TXmlDocument doc;
    doc.LoadFromString("<Data><Ship><LBP>100</LBP></Ship></Data>");
    TXmlNode ship = doc.Root().FindNode("Ship");
    EXPECT_EQ(ExpectMessage([&] { ship.ReadFloat("Breadth"); }), "Element 'Breadth' not found");
    EXPECT_THROW(doc.Root().FindNode("Missing").ValueAsString(), Error);
}

TEST(XmlReader, EmptyDocumentIsNoErrorButEmpty)
{
    TempDir dir;
    for (const char* text : {"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", "   \r\n"}) {
        WriteAll(dir.File("e.xml"), text);
        TXmlDocument doc;
        EXPECT_NO_THROW(doc.LoadFromFile(dir.File("e.xml")));
        EXPECT_TRUE(doc.IsEmpty()) << "'" << text << "'";
    }
}

TEST(XmlReader, BrokenFilesGiveAClearError)
{
    // Every file in tests/data/shell/broken is malformed XML.
    int count = 0;
    for (const auto& entry : fs::directory_iterator(std::string(ORVANEL_TEST_DATA) + "/shell/broken")) {
        ++count;
        TXmlDocument doc;
        std::string message = ExpectMessage([&] { doc.LoadFromFile(entry.path().string()); });
        EXPECT_EQ(message.rfind("Invalid XML in \"" + entry.path().string() + "\"", 0), 0u)
            << entry.path() << ": " << message;
        EXPECT_TRUE(doc.IsEmpty()) << entry.path();
    }
    EXPECT_GE(count, 4);
}

TEST(XmlReader, MissingFileAndFolder)
{
    TempDir dir;
    TXmlDocument doc;
    EXPECT_EQ(ExpectMessage([&] { doc.LoadFromFile(dir.File("none.xml")); })
                  .rfind("Cannot open file \"" + dir.File("none.xml") + "\". ", 0),
              0u);
    EXPECT_EQ(ExpectMessage([&] { doc.LoadFromFile(dir.Path()); }).rfind("Cannot open file", 0), 0u);
}

TEST(XmlReader, DeepNestingNeitherCrashesNorRecurses)
{
    const int depth = 1000000;
    std::string text;
    text.reserve(static_cast<size_t>(depth) * 8);
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    text += "<Deep>7</Deep>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    TXmlDocument doc;
    try {
        doc.LoadFromString(text);
    } catch (const Error&) {
        SUCCEED() << "refused cleanly";
        return;
    }
    EXPECT_EQ(doc.Root().FindNode("deep").ValueAsInteger(), 7);
    EXPECT_EQ(doc.Root().FindNodes("a").size(), static_cast<size_t>(depth - 1));
    EXPECT_FALSE(doc.Root().FindNode("Shallow"));
}

TEST(XmlSave, FailedSaveLeavesTheOldFileUntouched)
{
    TempDir dir;
    const std::string target = dir.File("keep.xml");
    WriteAll(target, "old content");
    TXmlDocument doc;
    doc.CreateName("RoutePlan");

    // A folder where the file should be.
    fs::create_directory(dir.File("folder.xml"));
    EXPECT_EQ(ExpectMessage([&] { doc.SaveToFile(dir.File("folder.xml")); })
                  .rfind("Cannot create file \"" + dir.File("folder.xml") + "\". ", 0),
              0u);

    // A folder that does not exist.
    EXPECT_EQ(ExpectMessage([&] { doc.SaveToFile(dir.File("no/such/x.xml")); }).rfind("Cannot create file", 0), 0u);

    if (geteuid() != 0) {
        chmod(dir.Path().c_str(), 0500);
        EXPECT_THROW(doc.SaveToFile(target), Error);
        chmod(dir.Path().c_str(), 0700);
        EXPECT_EQ(ReadAll(target), "old content");
    }

    doc.SaveToFile(target);
    EXPECT_EQ(ReadAll(target), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<RoutePlan></RoutePlan>\r\n");
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.Path()))
        files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(XmlReader, LargeFileLoads)
{
    // About 100 MB of records: the layer must load it whole and find its last value.
    TempDir dir;
    const std::string path = dir.File("big.xml");
    {
        std::ofstream out(path, std::ios::binary);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Library>\r\n";
        const std::string rec = "  <Waypoint>\r\n    <WpId>1</WpId>\r\n    <WpName>Padding name of a waypoint</WpName>\r\n"
                                "    <Latitude>12.5</Latitude>\r\n  </Waypoint>\r\n";
        for (size_t written = 0; written < 100u * 1024 * 1024; written += rec.size())
            out << rec;
        out << "  <Last>\r\n    <Value>42</Value>\r\n  </Last>\r\n</Library>\r\n";
    }
    TXmlDocument doc;
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.Root().NodeByName("Last").ReadInteger("Value"), 42);
}
