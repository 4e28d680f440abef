#include "Xml.h"

#include "Error.h"
#include "Utils.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

// ---------------------------------------------------------------------------------------
// Value texts

std::string FloatToXmlText(double value)
{
    if (!std::isfinite(value))
        throw Error("Cannot store a value that is not a finite number.");
    if (value == 0)
        return "0"; // -0.0 too
    // Scaling and rounding in extended precision, so that the six digits are those of
    // the decimal value the user typed and not of its binary neighbour.
    long double v = std::fabs(static_cast<long double>(value));
    int point = 6;
    while (v < 100000.0L) {
        v *= 10.0L;
        --point;
    }
    while (v >= 1000000.0L) {
        v *= 0.1L;
        ++point;
    }
    long long digits = std::llrintl(v); // ties to even in the default rounding mode
    if (digits == 1000000) {
        digits /= 10;
        ++point;
    }
    int count = 6;
    while (digits % 10 == 0 && point < count) {
        digits /= 10;
        --count;
    }
    int exponent = 0;
    if (point < -1 || point > count + 2) {
        exponent = point - 1;
        point = 1;
    }
    // Compose in a local buffer: digits padded with zeros up to the point (or after a
    // leading point), the point inside when digits follow it, then the exponent.
    char digitText[24];
    int digitCount = static_cast<int>(std::to_chars(digitText, digitText + sizeof digitText, digits).ptr - digitText);
    int zerosAfter = point > count ? point - count : 0;
    int zerosBefore = point < 0 ? -point : 0;
    if (point < 0)
        point = 0;
    int length = zerosBefore + digitCount + zerosAfter; // count after step 7
    char out[64];
    char* p = out;
    if (value < 0)
        *p++ = '-';
    if (point == 0)
        *p++ = '.';
    char body[48];
    char* b = body;
    for (int i = 0; i < zerosBefore; ++i)
        *b++ = '0';
    std::memcpy(b, digitText, static_cast<size_t>(digitCount));
    b += digitCount;
    for (int i = 0; i < zerosAfter; ++i)
        *b++ = '0';
    if (point > 0 && point < length) {
        std::memcpy(p, body, static_cast<size_t>(point));
        p += point;
        *p++ = '.';
        std::memcpy(p, body + point, static_cast<size_t>(length - point));
        p += length - point;
    } else {
        std::memcpy(p, body, static_cast<size_t>(length));
        p += length;
    }
    if (exponent != 0) {
        *p++ = 'E';
        p = std::to_chars(p, out + sizeof out, exponent).ptr;
    }
    return std::string(out, static_cast<size_t>(p - out));
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string XmlTrim(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

double XmlTextToFloat(std::string_view text)
{
    static const char* const message = "Cannot convert value to float";
    // Hand-edited files are indented, so surrounding blanks and line breaks are allowed.
    std::string s = XmlTrim(text);
    for (char& c : s)
        if (c == ',')
            c = '.';
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    size_t start = i;
    size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        throw Error(message);
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            throw Error(message);
    }
    if (i != s.size())
        throw Error(message);
    // from_chars does not take a leading "+", and an exponent like "E+5" is fine for it.
    double result = 0;
    auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + s.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is a value no file of ours can hold.
        std::string copy(s.substr(start));
        double v = std::strtod(copy.c_str(), nullptr);
        if (!std::isfinite(v))
            throw Error(message);
        result = v;
    } else if (ec != std::errc() || ptr != s.data() + s.size()) {
        throw Error(message);
    }
    if (!std::isfinite(result))
        throw Error(message);
    return negative ? -result : result;
}

int XmlTextToInteger(std::string_view text)
{
    auto fail = [&]() -> Error {
        return Error("'" + std::string(text) + "' is not a valid integer value");
    };
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        throw fail();
    long long value = 0;
    for (; i < text.size(); ++i) {
        int d = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (d < 0)
            throw fail();
        value = value * base + d;
        if (value > 0x100000000LL)
            throw fail();
    }
    if (negative)
        value = -value;
    if (base == 16 && !negative && value > 0x7FFFFFFFLL && value <= 0xFFFFFFFFLL)
        value -= 0x100000000LL; // "$FFFFFFFF" is -1, as a 32-bit pattern
    if (value < INT32_MIN || value > INT32_MAX)
        throw fail();
    return static_cast<int>(value);
}

