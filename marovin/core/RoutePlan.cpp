#include "RoutePlan.h"

#include "UtilsMarovin.h"
#include "UtilsMarovinCalc.h"

#include "shell/core/Folders.h"
#include "shell/core/Utils.h"
#include "shell/core/Xml.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <filesystem>
#include <type_traits>

namespace marovin {

namespace {

constexpr const char* kProgramVersion = "9.1.0.1";

[[noreturn]] void ThrowMissing(const char* name)
{
    throw shell::Error(std::string("Element '") + name + "' not found");
}

shell::TXmlNode FindRequired(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = root.FindNode(name);
    if (!n)
        ThrowMissing(name);
    return n;
}

void LoadDocument(shell::TXmlDocument& doc, const std::string& fileName)
{
    doc.LoadFromFile(fileName);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + fileName);
}

bool ByWpId(const TLibraryWaypoint& a, const TLibraryWaypoint& b)
{
    return a.WpId < b.WpId;
}

bool ByOrdNumber(const TRouteWaypoint& a, const TRouteWaypoint& b)
{
    return a.OrdNumber < b.OrdNumber;
}

} // namespace

std::string CutText(std::string text, size_t size)
{
    if (text.size() <= size)
        return text; // no more bytes than characters allowed
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == size) {
                text.resize(i);
                return text;
            }
            ++count;
        }
    }
    return text;
}

