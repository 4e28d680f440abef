#include "Xml.h"

#include "Error.h"
#include "Utils.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
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

namespace {

std::string_view TrimView(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

} // namespace

std::string XmlTrim(std::string_view text)
{
    return std::string(TrimView(text));
}

double XmlTextToFloat(std::string_view text)
{
    static const char* const message = "Cannot convert value to float";
    // Hand-edited files are indented, so surrounding blanks and line breaks are allowed.
    std::string_view t = TrimView(text);
    char local[64];
    std::string heap;
    if (t.find(',') != std::string_view::npos) {
        // "," is read as ".", whatever the regional settings of the machine that wrote it.
        char* copy = local;
        if (t.size() > sizeof local) {
            heap.assign(t);
            copy = heap.data();
        } else {
            std::memcpy(local, t.data(), t.size());
        }
        for (size_t k = 0; k < t.size(); ++k)
            if (copy[k] == ',')
                copy[k] = '.';
        t = std::string_view(copy, t.size());
    }
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    size_t start = i;
    size_t mantissaDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        throw Error(message);
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            throw Error(message);
    }
    if (i != t.size())
        throw Error(message);
    // The sign is handled here: from_chars takes no leading "+".
    double result = 0;
    auto [ptr, ec] = std::from_chars(t.data() + start, t.data() + t.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is a value no file of ours can hold.
        std::string copy(t.substr(start));
        result = std::strtod(copy.c_str(), nullptr);
    } else if (ec != std::errc() || ptr != t.data() + t.size()) {
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
    std::string_view s = TrimView(text);
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

// Element names compare without regard to (ASCII) case; walked without strlen, as this
// runs for every node a search passes.
bool NameIs(pugi::xml_node n, std::string_view name)
{
    // Only elements carry a name in the trees we parse (text nodes have an empty one), so
    // no type test is needed.
    if (name.empty())
        return false;
    const char* a = n.name();
    for (char c : name) {
        char x = *a++;
        if (x == c)
            continue;
        if (x == 0 || ((x | 0x20) != (c | 0x20)) || ((c | 0x20) < 'a') || ((c | 0x20) > 'z'))
            return false;
    }
    return *a == 0;
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

using detail::TBuildNode;

bool NameIs(const TBuildNode* n, std::string_view name)
{
    return SameText(n->Name, name);
}

TBuildNode* NewBuildNode(TBuildNode* parent, std::string_view name)
{
    TBuildNode& child = *parent->Arena->New();
    child.Name.assign(name);
    child.Parent = parent;
    if (parent->Last)
        parent->Last->Next = &child;
    else
        parent->First = &child;
    parent->Last = &child;
    return &child;
}

// Depth-first walk below `top` in document order, without recursion. Works on both trees
// through the same four steps.
pugi::xml_node FirstOf(pugi::xml_node n) { return n.first_child(); }
pugi::xml_node NextOf(pugi::xml_node n) { return n.next_sibling(); }
pugi::xml_node ParentOf(pugi::xml_node n) { return n.parent(); }
TBuildNode* FirstOf(TBuildNode* n) { return n->First; }
TBuildNode* NextOf(TBuildNode* n) { return n->Next; }
TBuildNode* ParentOf(TBuildNode* n) { return n->Parent; }

template <class N, class Visit>
void WalkDescendants(N top, Visit visit)
{
    N n = FirstOf(top);
    while (n) {
        if (!visit(n))
            return;
        if (FirstOf(n)) {
            n = FirstOf(n);
            continue;
        }
        while (!NextOf(n)) {
            n = ParentOf(n);
            if (n == top)
                return;
        }
        n = NextOf(n);
    }
}

} // namespace

std::string TXmlNode::Name() const
{
    if (build_)
        return build_->Name;
    return node_ ? std::string(node_.name()) : std::string();
}

TXmlNode TXmlNode::NodeNew(std::string_view name)
{
    RequireNode();
    if (build_)
        return TXmlNode(NewBuildNode(build_, name));
    return TXmlNode(AppendElement(node_, name));
}

void TXmlNode::SetText(std::string_view name, std::string_view text)
{
    RequireNode();
    if (build_) {
        TBuildNode* leaf = nullptr;
        for (TBuildNode* c = build_->First; c; c = c->Next)
            if (NameIs(c, name)) {
                leaf = c;
                break;
            }
        if (!leaf)
            leaf = NewBuildNode(build_, name);
        leaf->Text.assign(text);
        return;
    }
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
    char text[16];
    SetText(name, std::string_view(text, static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)));
}

void TXmlNode::WriteBool(std::string_view name, bool value)
{
    SetText(name, value ? "True" : "False");
}

TXmlNode TXmlNode::FindNode(std::string_view name) const
{
    TXmlNode found;
    if (build_)
        WalkDescendants(build_, [&](TBuildNode* n) {
            if (!NameIs(n, name))
                return true;
            found = TXmlNode(n);
            return false;
        });
    else if (node_)
        WalkDescendants(node_, [&](pugi::xml_node n) {
            if (!NameIs(n, name))
                return true;
            found = TXmlNode(n);
            return false;
        });
    return found;
}

std::vector<TXmlNode> TXmlNode::FindNodes(std::string_view name) const
{
    std::vector<TXmlNode> found;
    if (build_)
        WalkDescendants(build_, [&](TBuildNode* n) {
            if (NameIs(n, name))
                found.emplace_back(n);
            return true;
        });
    else if (node_)
        WalkDescendants(node_, [&](pugi::xml_node n) {
            if (NameIs(n, name))
                found.emplace_back(n);
            return true;
        });
    return found;
}

TXmlNode TXmlNode::NodeByName(std::string_view name) const
{
    if (build_) {
        for (TBuildNode* c = build_->First; c; c = c->Next)
            if (NameIs(c, name))
                return TXmlNode(c);
        return {};
    }
    if (!node_)
        return {};
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling())
        if (NameIs(c, name))
            return TXmlNode(c);
    return {};
}