bool XmlTextToBool(std::string_view text)
{
    std::string s = XmlTrim(text);
    if (!s.empty()) {
        switch (s[0]) {
        case '0': case 'f': case 'F': case 'n': case 'N':
            return false;
        case '1': case 't': case 'T': case 'y': case 'Y':
            return true;
        default:
            break;
        }
    }
    throw Error("Cannot convert value to bool");
}

// ---------------------------------------------------------------------------------------
// Nodes

namespace {

bool NameIs(pugi::xml_node n, std::string_view name)
{
    return n.type() == pugi::node_element && SameText(n.name(), name);
}

// Appends an element named `name`; pugixml wants a terminated name, so short names go
// through a stack buffer rather than a heap string.
pugi::xml_node AppendElement(pugi::xml_node parent, std::string_view name)
{
    pugi::xml_node child = parent.append_child(pugi::node_element);
    char buffer[128];
    if (name.size() < sizeof buffer) {
        std::memcpy(buffer, name.data(), name.size());
        buffer[name.size()] = 0;
        child.set_name(buffer);
    } else {
        child.set_name(std::string(name).c_str());
    }
    return child;
}

} // namespace

std::string TXmlNode::Name() const
{
    return node_ ? std::string(node_.name()) : std::string();
}

TXmlNode TXmlNode::NodeNew(std::string_view name)
{
    RequireNode();
    return TXmlNode(AppendElement(node_, name));
}

void TXmlNode::SetText(std::string_view name, std::string_view text)
{
    RequireNode();
    pugi::xml_node leaf;
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling())
        if (NameIs(c, name)) {
            leaf = c;
            break;
        }
    if (!leaf)
        leaf = AppendElement(node_, name);
    else
        while (leaf.first_child())
            leaf.remove_child(leaf.first_child());
    if (!text.empty())
        leaf.append_child(pugi::node_pcdata).set_value(text.data(), text.size());
}

void TXmlNode::WriteString(std::string_view name, std::string_view value)
{
    SetText(name, value);
}

void TXmlNode::WriteFloat(std::string_view name, double value)
{
    if (!std::isfinite(value))
        throw Error("Cannot store the value of '" + std::string(name) +
                    "': it is not a finite number.");
    SetText(name, FloatToXmlText(value));
}

void TXmlNode::WriteInteger(std::string_view name, int value)
{
    SetText(name, std::to_string(value));
}

void TXmlNode::WriteBool(std::string_view name, bool value)
{
    SetText(name, value ? "True" : "False");
}

TXmlNode TXmlNode::FindNode(std::string_view name) const
{
    if (!node_)
        return {};
    // Iterative depth-first walk: no recursion, so any nesting depth is safe.
    pugi::xml_node n = node_.first_child();
    while (n) {
        if (NameIs(n, name))
            return TXmlNode(n);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (!n.next_sibling()) {
            n = n.parent();
            if (n == node_)
                return {};
        }
        n = n.next_sibling();
    }
    return {};
}

std::vector<TXmlNode> TXmlNode::FindNodes(std::string_view name) const
{
    std::vector<TXmlNode> found;
    if (!node_)
        return found;
    pugi::xml_node n = node_.first_child();
    while (n) {
        if (NameIs(n, name))
            found.emplace_back(n);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (!n.next_sibling()) {
            n = n.parent();
            if (n == node_)
                return found;
        }
        n = n.next_sibling();
    }
    return found;
}

TXmlNode TXmlNode::NodeByName(std::string_view name) const
{
    if (!node_)
        return {};
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling())
        if (NameIs(c, name))
            return TXmlNode(c);
    return {};
}

std::vector<TXmlNode> TXmlNode::Children() const
{
    std::vector<TXmlNode> list;
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            list.emplace_back(c);
    return list;
}

void TXmlNode::RequireNode() const
{
    if (!node_)
        throw Error("Element not found");
}