double RoundHalfEven(double x, int decimals)
{
    if (!std::isfinite(x))
        return x;
    static constexpr double kScales[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double scale = (decimals >= 0 && decimals <= 6) ? kScales[decimals] : std::pow(10.0, decimals);
    // The product is exact in extended precision (53 + 7 bits for two decimals), so an
    // exact half of the binary value is recognised; rintl rounds it to the even
    // neighbour (the default rounding mode).
    const long double scaled = static_cast<long double>(x) * static_cast<long double>(scale);
    const long double whole = std::rintl(scaled);
    return static_cast<double>(whole) / scale;
}

std::string TLibraryWaypoint::CalcLatitude() const { return FormatLatitudeGrid(Latitude); }
std::string TLibraryWaypoint::CalcLongitude() const { return FormatLongitudeGrid(Longitude); }
std::string TRouteWaypoint::CalcLatitude() const { return FormatLatitudeGrid(Latitude); }
std::string TRouteWaypoint::CalcLongitude() const { return FormatLongitudeGrid(Longitude); }

void TRoutePlan::Changed()
{
    if (OnChanged)
        OnChanged();
}

// ---------------------------------------------------------------------------------------
// Route plan document

void TRoutePlan::Init()
{
    TRouteHeader h;
    h.RouteId = 1;
    h.RouteNo = "01/2011";
    h.RouteName = "RouteName";
    h.Departure = "Departure";
    h.Destination = "Destination";
    h.Description = "Description";
    h.Charts = "Charts:\rList of Lights:\rALRS:";
    h.Distance = 0;
    h.WpCount = 0;
    tblRoute = h;
    tblRouteDetails.clear();
    Changed();
}

void TRoutePlan::WriteRoutePlan(const std::string& fileName) const
{
    shell::TXmlDocument doc;
    doc.CreateName("RoutePlan");
    shell::TXmlNode root = doc.Root();

    shell::TXmlNode header = root.NodeNew("Header");
    header.WriteString("Contents", "Marovin");
    header.WriteString("Version", kProgramVersion);
    header.WriteString("CalcMethod", "Marovin");

    shell::TXmlNode route = root.NodeNew("Route");
    route.WriteInteger("RouteId", 1);
    route.WriteString("RouteNo", tblRoute.RouteNo);
    route.WriteString("RouteName", tblRoute.RouteName);
    route.WriteString("Departure", tblRoute.Departure);
    route.WriteString("Destination", tblRoute.Destination);
    route.WriteString("Description", tblRoute.Description);
    route.WriteString("Charts", tblRoute.Charts);
    route.WriteFloat("Distance", tblRoute.Distance);
    route.WriteInteger("WpCount", tblRoute.WpCount);

    // The file numbers the waypoints by their position, whatever their RouteWpId was.
    int counter = 0;
    for (const TRouteWaypoint& wp : tblRouteDetails) {
        ++counter;
        shell::TXmlNode n = root.NodeNew("Waypoints");
        n.WriteInteger("RouteWpId", counter);
        n.WriteString("WpName", wp.WpName);
        n.WriteFloat("Latitude", wp.Latitude);
        n.WriteFloat("Longitude", wp.Longitude);
        n.WriteString("Description", wp.Description);
        n.WriteInteger("OrdNumber", wp.OrdNumber);
        n.WriteInteger("RouteId", 1);
    }
    doc.SaveToFile(fileName);
}

void TRoutePlan::SaveVoyage(const std::string& fileName)
{
    WriteRoutePlan(fileName);
    SaveCurrentLibrary();
}

void TRoutePlan::OpenVoyage(const std::string& fileName)
{
    shell::TXmlDocument doc;
    LoadDocument(doc, fileName);
    shell::TXmlNode root = doc.Root();

    // Header values: the first element of each name anywhere below the root.
    TRouteHeader h;
    h.RouteId = FindRequired(root, "RouteId").ValueAsInteger();
    h.RouteNo = CutText(FindRequired(root, "RouteNo").ValueAsString(), kRouteNoSize);
    h.RouteName = CutText(FindRequired(root, "RouteName").ValueAsString(), kRouteNameSize);
    h.Departure = CutText(FindRequired(root, "Departure").ValueAsString(), kDepartureSize);
    h.Destination = CutText(FindRequired(root, "Destination").ValueAsString(), kDestinationSize);
    h.Description = CutText(FindRequired(root, "Description").ValueAsString(), kRouteDescriptionSize);
    h.Charts = FindRequired(root, "Charts").ValueAsString();
    h.Distance = FindRequired(root, "Distance").ValueAsFloat();
    h.WpCount = FindRequired(root, "WpCount").ValueAsInteger();

    std::vector<TRouteWaypoint> details;
    std::vector<shell::TXmlNode> nodes = root.FindNodes("Waypoints");
    details.reserve(nodes.size());
    for (const shell::TXmlNode& n : nodes) {
        TRouteWaypoint wp;
        wp.RouteWpId = n.ReadInteger("RouteWpId");
        wp.WpName = CutText(n.ReadString("WpName"), kWpNameSize);
        wp.Latitude = n.ReadFloat("Latitude");
        wp.Longitude = n.ReadFloat("Longitude");
        wp.Description = CutText(n.ReadString("Description"), kRouteWpDescriptionSize);
        wp.OrdNumber = n.ReadInteger("OrdNumber");
        wp.RouteId = n.ReadInteger("RouteId");
        details.push_back(std::move(wp));
    }
    // The table is kept in OrdNumber order whatever the order of the file.
    if (!std::is_sorted(details.begin(), details.end(), ByOrdNumber))
        std::stable_sort(details.begin(), details.end(), ByOrdNumber);

    tblRoute = std::move(h);
    tblRouteDetails = std::move(details);
    Changed();
}

bool TRoutePlan::CalcDistAndBearing()
{
    const size_t count = tblRouteDetails.size();
    if (count < 2)
        return false;
    bool touched = false;
    try {
        TGeoPosition p1 = MakePosition(tblRouteDetails[0].Latitude, tblRouteDetails[0].Longitude);
        for (size_t i = 0; i < count; ++i) {
            TRouteWaypoint& wp = tblRouteDetails[i];
            if (i + 1 == count) {
                wp.OrdNumber = static_cast<int>(i + 1);
                wp.CalcDistance = 0;
                wp.CalcCourse = 0;
                touched = true;
                break;
            }
            // The leg from waypoint i to waypoint i+1 is stored on waypoint i.
            const TRouteWaypoint& next = tblRouteDetails[i + 1];
            TGeoPosition p2 = MakePosition(next.Latitude, next.Longitude);
            TCourseDistance r = CalcCourseDistance(p1, p2);
            wp.OrdNumber = static_cast<int>(i + 1);
            wp.CalcDistance = RoundHalfEven(r.Distance, 2);
            wp.CalcCourse = RoundHalfEven(r.Course, 1);
            touched = true;
            p1 = p2;
        }
    } catch (...) {
        if (touched)
            Changed();
        throw;
    }
    Changed();
    return true;
}

void TRoutePlan::CalculateAll()
{
    if (!CalcDistAndBearing()) {
        // Fewer than two waypoints: there is no leg, so a lone waypoint carries none and
        // the totals are zero (they would otherwise still show a deleted leg).
        bool changed = false;
        if (tblRouteDetails.size() == 1) {
            TRouteWaypoint& wp = tblRouteDetails[0];
            if (wp.OrdNumber != 1 || wp.CalcCourse != 0 || wp.CalcDistance != 0) {
                wp.OrdNumber = 1;
                wp.CalcCourse = 0;
                wp.CalcDistance = 0;
                changed = true;
            }
        }
        const int count = static_cast<int>(tblRouteDetails.size());
        if (tblRoute.WpCount != count || tblRoute.Distance != 0) {
            tblRoute.WpCount = count;
            tblRoute.Distance = 0;
            changed = true;
        }
        if (changed)
            Changed();
        return;
    }
    // The total is the sum of the rounded legs, as the grid's footer shows it.
    double total = 0;
    for (const TRouteWaypoint& wp : tblRouteDetails)
        total += wp.CalcDistance;
    tblRoute.WpCount = static_cast<int>(tblRouteDetails.size());
    tblRoute.Distance = total;
    Changed();
}

// ---------------------------------------------------------------------------------------
// Library

namespace {

constexpr int kLibraryFieldCount = 5;
const char* const kLibraryFields[kLibraryFieldCount] = {"WpId", "WpName", "Latitude", "Longitude", "Description"};

// Element name against a field name, without regard to case (ASCII letters).
bool NameEquals(const char* name, const char* field)
{
    for (; *field; ++name, ++field) {
        const char a = *name, b = *field;
        if (a == b)
            continue;
        if (a == 0 || (a | 0x20) != (b | 0x20) || (b | 0x20) < 'a' || (b | 0x20) > 'z')
            return false;
    }
    return *name == 0;
}

// Index of the library field an element name stands for, or -1.
int LibraryFieldOf(const char* name)
{
    switch (name[0] | 0x20) {
    case 'w':
        if (NameEquals(name, "WpId"))
            return 0;
        return NameEquals(name, "WpName") ? 1 : -1;
    case 'l':
        if (NameEquals(name, "Latitude"))
            return 2;
        return NameEquals(name, "Longitude") ? 3 : -1;
    case 'd':
        return NameEquals(name, "Description") ? 4 : -1;
    default:
        return -1;
    }
}

// Reads a float the way the XML layer does. Plain decimals of up to 15 significant
// digits, by far the common case in our files, are converted directly: both the digits
// and the power of ten are exact doubles, so one division gives the correctly rounded
// value. Everything else (exponents, commas, blanks, errors) goes to the layer's reader.
double ReadFloat(const char* text)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                         1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    int64_t digits = 0;
    int count = 0, fraction = 0;
    bool point = false;
    for (;; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            if (++count > 15)
                return shell::XmlTextToFloat(text);
            if (point)
                ++fraction;
        } else if (c == '.' && !point) {
            point = true;
        } else if (c == 0) {
            break;
        } else {
            return shell::XmlTextToFloat(text);
        }
    }
    if (count == 0)
        return shell::XmlTextToFloat(text); // raises the layer's error
    const double value = static_cast<double>(digits) / kPowers[fraction];
    return negative ? -value : value;
}