void TXmlNode::FindChildren(const std::string_view* names, size_t count, TXmlNode* found) const
{
    for (size_t k = 0; k < count; ++k)
        found[k] = TXmlNode();
    size_t missing = count;
    auto take = [&](auto c) {
        for (size_t k = 0; k < count; ++k)
            if (!found[k] && NameIs(c, names[k])) {
                found[k] = TXmlNode(c);
                --missing;
                return;
            }
    };
    if (build_) {
        for (TBuildNode* c = build_->First; c && missing > 0; c = c->Next)
            take(c);
    } else if (node_) {
        for (pugi::xml_node c = node_.first_child(); c && missing > 0; c = c.next_sibling())
            take(c);
    }
}

std::vector<TXmlNode> TXmlNode::Children() const
{
    std::vector<TXmlNode> list;
    if (build_) {
        for (TBuildNode* c = build_->First; c; c = c->Next)
            list.emplace_back(c);
        return list;
    }
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            list.emplace_back(c);
    return list;
}

void TXmlNode::RequireNode() const
{
    if (!node_ && !build_)
        throw Error("Element not found");
}

const char* TXmlNode::TextPtr() const
{
    RequireNode();
    return build_ ? build_->Text.c_str() : node_.child_value();
}

std::string TXmlNode::RawText() const
{
    return TextPtr();
}

std::string TXmlNode::ValueAsString() const
{
    return XmlTrim(TextPtr());
}

double TXmlNode::ValueAsFloat() const
{
    return XmlTextToFloat(TextPtr());
}

int TXmlNode::ValueAsInteger() const
{
    return XmlTextToInteger(TextPtr());
}

bool TXmlNode::ValueAsBool() const
{
    return XmlTextToBool(TextPtr());
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
    built_ = std::make_unique<detail::TBuildArena>();
    built_->New()->Name.assign(rootName);
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
    built_.reset();
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
    built_.reset();
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
    return !built_ && !doc_.document_element();
}

TXmlNode TXmlDocument::Root() const
{
    if (built_)
        return TXmlNode(built_->Blocks.front().get());
    return TXmlNode(doc_.document_element());
}

namespace {

// Output buffer of the writer: plain appends into a growing byte array, cheaper than
// std::string's per-append bookkeeping on files of millions of small pieces.
class TOut {
public:
    TOut() = default;
    TOut(const TOut&) = delete;
    TOut& operator=(const TOut&) = delete;
    ~TOut() { std::free(data_); }