std::string TXmlNode::RawText() const
{
    RequireNode();
    return node_.child_value();
}

std::string TXmlNode::ValueAsString() const
{
    RequireNode();
    return XmlTrim(node_.child_value());
}

double TXmlNode::ValueAsFloat() const
{
    RequireNode();
    return XmlTextToFloat(node_.child_value());
}

int TXmlNode::ValueAsInteger() const
{
    RequireNode();
    return XmlTextToInteger(node_.child_value());
}

bool TXmlNode::ValueAsBool() const
{
    RequireNode();
    return XmlTextToBool(node_.child_value());
}

TXmlNode TXmlNode::Child(std::string_view name) const
{
    RequireNode();
    TXmlNode c = NodeByName(name);
    if (!c)
        throw Error("Element '" + std::string(name) + "' not found");
    return c;
}

std::string TXmlNode::ReadString(std::string_view name) const { return Child(name).ValueAsString(); }
double TXmlNode::ReadFloat(std::string_view name) const { return Child(name).ValueAsFloat(); }
int TXmlNode::ReadInteger(std::string_view name) const { return Child(name).ValueAsInteger(); }
bool TXmlNode::ReadBool(std::string_view name) const { return Child(name).ValueAsBool(); }

// ---------------------------------------------------------------------------------------
// Documents

void TXmlDocument::CreateName(std::string_view rootName)
{
    doc_.reset();
    doc_.append_child(pugi::node_element).set_name(std::string(rootName).c_str());
}

namespace {

// Keeps every character of the text as it stands: line breaks inside a value (a lone
// carriage return included) must survive a save and reload.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes;

void CheckParse(const pugi::xml_document& doc, const pugi::xml_parse_result& result,
                const std::string& where)
{
    if (result.status == pugi::status_no_document_element)
        return; // an empty document is the caller's to report
    if (!result)
        throw Error("Invalid XML in " + where + " at offset " + std::to_string(result.offset) +
                    ": " + result.description());
    int roots = 0;
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && ++roots > 1)
            throw Error("Invalid XML in " + where + ": more than one root element");
}

} // namespace

void TXmlDocument::LoadFromFile(const std::string& fileName)
{
    doc_.reset();
    FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f)
        throw Error("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    struct stat st {};
    if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        throw Error("Cannot open file \"" + fileName + "\". " + std::strerror(EISDIR));
    }
    std::fclose(f);
    pugi::xml_parse_result result = doc_.load_file(fileName.c_str(), kParseOptions, pugi::encoding_auto);
    if (result.status == pugi::status_file_not_found || result.status == pugi::status_io_error)
        throw Error("Cannot open file \"" + fileName + "\". " + result.description());
    if (result.status == pugi::status_out_of_memory)
        throw Error("Cannot open file \"" + fileName + "\". Not enough memory");
    try {
        CheckParse(doc_, result, "\"" + fileName + "\"");
    } catch (...) {
        doc_.reset();
        throw;
    }
}

void TXmlDocument::LoadFromString(std::string_view text)
{
    doc_.reset();
    pugi::xml_parse_result result = doc_.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_auto);
    try {
        CheckParse(doc_, result, "document");
    } catch (...) {
        doc_.reset();
        throw;
    }
}

bool TXmlDocument::IsEmpty() const
{
    return !doc_.document_element();
}

TXmlNode TXmlDocument::Root() const
{
    return TXmlNode(doc_.document_element());
}

namespace {

void AppendEscaped(std::string& out, const char* s)
{
    // Ampersand first is implied: each character is replaced once, in one pass.
    const char* run = s;
    for (; *s; ++s) {
        const char* entity = nullptr;
        switch (*s) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '\'': entity = "&apos;"; break;
        case '"': entity = "&quot;"; break;
        default: continue;
        }
        out.append(run, static_cast<size_t>(s - run));
        out += entity;
        run = s + 1;
    }
    out.append(run, static_cast<size_t>(s - run));
}

pugi::xml_node FirstElement(pugi::xml_node n)
{
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return c;
    return {};
}

