// The survey file: byte-exact writing, the reading rules, the Open flow and broken files.

#include "kelvara/core/Survey.h"

#include "shell/core/Error.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

using kelvara::TPerpCorrection;
using kelvara::TProgramState;
using kelvara::TSurvey;
using kelvara_test::DataPath;
using kelvara_test::ReadBytes;
using kelvara_test::TTempFolder;

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Opens as the program does and recalculates.
std::unique_ptr<TSurvey> Open(const std::string& path, const TTempFolder& temp)
{
    std::unique_ptr<TSurvey> s = kelvara::OpenSurveyDocument(path, temp.Data());
    s->CalculateAll();
    return s;
}

} // namespace

TEST(SurveyFile, NewWorkedExampleIsWrittenByteForByte)
{
    TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    TSurvey s(TProgramState::psAutoMetric);
    s.IsLoading = true;
    s.PerpCorrection = TPerpCorrection::pcNoDeflection;
    s.PathToDB = temp.Data() + "WorkedExample.xml";
    s.InitNew();
    s.VoyageNumber = "V-12";
    s.LoadingPort = "Rotterdam";
    s.DischargingPort = "Gdansk";
    s.Cargo = "Wheat in bulk";
    s.Survey1.Date = "11.12.2026 08:00";
    s.Survey2.Date = "12.12.2026 16:30";
    auto set = [](kelvara::TSurveyValues& v, double f, double a, double m, double d, double fo) {
        v.FwdPort = v.FwdStbd = f;
        v.AftPort = v.AftStbd = a;
        v.MidPort = v.MidStbd = m;
        v.Density = d;
        v.FuelOil = fo;
    };
    set(s.Survey1, 4.6, 5.4, 5.0, 1.02, 100);
    set(s.Survey2, 5.7, 5.9, 5.8, 1.025, 90);
    s.CalculateAll();
    s.SaveVoyage(temp.File("new.kvx"));
    EXPECT_EQ(ReadBytes(temp.File("new.kvx")), ReadBytes(DataPath("WorkedExample.kvx")));
}

TEST(SurveyFile, OpenAndResaveGivesTheSameBytes)
{
    TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    auto s = Open(DataPath("WorkedExample.kvx"), temp);
    EXPECT_EQ(s->PathToDB, temp.Data() + "WorkedExample.xml");
    EXPECT_EQ(s->SaveVoyageToString(), ReadBytes(DataPath("WorkedExample.kvx")));
    EXPECT_NEAR(s->Constant, 165.265, 0.0005);
    EXPECT_NEAR(s->TotalCargo, 1645.848, 0.0005);
}

TEST(SurveyFile, ManualSurveyRoundTrip)
{
    TTempFolder temp;
    TSurvey s(TProgramState::psManualImperial);
    s.IsListCorrection = true;
    s.ShipName = "  Sea & <Sky> 'A' \"B\"";
    s.Remarks = "line one\r\nline two";
    s.LBP = 12.345;
    s.Survey1.Displ = 45678.123;
    s.SaveVoyage(temp.File("manual.kvx"));
    std::string text = ReadBytes(temp.File("manual.kvx"));
    EXPECT_NE(text.find("<DataBase>None</DataBase>"), std::string::npos);
    EXPECT_NE(text.find("<PerpCorrection>0</PerpCorrection>"), std::string::npos);
    EXPECT_NE(text.find("<CalcMethod>2</CalcMethod>"), std::string::npos);
    EXPECT_EQ(text.find("<Ballast>"), std::string::npos); // empty table, no element

    auto back = Open(temp.File("manual.kvx"), temp);
    EXPECT_EQ(back->MState, TProgramState::psManualImperial);
    EXPECT_TRUE(back->IsListCorrection);
    EXPECT_EQ(back->ShipName, "Sea & <Sky> 'A' \"B\""); // leading blanks do not survive
    EXPECT_EQ(back->Remarks, "line one\r\nline two");
    EXPECT_DOUBLE_EQ(back->LBP, 12.345);
    EXPECT_DOUBLE_EQ(back->Survey1.Displ, 45678.1); // six significant digits
    EXPECT_TRUE(back->tblBallast.empty());
}

