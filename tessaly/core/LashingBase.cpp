#include "tessaly/core/LashingBase.h"

#include "tessaly/core/LashingAdvance.h"
#include "tessaly/core/LashingAlternative.h"

#include "shell/core/Utils.h"
#include "shell/core/Xml.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessaly {

const char* CalcMethodText(TCalcMethod method)
{
    return method == TCalcMethod::Advanced ? "Advanced" : "Alternative";
}

std::optional<TCalcMethod> CalcMethodFromText(std::string_view text)
{
    if (text == "Advanced")
        return TCalcMethod::Advanced;
    if (text == "Alternative")
        return TCalcMethod::Alternative;
    return std::nullopt;
}

const std::vector<std::string>& VerticalList()
{
    static const std::vector<std::string> list = {"Deck High", "Deck Low", "TweenDeck", "Lower Hold"};
    return list;
}

const std::vector<std::string>& LongitudinalList()
{
    static const std::vector<std::string> list = {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5",
                                                  "0.6", "0.7", "0.8", "0.9", "1.0"};
    return list;
}

const std::vector<std::string>& FrictionList()
{
    static const std::vector<std::string> list = {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5"};
    return list;
}

std::string ListText(const std::vector<std::string>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return {};
    return list[static_cast<size_t>(index)];
}

namespace {

// The list text read as a number, as the form reads it: "0.3" gives the double nearest
// 0.3, the same value the acceleration tables hold, so exact table rows are hit.
double ListNumber(const std::vector<std::string>& list, int index)
{
    const std::string text = ListText(list, index);
    return text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
}

} // namespace

int VerticalIndex(const TParticulars& p)
{
    const int n = static_cast<int>(VerticalList().size());
    return p.VertPosition >= 0 && p.VertPosition < n ? p.VertPosition : 0;
}

double LongitudinalValue(const TParticulars& p)
{
    return ListNumber(LongitudinalList(), p.LongPosition);
}

double FrictionValue(const TParticulars& p)
{
    return ListNumber(FrictionList(), p.FrictionCoef);
}

TCargoInputs CargoInputs(const TParticulars& p)
{
    TCargoInputs in;
    in.ShipLength = p.ShipLength;
    in.ShipBreadth = p.ShipBreadth;
    in.ShipSpeed = p.ShipSpeed;
    in.ShipGM = p.ShipGM;
    in.CargoMass = p.CargoMass;
    in.CargoLength = p.CargoLength;
    in.CargoWidth = p.CargoWidth;
    in.CargoHeight = p.CargoHeight;
    in.Vertical = VerticalIndex(p);
    in.Longitudinal = LongitudinalValue(p);
    in.RestrictedArea = p.RestrictedArea;
    return in;
}

bool ParticularsComplete(const TParticulars& p)
{
    // An input not yet entered is exactly 0; the calculation waits for all of them.
    for (double v : {p.ShipLength, p.ShipBreadth, p.ShipSpeed, p.ShipGM, p.CargoMass,
                     p.CargoLength, p.CargoWidth, p.CargoHeight, p.TippingArm, p.StableArm})
        if (v == 0)
            return false;
    return true;
}

void JudgeBalance(BalanceResults& b, const ExternalForces& f, double tippingArm)
{
    b.StbdSlidingResult = b.StbdSliding >= f.Fy ? ResultOK : ResultFailStbd;
    b.PortSlidingResult = b.PortSliding >= f.Fy ? ResultOK : ResultFailPort;
    b.StbdTippingResult = f.Fy * tippingArm <= b.StbdTipping ? ResultOK : ResultFailStbd;
    b.PortTippingResult = f.Fy * tippingArm <= b.PortTipping ? ResultOK : ResultFailPort;
    b.FwdSlidingResult = b.FwdSliding >= f.Fx ? ResultOK : ResultFailFwd;
    b.AftSlidingResult = b.AftSliding >= f.Fx ? ResultOK : ResultFailAft;
}

std::string FormatFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 20)
        decimals = 20;
    if (!std::isfinite(value))
        value = 0; // never shown: the calculations stop before a value that is not finite
    // The decimal digits of the value (18 significant, as the displays have always used),
    // then rounding half away from zero at the requested place.
    const std::string sci = shell::FormatC("%.17e", std::fabs(value));
    std::string digits;
    size_t i = 0;
    for (; i < sci.size() && sci[i] != 'e'; ++i)
        if (sci[i] >= '0' && sci[i] <= '9')
            digits += sci[i];
    const int exponent = i < sci.size() ? std::atoi(sci.c_str() + i + 1) : 0;
    int intDigits = value == 0 ? 1 : exponent + 1; // digits before the point (may be <= 0)
    if (value == 0)
        digits.assign(digits.size(), '0');
    const int keep = intDigits + decimals;
    std::string r;
    if (keep >= 0) {
        if (keep <= static_cast<int>(digits.size())) {
            r = digits.substr(0, static_cast<size_t>(keep));
            if (keep < static_cast<int>(digits.size()) && digits[static_cast<size_t>(keep)] >= '5') {
                bool carry = true;
                for (size_t k = r.size(); k-- > 0 && carry;) {
                    if (r[k] == '9') {
                        r[k] = '0';
                    } else {
                        ++r[k];
                        carry = false;
                    }
                }
                if (carry) {
                    r.insert(r.begin(), '1');
                    ++intDigits;
                }
            }
        } else {
            r = digits + std::string(static_cast<size_t>(keep) - digits.size(), '0');
        }
    }
    // r holds intDigits + decimals digits (none when everything rounds away).
    std::string intPart;
    std::string fracPart;
    if (intDigits <= 0) {
        intPart = "0";
        fracPart = std::string(static_cast<size_t>(std::min(-intDigits, decimals)), '0') + r;
    } else {
        intPart = r.substr(0, static_cast<size_t>(intDigits));
        fracPart = r.substr(static_cast<size_t>(intDigits));
    }
    fracPart.resize(static_cast<size_t>(decimals), '0');
    const bool allZero = (intPart + fracPart).find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !allZero) ? "-" : "";
    out += intPart;
    if (decimals > 0)
        out += "." + fracPart;
    return out;
}