pugi::xml_node NextElement(pugi::xml_node n)
{
    for (pugi::xml_node c = n.next_sibling(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return c;
    return {};
}

void Indent(std::string& out, int depth)
{
    out.append(static_cast<size_t>(depth) * 2, ' ');
}

} // namespace

namespace {

// Writes a created file under a temporary name beside the target and renames it over the
// target only when every byte is on disk; anything less leaves the old file as it was.
class TAtomicFile {
public:
    explicit TAtomicFile(const std::string& fileName) : fileName_(fileName)
    {
        struct stat target {};
        bool exists = stat(fileName.c_str(), &target) == 0;
        if (exists && S_ISDIR(target.st_mode))
            throw Fail(EISDIR);
        std::string::size_type slash = fileName.find_last_of('/');
        std::string dir = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
        std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
        temp_ = dir + "." + base + ".XXXXXX";
        fd_ = mkstemp(temp_.data());
        if (fd_ < 0)
            throw Fail(errno);
        // mkstemp creates the file private; give it the mode a plain create would.
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd_, exists ? (target.st_mode & 07777) : (0666 & ~mask));
    }

    ~TAtomicFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(temp_.c_str());
        }
    }

    void Write(std::string_view bytes)
    {
        const char* p = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            ssize_t n = ::write(fd_, p, left);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw Fail(errno);
            }
            p += n;
            left -= static_cast<size_t>(n);
        }
    }

    void Commit()
    {
        if (::fsync(fd_) != 0 && errno != EINVAL)
            throw Fail(errno);
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            int err = errno;
            ::unlink(temp_.c_str());
            throw Fail(err);
        }
        if (std::rename(temp_.c_str(), fileName_.c_str()) != 0) {
            int err = errno;
            ::unlink(temp_.c_str());
            throw Fail(err);
        }
    }

private:
    Error Fail(int err) const
    {
        return Error("Cannot create file \"" + fileName_ + "\". " + std::strerror(err));
    }

    std::string fileName_;
    std::string temp_;
    int fd_ = -1;
};

// The readable layout, produced by an iterative walk (each element opened when reached
// and closed when its last child is done, so nesting depth never touches the stack).
// `flush` receives the text in pieces of about 256 KiB, so a large file never needs one
// large buffer.
template <class Flush>
void Serialize(pugi::xml_node root, std::string& out, size_t chunk, Flush flush)
{
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    if (!root)
        return;
    pugi::xml_node n = root;
    int depth = 0;
    while (true) {
        if (out.size() >= chunk) {
            flush(out);
            out.clear();
        }
        Indent(out, depth);
        pugi::xml_node first = FirstElement(n);
        if (first) {
            out += '<';
            out += n.name();
            out += ">\r\n";
            n = first;
            ++depth;
            continue;
        }
        const char* text = n.child_value();
        out += '<';
        out += n.name();
        if (*text) {
            out += '>';
            AppendEscaped(out, text);
            out += "</";
            out += n.name();
            out += ">\r\n";
        } else if (depth == 0) {
            out += "></";
            out += n.name();
            out += ">\r\n";
        } else {
            out += "/>\r\n";
        }
        // Climb until a sibling is found, closing each finished parent.
        while (true) {
            if (depth == 0)
                return;
            pugi::xml_node next = NextElement(n);
            if (next) {
                n = next;
                break;
            }
            n = n.parent();
            --depth;
            Indent(out, depth);
            out += "</";
            out += n.name();
            out += ">\r\n";
        }
    }
}

} // namespace

std::string TXmlDocument::SaveToString() const
{
    std::string out;
    Serialize(doc_.document_element(), out, SIZE_MAX, [](std::string&) {});
    return out;
}

void TXmlDocument::SaveToFile(const std::string& fileName) const
{
    TAtomicFile file(fileName);
    std::string buffer;
    buffer.reserve(300 * 1024);
    Serialize(doc_.document_element(), buffer, 256 * 1024, [&](std::string& piece) { file.Write(piece); });
    file.Write(buffer);
    file.Commit();
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes)
{
    TAtomicFile file(fileName);
    file.Write(bytes);
    file.Commit();
}

} // namespace shell