// Whether a handle stands for no node, without a call into the library: a handle is
// nothing but the pointer to its node.
static_assert(sizeof(pugi::xml_node) == sizeof(void*) && std::is_trivially_copyable_v<pugi::xml_node>);
inline const void* NodePointer(const pugi::xml_node& node)
{
    const void* p;
    std::memcpy(&p, &node, sizeof p);
    return p;
}

inline bool IsNull(const pugi::xml_node& node)
{
    return NodePointer(node) == nullptr;
}

// Reads an integer the way the XML layer does; plain numbers of up to nine digits are
// converted here, everything else by the layer's reader (and its error).
int ReadInteger(const char* text)
{
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    int value = 0, count = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (++count > 9)
            return shell::XmlTextToInteger(text);
    }
    if (*p != 0 || count == 0)
        return shell::XmlTextToInteger(text);
    return negative ? -value : value;
}

// A text value trimmed as the XML layer trims it, cut to its field size.
std::string ReadText(const char* text, size_t size)
{
    const char first = text[0];
    if (first == 0)
        return {};
    if (first != ' ' && first != '\t' && first != '\r' && first != '\n') {
        const size_t length = std::strlen(text);
        const char last = text[length - 1];
        if (last != ' ' && last != '\t' && last != '\r' && last != '\n')
            return CutText(std::string(text, length), size);
    }
    return CutText(shell::XmlTrim(text), size);
}