TEST(SurveyFile, OpenedImperialSurveyTakesTheShipMetricKeepsTheFile)
{
    TTempFolder temp;
    temp.CopyShip("HandEditedShip.xml");
    temp.CopyShip("WorkedExample.xml");
    struct Case {
        TProgramState kind;
        const char* ship;
        double shipLbp;
        bool takesShip; // imperial: particulars and options from the ship database
    } cases[] = {
        {TProgramState::psAutoImperial, "HandEditedShip.xml", 328.084, true},
        {TProgramState::psAutoMetric, "WorkedExample.xml", 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ship);
        TSurvey s(c.kind);
        s.PathToDB = temp.Data() + c.ship;
        s.InitNew();
        s.ShipName = "Renamed";
        s.LBP = 111;
        kelvara::TShipShape shipShape = s.ShipShape;
        kelvara::TShipShape otherShape = shipShape == kelvara::TShipShape::ssBoxShape
                                             ? kelvara::TShipShape::ssFinerShape
                                             : kelvara::TShipShape::ssBoxShape;
        s.ShipShape = otherShape;
        s.tblBallast.push_back({"Extra tank", 5, 1.0, 0, 0, {}, 0, 0, {}});
        s.SaveVoyage(temp.File("auto.kvx"));

        auto back = Open(temp.File("auto.kvx"), temp);
        EXPECT_EQ(back->ShipName, c.takesShip ? "Sea & Sky" : "Renamed");
        EXPECT_DOUBLE_EQ(back->LBP, c.takesShip ? c.shipLbp : 111);
        EXPECT_DOUBLE_EQ(back->calc->lbp, back->LBP);
        EXPECT_EQ(back->ShipShape, c.takesShip ? shipShape : otherShape);
        EXPECT_EQ(back->tblBallast.back().Tank, "Extra tank"); // rows come from the file
        EXPECT_DOUBLE_EQ(back->TableDensity, 1.025);
    }
}

TEST(SurveyFile, ReadingRules)
{
    TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    {
        SCOPED_TRACE("a later InitialSurvey overwrites an earlier one");
        auto s = Open(DataPath("TwoInitialSurveys.kvx"), temp);
        EXPECT_EQ(s->Survey1.Date, "second");
        EXPECT_DOUBLE_EQ(s->Survey1.FuelOil, 123.5);
    }
    std::string good = ReadBytes(DataPath("WorkedExample.kvx"));
    {
        SCOPED_TRACE("UseBallastTable false or missing opens the same");
        std::string noFlag = good;
        noFlag.erase(noFlag.find("    <UseBallastTable>True</UseBallastTable>\r\n"), 45);
        WriteText(temp.File("noflag.kvx"), noFlag);
        EXPECT_EQ(Open(temp.File("noflag.kvx"), temp)->SaveVoyageToString(), good);
    }
    {
        SCOPED_TRACE("values are found anywhere, names in any case");
        std::string moved = good;
        moved.replace(moved.find("<LightShip>9700</LightShip>"), 27, "<lightship>9700</lightship>");
        WriteText(temp.File("moved.kvx"), moved);
        EXPECT_DOUBLE_EQ(Open(temp.File("moved.kvx"), temp)->LightShip, 9700);
    }
}

TEST(SurveyFile, BrokenFilesCannotBeOpened)
{
    TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    auto cantLoad = [](const char* f) { return "Can't load file: " + DataPath(f); };
    struct Case {
        const char* file;
        std::string message;
        bool prefixOnly;
    } cases[] = {
        {"MissingLightShip.kvx", cantLoad("MissingLightShip.kvx"), false},
        {"MissingSurveyValue.kvx", cantLoad("MissingSurveyValue.kvx"), false},
        {"BadFloat.kvx", cantLoad("BadFloat.kvx"), false},
        {"BadInteger.kvx", cantLoad("BadInteger.kvx"), false},
        {"BadOrdinal.kvx", cantLoad("BadOrdinal.kvx"), false},
        {"NotKelvara.kvx", cantLoad("NotKelvara.kvx"), false},
        {"Empty.kvx", "Unable to load the file: " + DataPath("Empty.kvx"), false},
        {"MissingShip.kvx", "Can't find file: " + temp.Data() + "Gone.xml", false},
        {"NotXml.kvx", "Invalid XML", true},
        {"NoSuchFile.kvx", "Cannot open file \"" + DataPath("NoSuchFile.kvx") + "\"", true},
    };
    for (const Case& c : cases) {
        try {
            kelvara::OpenSurveyDocument(DataPath(c.file), temp.Data());
            ADD_FAILURE() << c.file << " opened";
        } catch (const shell::Error& e) {
            if (c.prefixOnly)
                EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.file << ": " << e.what();
            else
                EXPECT_EQ(e.what(), c.message) << c.file;
        }
    }
}

TEST(SurveyFile, FailedReadChangesNothing)
{
    TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    auto s = Open(DataPath("WorkedExample.kvx"), temp);
    std::string before = s->SaveVoyageToString();
    EXPECT_THROW(s->OpenVoyage(DataPath("BadFloat.kvx")), shell::Error);
    EXPECT_THROW(s->OpenVoyage(DataPath("MissingSurveyValue.kvx")), shell::Error);
    EXPECT_EQ(s->SaveVoyageToString(), before);
}

TEST(SurveyFile, ShipThatFailsToLoadFailsTheOpen)
{
    TTempFolder temp;
    temp.CopyShip("ShipMissingLBP.xml", "WorkedExample.xml");
    EXPECT_THROW(kelvara::OpenSurveyDocument(DataPath("WorkedExample.kvx"), temp.Data()), shell::Error);
}