const std::vector<std::string>& ReportValueNames()
{
    static const std::vector<std::string> names = {
        "VesselName", "Length", "Breadth", "Gm", "Speed", "BGM", "CargoSpec",
        "Vertical", "Longitudinal", "Friction", "CargoMass", "CargoLength",
        "CargoWidth", "CargoHeight", "CargoTippingArm", "CargoStableArm",
        "ax", "ay", "az", "Fx", "Fy", "Fz",
        "PortSliding", "StbdSliding", "PortTipping", "StbdTipping", "FwdSliding", "AftSliding",
        "PortSlidingResult", "StbdSlidingResult", "PortTippingResult", "StbdTippingResult",
        "FwdSlidingResult", "AftSlidingResult", "Remarks"};
    return names;
}

namespace {

// "%f %s": two decimals, a blank and the unit.
TReportValue WithUnit(double value, const char* unit)
{
    return {FormatFixed(value, 2) + " " + unit, false};
}

TReportValue Plain(double value)
{
    return {FormatFixed(value, 2), false};
}

TReportValue Text(const std::string& text)
{
    return {text, false};
}

} // namespace

std::optional<TReportValue> TLashingDocument::ReportValue(std::string_view name) const
{
    const TParticulars& p = Particulars;
    const ExternalForces& f = Forces;
    const BalanceResults& b = Balance;
    auto is = [&](const char* candidate) { return shell::SameText(name, candidate); };

    if (is("VesselName")) return Text(p.ShipName);
    if (is("Length")) return WithUnit(p.ShipLength, "m");
    if (is("Breadth")) return WithUnit(p.ShipBreadth, "m");
    if (is("Gm")) return WithUnit(p.ShipGM, "m");
    if (is("Speed")) return WithUnit(p.ShipSpeed, "kt");
    if (is("BGM")) {
        // No ratio without a GM: the report gets the number 0, not a text.
        const double ratio = p.ShipGM == 0 ? 0.0 : p.ShipBreadth / p.ShipGM;
        if (p.ShipGM == 0 || !std::isfinite(ratio))
            return TReportValue{"0", true};
        return Plain(ratio);
    }
    if (is("CargoSpec")) return Text(p.CargoName);
    if (is("Vertical")) return Text(ListText(VerticalList(), p.VertPosition));
    if (is("Longitudinal")) return Text(ListText(LongitudinalList(), p.LongPosition));
    if (is("Friction")) return Text(ListText(FrictionList(), p.FrictionCoef));
    if (is("CargoMass")) return WithUnit(p.CargoMass, "t");
    if (is("CargoLength")) return WithUnit(p.CargoLength, "m");
    if (is("CargoWidth")) return WithUnit(p.CargoWidth, "m");
    if (is("CargoHeight")) return WithUnit(p.CargoHeight, "m");
    if (is("CargoTippingArm")) return WithUnit(p.TippingArm, "m");
    if (is("CargoStableArm")) return WithUnit(p.StableArm, "m");
    if (is("ax")) return WithUnit(f.ax, "m/s2");
    if (is("ay")) return WithUnit(f.ay, "m/s2");
    if (is("az")) return WithUnit(f.az, "m/s2");
    if (is("Fx")) return WithUnit(f.Fx, "kN");
    if (is("Fy")) return WithUnit(f.Fy, "kN");
    if (is("Fz")) return WithUnit(f.Fz, "kN");
    if (is("PortSliding")) return Plain(b.PortSliding);
    if (is("StbdSliding")) return Plain(b.StbdSliding);
    if (is("PortTipping")) return Plain(b.PortTipping);
    if (is("StbdTipping")) return Plain(b.StbdTipping);
    if (is("FwdSliding")) return Plain(b.FwdSliding);
    if (is("AftSliding")) return Plain(b.AftSliding);
    if (is("PortSlidingResult")) return Text(b.PortSlidingResult);
    if (is("StbdSlidingResult")) return Text(b.StbdSlidingResult);
    if (is("PortTippingResult")) return Text(b.PortTippingResult);
    if (is("StbdTippingResult")) return Text(b.StbdTippingResult);
    if (is("FwdSlidingResult")) return Text(b.FwdSlidingResult);
    if (is("AftSlidingResult")) return Text(b.AftSlidingResult);
    if (is("Remarks")) return Text(p.Remarks);
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// The file

namespace {

void BuildDocument(const TLashingDocument& d, const TParticulars& p, int rowCount,
                   shell::TXmlDocument& doc)
{
    doc.CreateName("Tessaly");
    shell::TXmlNode root = doc.Root();

    shell::TXmlNode header = root.NodeNew("Header");
    header.WriteString("Contents", TessalyContents);
    header.WriteString("Version", TessalyVersion);
    header.WriteString("CalcMethod", CalcMethodText(d.CalcMethod()));

    shell::TXmlNode ship = root.NodeNew("ShipParticulars");
    ship.WriteString("ShipName", p.ShipName);
    ship.WriteFloat("ShipLength", p.ShipLength);
    ship.WriteFloat("ShipGm", p.ShipGM);
    ship.WriteFloat("ShipBreadth", p.ShipBreadth);
    ship.WriteFloat("ShipSpeed", p.ShipSpeed);

    shell::TXmlNode cargo = root.NodeNew("CargoParticulars");
    cargo.WriteString("CargoName", p.CargoName);
    cargo.WriteFloat("CargoMass", p.CargoMass);
    cargo.WriteFloat("CargoLength", p.CargoLength);
    cargo.WriteFloat("CargoWidth", p.CargoWidth);
    cargo.WriteFloat("CargoHeight", p.CargoHeight);
    cargo.WriteInteger("VertPosition", p.VertPosition);
    cargo.WriteInteger("LongPosition", p.LongPosition);
    cargo.WriteInteger("FrictionCoef", p.FrictionCoef);
    cargo.WriteFloat("TippingArm", p.TippingArm);
    cargo.WriteFloat("StableArm", p.StableArm);

    shell::TXmlNode general = root.NodeNew("General");
    general.WriteBool("RestrictedArea", p.RestrictedArea);
    general.WriteInteger("LashingsCount", rowCount);
    general.WriteString("Remarks", p.Remarks);
}

// The first element of that name anywhere below the root; a missing one fails the open.
shell::TXmlNode FindValue(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode node = root.FindNode(name);
    if (!node)
        throw shell::Error("Element '" + std::string(name) + "' not found");
    return node;
}

// Runs a reader and names the element in its conversion error.
template <typename F>
auto ReadNamed(const char* name, F read)
{
    try {
        return read();
    } catch (const shell::Error& e) {
        throw shell::Error(std::string(e.what()) + " (element " + name + ")");
    }
}

std::string FindString(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = FindValue(root, name);
    return n.ValueAsString();
}

double FindFloat(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = FindValue(root, name);
    return ReadNamed(name, [&] { return n.ValueAsFloat(); });
}

int FindInteger(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = FindValue(root, name);
    return ReadNamed(name, [&] { return n.ValueAsInteger(); });
}

bool FindBool(const shell::TXmlNode& root, const char* name)
{
    shell::TXmlNode n = FindValue(root, name);
    return ReadNamed(name, [&] { return n.ValueAsBool(); });
}

// A stored list index: -1 (no selection) or a position in the list. Any other value can
// only come from an edited file, and guessing a stowage position would change the result.
int FindListIndex(const shell::TXmlNode& root, const char* name, const std::vector<std::string>& list)
{
    const int index = FindInteger(root, name);
    const int last = static_cast<int>(list.size()) - 1;
    if (index < -1 || index > last)
        throw shell::Error("Invalid " + std::string(name) + ": " + std::to_string(index) +
                           " (expected -1 to " + std::to_string(last) + ")");
    return index;
}

} // namespace

std::string TLashingDocument::VoyageText() const
{
    shell::TXmlDocument doc;
    BuildDocument(*this, Particulars, RowCount(), doc);
    WriteLashings(doc.Root());
    return doc.SaveToString();
}

void TLashingDocument::SaveVoyage(const std::string& fileName) const
{
    shell::TXmlDocument doc;
    BuildDocument(*this, Particulars, RowCount(), doc);
    WriteLashings(doc.Root());
    doc.SaveToFile(fileName);
}

void TLashingDocument::OpenVoyage(const std::string& fileName)
{
    shell::TXmlDocument doc;
    doc.LoadFromFile(fileName);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + fileName);
    const shell::TXmlNode root = doc.Root();
    const std::vector<shell::TXmlNode> lashings = root.FindNodes("Lashing");

    TParticulars p;
    p.ShipName = FindString(root, "ShipName");
    p.ShipLength = FindFloat(root, "ShipLength");
    p.ShipGM = FindFloat(root, "ShipGm");
    p.ShipBreadth = FindFloat(root, "ShipBreadth");
    p.ShipSpeed = FindFloat(root, "ShipSpeed");
    p.CargoName = FindString(root, "CargoName");
    p.CargoMass = FindFloat(root, "CargoMass");
    p.CargoLength = FindFloat(root, "CargoLength");
    p.CargoWidth = FindFloat(root, "CargoWidth");
    p.CargoHeight = FindFloat(root, "CargoHeight");
    p.VertPosition = FindListIndex(root, "VertPosition", VerticalList());
    p.LongPosition = FindListIndex(root, "LongPosition", LongitudinalList());
    p.FrictionCoef = FindListIndex(root, "FrictionCoef", FrictionList());
    p.TippingArm = FindFloat(root, "TippingArm");
    p.StableArm = FindFloat(root, "StableArm");
    p.RestrictedArea = FindBool(root, "RestrictedArea");
    p.Remarks = FindString(root, "Remarks");
    const int count = FindInteger(root, "LashingsCount");
    if (count < 0)
        throw shell::Error("Invalid LashingsCount: " + std::to_string(count));
    if (static_cast<size_t>(count) > lashings.size())
        throw shell::Error("LashingsCount is " + std::to_string(count) + " but the file holds " +
                           std::to_string(lashings.size()) + " Lashing elements");

    // The rows are the last thing that can fail; they replace the table only when all of
    // them were read, and the particulars follow.
    ReadLashings(lashings, count);
    Particulars = std::move(p);
}

