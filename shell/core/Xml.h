#pragma once
// The suite's XML layer: every document, ship file and library goes through it.
//
// Files are parsed whole with pugixml; the writer is our own and produces one fixed
// layout byte for byte: the declaration, then the tree with two blanks of indentation
// per level, "\r\n" after every line, empty leaves as empty-element tags (never the
// root). Element names are compared without regard to case everywhere.

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// Float text: six significant digits, scientific form outside a range, no leading zero
// before the point (".5"), computed in extended precision. Throws shell::Error for a
// value that is not finite.
std::string FloatToXmlText(double value);

// Text readers with the layer's rules and error texts.
double XmlTextToFloat(std::string_view text);  // "," read as "."; "Cannot convert value to float"
int XmlTextToInteger(std::string_view text);   // "$"/"0x" hex; "'%s' is not a valid integer value"
bool XmlTextToBool(std::string_view text);     // first character; "Cannot convert value to bool"
std::string XmlTrim(std::string_view text);    // blanks, tabs, CR and LF removed at both ends

namespace detail {

// Element of a document being built. Documents made with CreateName hold their tree in
// these light nodes (names and short values stay inside the strings, text sits on the
// element itself), which makes building and writing large files cheap; documents read
// from a file keep pugixml's tree.
struct TBuildArena;

struct TBuildNode {
    std::string Name;
    std::string Text;
    TBuildNode* Parent = nullptr;
    TBuildNode* First = nullptr;
    TBuildNode* Last = nullptr;
    TBuildNode* Next = nullptr;
    TBuildArena* Arena = nullptr;
};

// Nodes are allocated in blocks and never move, so handles stay valid while the
// document lives.
struct TBuildArena {
    std::vector<std::unique_ptr<TBuildNode[]>> Blocks;
    size_t Used = 0; // nodes used in the last block
    static constexpr size_t kBlock = 1024;

    TBuildNode* New()
    {
        if (Blocks.empty() || Used == kBlock) {
            Blocks.push_back(std::make_unique<TBuildNode[]>(kBlock));
            Used = 0;
        }
        TBuildNode* node = &Blocks.back()[Used++];
        node->Arena = this;
        return node;
    }
};

} // namespace detail

// A handle on one element; cheap to copy. A default handle stands for "no element".
class TXmlNode {
public:
    TXmlNode() = default;
    explicit TXmlNode(pugi::xml_node node) : node_(node) {}
    explicit TXmlNode(detail::TBuildNode* node) : build_(node) {}

    explicit operator bool() const { return node_ || build_; }
    bool IsNone() const { return !node_ && !build_; }
    std::string Name() const;

    // Appends a new child element, even if one of that name exists.
    TXmlNode NodeNew(std::string_view name);

    // Finds the first child of that name (any case) or appends one, then sets its text.
    void WriteString(std::string_view name, std::string_view value);
    void WriteFloat(std::string_view name, double value);
    void WriteInteger(std::string_view name, int value);
    void WriteBool(std::string_view name, bool value);

    // First descendant of that name, depth first in document order; none if absent.
    TXmlNode FindNode(std::string_view name) const;
    // Every descendant of that name, in the same order.
    std::vector<TXmlNode> FindNodes(std::string_view name) const;
    // First direct child of that name; none if absent.
    TXmlNode NodeByName(std::string_view name) const;
    // Direct child elements in document order.
    std::vector<TXmlNode> Children() const;

    // Value readers of this element; reading from no element throws shell::Error.
    std::string ValueAsString() const; // trimmed
    double ValueAsFloat() const;
    int ValueAsInteger() const;
    bool ValueAsBool() const;
    std::string RawText() const;       // untrimmed text of the element

    // Child value readers: NodeByName, then the reader; a missing child throws
    // shell::Error naming it.
    std::string ReadString(std::string_view name) const;
    double ReadFloat(std::string_view name) const;
    int ReadInteger(std::string_view name) const;
    bool ReadBool(std::string_view name) const;

    // First direct child of each name, found in one pass over the children (a reader of
    // records with many fields uses it instead of one NodeByName per field). Absent
    // names leave their slot as none.
    void FindChildren(const std::string_view* names, size_t count, TXmlNode* found) const;

    // The pugixml element behind a handle on a document read from a file; none otherwise.
    pugi::xml_node Raw() const { return node_; }

private:
    TXmlNode Child(std::string_view name) const; // NodeByName that throws when absent
    void SetText(std::string_view name, std::string_view text);
    void RequireNode() const;
    const char* TextPtr() const;

    pugi::xml_node node_;
    detail::TBuildNode* build_ = nullptr;
};

class TXmlDocument {
public:
    TXmlDocument() = default;
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // Starts a new document whose root element has the given name.
    void CreateName(std::string_view rootName);

    // Parses the whole file. Throws shell::Error ("Cannot open file ...", or the parser's
    // description) when the file cannot be read or is not well-formed XML. A file without
    // any element loads as an empty document (see IsEmpty), which callers report themselves.
    void LoadFromFile(const std::string& fileName);
    void LoadFromString(std::string_view text);

    // Writes the readable layout atomically: a temporary file beside the target, flushed,
    // then renamed over it. Throws shell::Error ("Cannot create file ...") on failure and
    // leaves an existing file untouched.
    void SaveToFile(const std::string& fileName) const;
    std::string SaveToString() const;

    // True when the document has no root element.
    bool IsEmpty() const;
    TXmlNode Root() const;

private:
    pugi::xml_document doc_;
    std::unique_ptr<detail::TBuildArena> built_; // set by CreateName
};

// Writes a whole byte string to a file atomically (temporary file, flush, rename).
// Throws shell::Error("Cannot create file ...") on failure.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

} // namespace shell