// One "Waypoints" element: the first direct child of each name, read in the order of
// the format so that the first missing or bad value is the one reported. Children that
// are none of the five fields are returned in `others`, to be searched for further
// waypoints; the fields themselves hold only their text.
void ReadLibraryWaypoint(pugi::xml_node node, TLibraryWaypoint& wp, bool& others)
{
    // Only elements carry a name in a parsed tree (text nodes have an empty one, and
    // declarations and processing instructions are not kept), so the name alone tells.
    const char* text[kLibraryFieldCount] = {};
    unsigned seen = 0;
    others = false;
    for (pugi::xml_node c = node.first_child(); !IsNull(c); c = c.next_sibling()) {
        const char* name = c.name();
        const int k = LibraryFieldOf(name);
        if (k < 0) {
            others = others || *name != 0;
        } else if (!(seen & (1u << k))) {
            text[k] = c.child_value();
            seen |= 1u << k;
        }
    }
    for (int k = 0; k < kLibraryFieldCount; ++k)
        if (!(seen & (1u << k)))
            ThrowMissing(kLibraryFields[k]);
    wp.WpId = ReadInteger(text[0]);
    wp.WpName = ReadText(text[1], kWpNameSize);
    wp.Latitude = ReadFloat(text[2]);
    wp.Longitude = ReadFloat(text[3]);
    wp.Description = ReadText(text[4], kLibraryDescriptionSize);
}

} // namespace

void TRoutePlan::ReplaceLibrary(const shell::TXmlDocument& doc)
{
    std::vector<TLibraryWaypoint> library;
    library.reserve(tblLibrary.size());
    const pugi::xml_node root = doc.Root().Raw();
    // Every "Waypoints" element below the root, depth first in document order. A
    // "Waypoints" nested in another one is a waypoint too, unless it hides inside one of
    // the five value elements, which hold text only.
    const void* rootPointer = NodePointer(root);
    pugi::xml_node n = root.first_child();
    while (!IsNull(n)) {
        bool descend = true;
        if (NameEquals(n.name(), "Waypoints")) {
            bool others = false;
            // Filled in place; a failure discards the whole new table anyway.
            ReadLibraryWaypoint(n, library.emplace_back(), others);
            descend = others;
        }
        pugi::xml_node next;
        if (descend)
            next = n.first_child();
        if (IsNull(next)) {
            // Climb until a node has a next sibling; the walk ends back at the root.
            while (IsNull(next = n.next_sibling())) {
                n = n.parent();
                if (NodePointer(n) == rootPointer)
                    break;
            }
        }
        if (NodePointer(n) == rootPointer)
            break;
        n = next;
    }
    if (!std::is_sorted(library.begin(), library.end(), ByWpId))
        std::stable_sort(library.begin(), library.end(), ByWpId);
    tblLibrary.swap(library);
    LibraryLoadFailed = false;
    Changed();
}

void TRoutePlan::OpenLibrary(const std::string& fileName)
{
    try {
        shell::TXmlDocument doc;
        LoadDocument(doc, fileName);
        ReplaceLibrary(doc);
    } catch (...) {
        LibraryLoadFailed = true;
        failedLibraryPath_ = fileName;
        throw;
    }
}

void TRoutePlan::SaveLibrary(const std::string& fileName)
{
    shell::TXmlDocument doc;
    doc.CreateName("Library");
    shell::TXmlNode root = doc.Root();
    for (const TLibraryWaypoint& wp : tblLibrary) {
        shell::TXmlNode n = root.NodeNew("Waypoints");
        n.WriteInteger("WpId", wp.WpId);
        n.WriteString("WpName", wp.WpName);
        n.WriteFloat("Latitude", wp.Latitude);
        n.WriteFloat("Longitude", wp.Longitude);
        n.WriteString("Description", wp.Description);
    }
    doc.SaveToFile(fileName);
    if (LibraryLoadFailed && fileName == failedLibraryPath_)
        LibraryLoadFailed = false;
}