std::unique_ptr<TLashingDocument> CreateLashingDocument(TCalcMethod method)
{
    if (method == TCalcMethod::Advanced)
        return std::make_unique<TAdvancedDocument>();
    return std::make_unique<TAlternativeDocument>();
}

TDocumentHeader ReadDocumentHeader(const std::string& fileName)
{
    shell::TXmlDocument doc;
    doc.LoadFromFile(fileName);
    if (doc.IsEmpty())
        throw shell::Error("Unable to load the file: " + fileName);
    const shell::TXmlNode root = doc.Root();
    TDocumentHeader h;
    h.Contents = FindString(root, "Contents");
    h.CalcMethod = FindString(root, "CalcMethod");
    return h;
}

std::unique_ptr<TLashingDocument> OpenLashingDocument(const std::string& fileName)
{
    const TDocumentHeader h = ReadDocumentHeader(fileName);
    if (h.Contents != TessalyContents)
        throw shell::Error("The file is not a Tessaly document: " + fileName);
    const std::optional<TCalcMethod> method = CalcMethodFromText(h.CalcMethod);
    if (!method)
        throw shell::Error("Unknown calculation method \"" + h.CalcMethod + "\" in file: " + fileName);
    std::unique_ptr<TLashingDocument> d = CreateLashingDocument(*method);
    try {
        d->OpenVoyage(fileName);
    } catch (const shell::Error& e) {
        throw TOpenError("Can't load file: " + fileName, e.what());
    }
    return d;
}

} // namespace tessaly