    void Append(const char* p, size_t n)
    {
        if (size_ + n > capacity_) [[unlikely]]
            Grow(n);
        std::memcpy(data_ + size_, p, n);
        size_ += n;
    }
    void Append(const char* p) { Append(p, std::strlen(p)); }
    void Append(char c) { Append(&c, 1); }
    void Spaces(size_t n)
    {
        if (size_ + n > capacity_) [[unlikely]]
            Grow(n);
        std::memset(data_ + size_, ' ', n);
        size_ += n;
    }
    size_t Size() const { return size_; }
    std::string_view View() const { return {data_, size_}; }
    void Clear() { size_ = 0; }

private:
    void Grow(size_t n)
    {
        size_t capacity = std::max<size_t>({capacity_ * 2, size_ + n, 256 * 1024 + 4096});
        char* grown = static_cast<char*>(std::realloc(data_, capacity));
        if (!grown)
            throw std::bad_alloc();
        data_ = grown;
        capacity_ = capacity;
    }

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

void AppendEscaped(TOut& out, const char* s)
{
    // Runs without special characters are copied whole; each special character is
    // replaced once, so the ampersands of the entities are never escaped again.
    while (*s) {
        size_t run = std::strcspn(s, "&<>'\"");
        out.Append(s, run);
        s += run;
        switch (*s) {
        case '&': out.Append("&amp;", 5); break;
        case '<': out.Append("&lt;", 4); break;
        case '>': out.Append("&gt;", 4); break;
        case '\'': out.Append("&apos;", 6); break;
        case '"': out.Append("&quot;", 6); break;
        default: return;
        }
        ++s;
    }
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

const char* NameOf(pugi::xml_node n) { return n.name(); }
const char* TextOf(pugi::xml_node n) { return n.child_value(); }
pugi::xml_node ParentElement(pugi::xml_node n) { return n.parent(); }

detail::TBuildNode* FirstElement(detail::TBuildNode* n) { return n->First; }
detail::TBuildNode* NextElement(detail::TBuildNode* n) { return n->Next; }
detail::TBuildNode* ParentElement(detail::TBuildNode* n) { return n->Parent; }
const char* NameOf(detail::TBuildNode* n) { return n->Name.c_str(); }
const char* TextOf(detail::TBuildNode* n) { return n->Text.c_str(); }

void Indent(TOut& out, int depth)
{
    out.Spaces(static_cast<size_t>(depth) * 2);
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
template <class N, class Flush>
void Serialize(N root, TOut& out, size_t chunk, Flush flush)
{
    out.Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    if (!root)
        return;
    N n = root;
    int depth = 0;
    while (true) {
        if (out.Size() >= chunk) {
            flush(out.View());
            out.Clear();
        }
        Indent(out, depth);
        N first = FirstElement(n);
        const char* name = NameOf(n);
        size_t nameLength = std::strlen(name);
        out.Append('<');
        out.Append(name, nameLength);
        if (first) {
            out.Append(">\r\n", 3);
            n = first;
            ++depth;
            continue;
        }
        const char* text = TextOf(n);
        if (*text) {
            out.Append('>');
            AppendEscaped(out, text);
            out.Append("</", 2);
            out.Append(name, nameLength);
            out.Append(">\r\n", 3);
        } else if (depth == 0) {
            out.Append("></", 3);
            out.Append(name, nameLength);
            out.Append(">\r\n", 3);
        } else {
            out.Append("/>\r\n", 4);
        }
        // Climb until a sibling is found, closing each finished parent.
        while (true) {
            if (depth == 0)
                return;
            N next = NextElement(n);
            if (next) {
                n = next;
                break;
            }
            n = ParentElement(n);
            --depth;
            Indent(out, depth);
            out.Append("</", 2);
            out.Append(NameOf(n));
            out.Append(">\r\n", 3);
        }
    }
}

} // namespace

std::string TXmlDocument::SaveToString() const
{
    TOut out;
    auto keep = [](std::string_view) {};
    if (built_)
        Serialize(built_->Blocks.front().get(), out, SIZE_MAX, keep);
    else
        Serialize(doc_.document_element(), out, SIZE_MAX, keep);
    return std::string(out.View());
}

void TXmlDocument::SaveToFile(const std::string& fileName) const
{
    TAtomicFile file(fileName);
    TOut buffer;
    auto write = [&](std::string_view piece) { file.Write(piece); };
    if (built_)
        Serialize(built_->Blocks.front().get(), buffer, 256 * 1024, write);
    else
        Serialize(doc_.document_element(), buffer, 256 * 1024, write);
    file.Write(buffer.View());
    file.Commit();
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes)
{
    TAtomicFile file(fileName);
    file.Write(bytes);
    file.Commit();
}

} // namespace shell