void TRoutePlan::SaveCurrentLibrary()
{
    if (LibraryFileName.empty())
        return;
    if (LibraryLoadFailed && LibraryFileName == failedLibraryPath_)
        return;
    SaveLibrary(LibraryFileName);
}

void TRoutePlan::LoadLibraryAtCreation()
{
    if (!LibraryFileName.empty() && shell::FileExists(LibraryFileName)) {
        OpenLibrary(LibraryFileName);
        return;
    }
    const std::string defaultLibrary = WaypointsFolder + "default.xml";
    LibraryFileName = defaultLibrary;
    if (shell::FileExists(defaultLibrary))
        OpenLibrary(defaultLibrary);
    else
        NewLibraryContent();
}

void TRoutePlan::NewLibraryContent()
{
    tblLibrary.clear();
    TLibraryWaypoint wp;
    wp.WpId = 1;
    wp.WpName = "Name";
    wp.Latitude = 10;
    wp.Longitude = 10;
    wp.Description = "Description";
    tblLibrary.push_back(wp);
    LibraryLoadFailed = false;
    Changed();
}

int TRoutePlan::FindLibraryWaypoint(int wpId) const
{
    auto it = std::lower_bound(tblLibrary.begin(), tblLibrary.end(), wpId,
                               [](const TLibraryWaypoint& w, int id) { return w.WpId < id; });
    if (it == tblLibrary.end() || it->WpId != wpId)
        return -1;
    return static_cast<int>(it - tblLibrary.begin());
}

size_t TRoutePlan::AddLibraryWaypoint(TLibraryWaypoint wp)
{
    wp.WpName = CutText(wp.WpName, kWpNameSize);
    wp.Description = CutText(wp.Description, kLibraryDescriptionSize);
    auto it = std::upper_bound(tblLibrary.begin(), tblLibrary.end(), wp, ByWpId);
    it = tblLibrary.insert(it, std::move(wp));
    LibraryLoadFailed = false;
    Changed();
    return static_cast<size_t>(it - tblLibrary.begin());
}

void TRoutePlan::EditLibraryWaypoint(size_t index, const std::string& wpName, double latitude, double longitude,
                                     const std::string& description)
{
    TLibraryWaypoint& wp = tblLibrary.at(index);
    wp.WpName = CutText(wpName, kWpNameSize);
    wp.Latitude = latitude;
    wp.Longitude = longitude;
    wp.Description = CutText(description, kLibraryDescriptionSize);
    LibraryLoadFailed = false;
    Changed();
}

void TRoutePlan::DeleteLibraryWaypoint(size_t index)
{
    if (index >= tblLibrary.size())
        return;
    tblLibrary.erase(tblLibrary.begin() + static_cast<std::ptrdiff_t>(index));
    LibraryLoadFailed = false;
    Changed();
}

void TRoutePlan::DeleteAllLibraryWaypoints()
{
    if (tblLibrary.empty())
        return;
    tblLibrary.clear();
    LibraryLoadFailed = false;
    Changed();
}

void TRoutePlan::NewLibrary(const std::string& typedName)
{
    LibraryFileName = WaypointsFolder + TrimText(typedName) + ".xml";
    NewLibraryContent();
}

std::string TRoutePlan::OpenLibraryFile(const std::string& fileName)
{
    shell::TXmlDocument doc;
    LoadDocument(doc, fileName);
    if (!shell::SameText(doc.Root().Name(), "Library"))
        return "Unknown file format: " + fileName;

    // The settings file remembers only the library's file name, looked up in the
    // Waypoints folder at the next start: keep a copy there, never replacing one.
    if (!WaypointsFolder.empty()) {
        const std::string copy = WaypointsFolder + shell::ExtractFileName(fileName);
        if (!shell::FileExists(copy)) {
            std::error_code ec;
            std::filesystem::copy_file(fileName, copy, std::filesystem::copy_options::none, ec);
        }
    }
    // Loaded before the path changes: a file that fails keeps the previous library and
    // its path, so nothing of either is lost.
    ReplaceLibrary(doc);
    LibraryFileName = fileName;
    return {};
}

