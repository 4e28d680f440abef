#include "tessaly/core/LashingAdvance.h"
#include "tessaly/core/LashingAlternative.h"
#include "tessaly/core/LashingBase.h"

#include "shell/core/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tessaly;
namespace fs = std::filesystem;

namespace {

const std::string Data = std::string(ORVANEL_TEST_DATA) + "/tessaly/";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir {
public:
    TempDir()
    {
        path_ = fs::temp_directory_path() / ("tessaly-test-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

TEST(LashingDocument, NewDocumentsMatchTheGoldenFiles)
{
    TempDir dir;
    for (TCalcMethod method : {TCalcMethod::Advanced, TCalcMethod::Alternative}) {
        std::unique_ptr<TLashingDocument> d = CreateLashingDocument(method);
        d->SetupUI();
        const std::string golden = Data + (method == TCalcMethod::Advanced ? "new-advanced.tyx" : "new-alternative.tyx");
        const std::string out = dir.File("new.tyx");
        d->SaveVoyage(out);
        EXPECT_EQ(ReadBytes(out), ReadBytes(golden)) << golden;
        EXPECT_EQ(d->VoyageText(), ReadBytes(golden)) << golden;
    }
}

TEST(LashingDocument, CompleteDocumentsSurviveOpenAndSaveByteForByte)
{
    for (const char* name : {"good/advanced-complete.tyx", "good/alternative-complete.tyx"}) {
        std::unique_ptr<TLashingDocument> d = OpenLashingDocument(Data + name);
        EXPECT_EQ(d->VoyageText(), ReadBytes(Data + name)) << name;
    }
    std::unique_ptr<TLashingDocument> d = OpenLashingDocument(Data + "good/advanced-complete.tyx");
    ASSERT_EQ(d->CalcMethod(), TCalcMethod::Advanced);
    const TParticulars& p = d->Particulars;
    EXPECT_EQ(p.ShipName, "MV Orvanel Star");
    EXPECT_EQ(p.CargoName, "Transformer & cradle");
    EXPECT_EQ(p.ShipGM, 2);
    EXPECT_EQ(p.ShipBreadth, 20);
    EXPECT_EQ(p.StableArm, 0.8);
    EXPECT_EQ(p.VertPosition, 0);
    EXPECT_EQ(p.Remarks, "Checked at Antwerp");
    const auto& rows = static_cast<TAdvancedDocument&>(*d).Lashings;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2].Position, "STBD->FWD");
    EXPECT_EQ(rows[2].LeverArm, 0.5);
    EXPECT_EQ(rows[3].MSL, 60.0);
}

TEST(LashingDocument, ListIndexesAndUnsetCellsRoundTrip)
{
    TempDir dir;
    TAlternativeDocument d;
    d.SetupUI();
    d.Particulars.VertPosition = 3;  // "Lower Hold"
    d.Particulars.LongPosition = -1; // no selection
    d.Particulars.FrictionCoef = 0;
    d.Particulars.RestrictedArea = true;
    d.Particulars.Remarks = "two\nlines <&> \"quoted\"";
    d.Lashings[0].VertPos = "";           // the list's empty entry
    d.Lashings[1].VertPos = std::nullopt; // no value: written as PORT
    d.Lashings[1].Type = std::nullopt;    // no value: written as the default type
    d.Lashings[1].MSL = std::nullopt;
    d.Lashings[2].CSFy = 12.5; // not stored
    d.SaveVoyage(dir.File("a.tyx"));

    TAlternativeDocument back;
    back.OpenVoyage(dir.File("a.tyx"));
    EXPECT_EQ(back.Particulars.VertPosition, 3);
    EXPECT_EQ(back.Particulars.LongPosition, -1);
    EXPECT_EQ(back.Particulars.FrictionCoef, 0);
    EXPECT_TRUE(back.Particulars.RestrictedArea);
    EXPECT_EQ(back.Particulars.Remarks, d.Particulars.Remarks);
    EXPECT_EQ(back.Lashings[0].VertPos, "");
    EXPECT_EQ(back.Lashings[1].VertPos, "PORT");
    EXPECT_EQ(back.Lashings[1].Type, "Class 1 chain");
    EXPECT_EQ(back.Lashings[1].MSL, 0.0);
    EXPECT_EQ(back.Lashings[2].Fy, 0.0);
    EXPECT_EQ(back.Lashings[2].CSFy, std::nullopt);
}

TEST(LashingDocument, StoredCoefficientsStayUntilACompleteCalculation)
{
    TempDir dir;
    TAlternativeDocument d;
    d.SetupUI();
    d.Lashings[0].Fy = 0.25; // as last calculated with other inputs
    d.Lashings[0].Fx = 0.75;
    d.SaveVoyage(dir.File("a.tyx"));

    TAlternativeDocument opened;
    opened.OpenVoyage(dir.File("a.tyx"));
    EXPECT_FALSE(opened.CalculateAll()); // particulars all 0
    EXPECT_EQ(opened.Lashings[0].Fy, 0.25);
    EXPECT_EQ(opened.Lashings[0].Fx, 0.75);
    EXPECT_EQ(opened.Lashings[0].CSFy, std::nullopt);

    opened.Particulars = {};
    for (double TParticulars::*f : {&TParticulars::ShipLength, &TParticulars::ShipBreadth, &TParticulars::ShipSpeed,
                                    &TParticulars::ShipGM, &TParticulars::CargoMass, &TParticulars::CargoLength,
                                    &TParticulars::CargoWidth, &TParticulars::CargoHeight, &TParticulars::TippingArm,
                                    &TParticulars::StableArm})
        opened.Particulars.*f = 1;
    ASSERT_TRUE(opened.CalculateAll());
    EXPECT_NEAR(*opened.Lashings[0].Fy, GetFy(40, 30, 0.3), 1e-15);
    EXPECT_NEAR(*opened.Lashings[0].CSFy, 90 / 1.35 * GetFy(40, 30, 0.3), 1e-12);
}

TEST(LashingDocument, UnusualButReadableDocuments)
{
    // Fewer rows than Lashing elements: the extra ones are ignored.
    TAdvancedDocument fewer;
    fewer.OpenVoyage(Data + "good/count-below-lashings.tyx");
    EXPECT_EQ(fewer.RowCount(), 2);

    // Particulars outside their groups, names in another case.
    TAdvancedDocument loose;
    loose.OpenVoyage(Data + "good/ungrouped.tyx");
    EXPECT_EQ(loose.Particulars.ShipLength, 100);
    EXPECT_EQ(loose.Particulars.Remarks, "Checked at Antwerp");
    EXPECT_EQ(loose.RowCount(), 5);

    // A position outside the list is kept and counts nowhere.
    TAdvancedDocument odd;
    odd.OpenVoyage(Data + "good/odd-position.tyx");
    EXPECT_EQ(odd.Lashings[0].Position, "MIDSHIPS");
    TAdvancedDocument reference = odd;
    reference.Lashings[0].Position = "PORT";
    ASSERT_TRUE(odd.CalculateAll());
    ASSERT_TRUE(reference.CalculateAll());
    EXPECT_NEAR(reference.Balance.PortSliding - odd.Balance.PortSliding, 60 * GetFValue(40, 0.3), 1e-9);
    EXPECT_NEAR(reference.Balance.PortTipping - odd.Balance.PortTipping, 60, 1e-9);
    EXPECT_NE(odd.VoyageText().find("<Position>MIDSHIPS</Position>"), std::string::npos);
}

TEST(LashingDocument, BrokenDocumentsFailWithAClearErrorAndChangeNothing)
{
    struct Case { const char* file; std::string message; } cases[] = {
        {"empty.tyx", "Unable to load the file: " + Data + "broken/empty.tyx"},
        {"declaration-only.tyx", "Unable to load the file: " + Data + "broken/declaration-only.tyx"},
        {"malformed.tyx", "Invalid XML"},
        {"missing-shiplength.tyx", "Element 'ShipLength' not found"},
        {"bad-float.tyx", "Cannot convert value to float (element CargoMass)"},
        {"infinite-float.tyx", "Cannot convert value to float (element CargoMass)"},
        {"bad-integer.tyx", "'x3' is not a valid integer value (element FrictionCoef)"},
        {"bad-bool.tyx", "Cannot convert value to bool (element RestrictedArea)"},
        {"list-index-out-of-range.tyx", "Invalid VertPosition: 4 (expected -1 to 3)"},
        {"count-above-lashings.tyx", "LashingsCount is 6 but the file holds 5 Lashing elements"},
        {"negative-count.tyx", "Invalid LashingsCount: -1"},
        {"lashing-missing-msl.tyx", "Element 'MSL' not found (Lashing 2, element MSL)"},
        {"missing-file.tyx", "Cannot open file"},
    };
    for (const Case& c : cases) {
        TAdvancedDocument d;
        d.SetupUI();
        d.Particulars.ShipName = "kept";
        const std::string before = d.VoyageText();
        try {
            d.OpenVoyage(Data + "broken/" + c.file);
            ADD_FAILURE() << c.file << " opened";
        } catch (const shell::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.file << ": " << e.what();
        }
        EXPECT_EQ(d.VoyageText(), before) << c.file;
    }

    TAlternativeDocument alt;
    EXPECT_THROW(alt.OpenVoyage(Data + "broken/lashing-bad-angle.tyx"), shell::Error);
}

TEST(LashingDocument, OpenChoosesTheMethodFromTheHeader)
{
    EXPECT_EQ(OpenLashingDocument(Data + "new-advanced.tyx")->CalcMethod(), TCalcMethod::Advanced);
    EXPECT_EQ(OpenLashingDocument(Data + "new-alternative.tyx")->CalcMethod(), TCalcMethod::Alternative);

    struct Case { const char* file; std::string message; } cases[] = {
        {"not-tessaly.tyx", "The file is not a Tessaly document: "},
        {"unknown-method.tyx", "Unknown calculation method \"advanced\""},
        {"missing-calcmethod.tyx", "Element 'CalcMethod' not found"},
        {"empty.tyx", "Unable to load the file: "},
    };
    for (const Case& c : cases) {
        try {
            OpenLashingDocument(Data + "broken/" + c.file);
            ADD_FAILURE() << c.file << " opened";
        } catch (const TOpenError& e) {
            ADD_FAILURE() << c.file << " failed in OpenVoyage: " << e.what();
        } catch (const shell::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.file << ": " << e.what();
        }
    }

    // A failure inside OpenVoyage is the program's "Can't load file: " with the reason.
    const std::string path = Data + "broken/count-above-lashings.tyx";
    try {
        OpenLashingDocument(path);
        ADD_FAILURE() << "opened";
    } catch (const TOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Can't load file: " + path);
        EXPECT_EQ(e.Reason, "LashingsCount is 6 but the file holds 5 Lashing elements");
    }
}

TEST(LashingDocument, SaveFailureLeavesTheTargetAlone)
{
    TAdvancedDocument d;
    d.SetupUI();
    EXPECT_THROW(d.SaveVoyage("/nonexistent-folder/x.tyx"), shell::Error);

    TempDir dir;
    const std::string target = dir.File("keep.tyx");
    std::ofstream(target) << "old";
    d.Particulars.ShipLength = std::nan(""); // cannot be stored
    EXPECT_THROW(d.SaveVoyage(target), shell::Error);
    EXPECT_EQ(ReadBytes(target), "old");
}

TEST(LashingReport, ValuesByNameWithoutRegardToCase)
{
    const std::vector<std::string>& names = ReportValueNames();
    ASSERT_EQ(names.size(), 35u);
    EXPECT_EQ(names.front(), "VesselName");
    EXPECT_EQ(names[5], "BGM");
    EXPECT_EQ(names.back(), "Remarks");

    std::unique_ptr<TLashingDocument> d = OpenLashingDocument(Data + "good/advanced-complete.tyx");
    // Before a calculation the results are zeros and empty texts.
    EXPECT_EQ(d->ReportValue("Fy")->Text, "0.00 kN");
    EXPECT_EQ(d->ReportValue("PortSlidingResult")->Text, "");
    ASSERT_TRUE(d->CalculateAll());

    struct Case { const char* name; const char* text; } cases[] = {
        {"vesselname", "MV Orvanel Star"}, {"LENGTH", "100.00 m"}, {"Breadth", "20.00 m"},
        {"Gm", "2.00 m"}, {"Speed", "15.00 kt"}, {"BGM", "10.00"}, {"CargoSpec", "Transformer & cradle"},
        {"Vertical", "Deck High"}, {"Longitudinal", "0.5"}, {"Friction", "0.3"},
        {"CargoMass", "10.00 t"}, {"CargoHeight", "3.00 m"}, {"CargoTippingArm", "1.20 m"},
        {"CargoStableArm", "0.80 m"}, {"ay", "7.97 m/s2"}, {"Fx", "42.50 kN"}, {"fz", "43.00 kN"},
        {"PortTipping", "258.48"}, {"FwdSliding", "46.53"}, {"AftSlidingResult", "O.K."},
        {"Remarks", "Checked at Antwerp"},
    };
    for (const Case& c : cases) {
        const std::optional<TReportValue> v = d->ReportValue(c.name);
        ASSERT_TRUE(v) << c.name;
        EXPECT_EQ(v->Text, c.text) << c.name;
        EXPECT_FALSE(v->IsNumber) << c.name;
    }
    for (const std::string& name : names)
        EXPECT_TRUE(d->ReportValue(name)) << name;
    EXPECT_FALSE(d->ReportValue("cf"));
    EXPECT_FALSE(d->ReportValue("WindForceX"));

    // No GM: BGM is the number 0, not a text; nothing selected shows an empty list text.
    d->Particulars.ShipGM = 0;
    d->Particulars.VertPosition = -1;
    const TReportValue bgm = *d->ReportValue("bgm");
    EXPECT_TRUE(bgm.IsNumber);
    EXPECT_EQ(bgm.Text, "0");
    EXPECT_EQ(d->ReportValue("Vertical")->Text, "");
}

TEST(LashingReport, TableRowsWithDefaultsForEmptyCells)
{
    TAdvancedDocument adv;
    adv.SetupUI();
    adv.Lashings.resize(2);
    adv.Lashings[1] = TAdvancedLashing{};
    TReportTable t = adv.FillReportTable();
    EXPECT_EQ(t.FieldNames, (std::vector<std::string>{"Type", "Position", "Number", "MSL", "VerticalAngle", "LeverArm"}));
    ASSERT_EQ(t.Rows.size(), 2u);
    EXPECT_EQ(t.Rows[0], (std::vector<TReportCell>{std::string("Class 1 chain"), std::string("PORT"), 1, 90.0, 40, 1.0}));
    EXPECT_EQ(t.Rows[1], (std::vector<TReportCell>{std::string("Class 1 chain"), std::string("PORT"), 0, 0.0, 0, 0.0}));

    TAlternativeDocument alt;
    alt.SetupUI();
    alt.Lashings.resize(3);
    alt.Lashings[1] = TAlternativeLashing{};
    alt.Lashings[2].VertPos = "";
    alt.Lashings[2].HorizPos = "AFT";
    alt.Lashings[2].CSFy = 57.5;
    t = alt.FillReportTable();
    EXPECT_EQ(t.FieldNames, (std::vector<std::string>{"mtType", "mtMSL", "mtAlpha", "mtVertPos", "mtBeta", "mtHorizPos",
                                                      "mtC", "mtFy", "mtCSFy", "mtFx", "mtCSFx"}));
    ASSERT_EQ(t.Rows.size(), 3u);
    EXPECT_EQ(t.Rows[0], (std::vector<TReportCell>{std::string("Class 1 chain"), 90.0, 40, std::string("STBD"), 30,
                                                   std::string("FWD"), 1.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(t.Rows[1], (std::vector<TReportCell>{std::string("Class 1 chain"), 0.0, 0, std::string("PORT"), 0,
                                                   std::string("FWD"), 0.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(std::get<std::string>(t.Rows[2][3]), "");
    EXPECT_EQ(std::get<std::string>(t.Rows[2][5]), "AFT");
    EXPECT_EQ(std::get<double>(t.Rows[2][8]), 57.5);
}

} // namespace