// ---------------------------------------------------------------------------------------
// Route commands

bool TRoutePlan::HasRouteWpId(int routeWpId) const
{
    for (const TRouteWaypoint& wp : tblRouteDetails)
        if (wp.RouteWpId == routeWpId)
            return true;
    return false;
}

size_t TRoutePlan::AddRouteWaypoint(TRouteWaypoint wp)
{
    wp.WpName = CutText(wp.WpName, kWpNameSize);
    wp.Description = CutText(wp.Description, kRouteWpDescriptionSize);
    wp.OrdNumber = static_cast<int>(tblRouteDetails.size()) + 1;
    wp.RouteId = tblRoute.RouteId;
    wp.CalcCourse = 0;
    wp.CalcDistance = 0;
    // After the waypoints with a number not above the new one: at the end, as a rule.
    // Searched from the end, which also stays well defined should a calculation stopped
    // by a bad position have left the numbers out of order.
    size_t index = tblRouteDetails.size();
    while (index > 0 && tblRouteDetails[index - 1].OrdNumber > wp.OrdNumber)
        --index;
    tblRouteDetails.insert(tblRouteDetails.begin() + static_cast<std::ptrdiff_t>(index), std::move(wp));
    Changed();
    return index;
}

void TRoutePlan::EditRouteWaypoint(size_t index, const std::string& wpName, double latitude, double longitude,
                                   const std::string& description)
{
    TRouteWaypoint& wp = tblRouteDetails.at(index);
    wp.WpName = CutText(wpName, kWpNameSize);
    wp.Latitude = latitude;
    wp.Longitude = longitude;
    wp.Description = CutText(description, kRouteWpDescriptionSize);
    Changed();
    CalculateAll();
}

void TRoutePlan::DeleteRouteWaypoint(size_t index)
{
    if (index >= tblRouteDetails.size())
        return;
    tblRouteDetails.erase(tblRouteDetails.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
    CalculateAll();
}

void TRoutePlan::DeleteAllRouteWaypoints()
{
    tblRouteDetails.clear();
    tblRoute.WpCount = 0;
    tblRoute.Distance = 0;
    Changed();
}

size_t TRoutePlan::MoveDown(size_t index)
{
    const size_t count = tblRouteDetails.size();
    size_t result = index;
    if (count >= 2 && index < count) {
        const int n = tblRouteDetails[index].OrdNumber;
        if (n < static_cast<int>(count) && index + 1 < count) {
            tblRouteDetails[index].OrdNumber = n + 1;
            tblRouteDetails[index + 1].OrdNumber = n;
            std::swap(tblRouteDetails[index], tblRouteDetails[index + 1]);
            result = index + 1;
            Changed();
        }
    }
    if (count >= 2)
        CalculateAll();
    return result;
}

size_t TRoutePlan::MoveUp(size_t index)
{
    const size_t count = tblRouteDetails.size();
    size_t result = index;
    if (count >= 2 && index < count) {
        const int n = tblRouteDetails[index].OrdNumber;
        if (n > 1 && index > 0) {
            tblRouteDetails[index - 1].OrdNumber = n;
            tblRouteDetails[index].OrdNumber = n - 1;
            std::swap(tblRouteDetails[index - 1], tblRouteDetails[index]);
            result = index - 1;
            Changed();
        }
    }
    if (count >= 2)
        CalculateAll();
    return result;
}

// ---------------------------------------------------------------------------------------
// Opening a file as the program does

std::string ReadDocumentContents(const shell::TXmlDocument& doc)
{
    shell::TXmlNode n = doc.Root().FindNode("Contents");
    return n ? n.ValueAsString() : std::string();
}

void OpenRoutePlanAsProgram(TRoutePlan& plan, const std::string& fileName)
{
    {
        shell::TXmlDocument doc;
        LoadDocument(doc, fileName);
        if (ReadDocumentContents(doc) != "Marovin")
            throw TOpenError("Can't load file: " + fileName, "the file is not a Marovin route plan");
    }
    try {
        plan.OpenVoyage(fileName);
    } catch (const shell::Error& e) {
        throw TOpenError("Can't load file: " + fileName, e.what());
    }
    plan.CalculateAll();
}

} // namespace marovin
