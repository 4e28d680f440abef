// The ship database: loading (order, renumbering, reading rules), byte-exact saving, broken files.

#include "kelvara/core/DataModule.h"

#include "shell/core/Error.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using kelvara::TDM;
using kelvara_test::DataPath;
using kelvara_test::ReadBytes;

TEST(DataModule, HandEditedShipLoadsSortedAndRenumbered)
{
    TDM dm;
    dm.FillAllTables(DataPath("HandEditedShip.xml"));
    ASSERT_EQ(dm.tblParticulars.size(), 1u);
    EXPECT_EQ(dm.tblParticulars[0].ShipName, "Sea & Sky"); // entity decoded, blanks trimmed
    EXPECT_DOUBLE_EQ(dm.tblParticulars[0].LBP, 328.084);   // found as "lbp"
    ASSERT_EQ(dm.tblHydrostatic.size(), 3u);
    // File order 19.685, 13.123, 16.404 (IDs 7, 3, 9): renumbered 1, 2, 3 in file order,
    // then held in ascending draught order.
    EXPECT_DOUBLE_EQ(dm.tblHydrostatic[0].Draft, 13.123);
    EXPECT_EQ(dm.tblHydrostatic[0].HydrostaticID, 2);
    EXPECT_DOUBLE_EQ(dm.tblHydrostatic[1].Draft, 16.404);
    EXPECT_EQ(dm.tblHydrostatic[1].HydrostaticID, 3);
    EXPECT_DOUBLE_EQ(dm.tblHydrostatic[2].Draft, 19.685);
    EXPECT_EQ(dm.tblHydrostatic[2].HydrostaticID, 1);
    ASSERT_EQ(dm.tblballast.size(), 2u);
    EXPECT_EQ(dm.tblballast[0].Tank, "No.2 DB"); // ballast keeps file order
    EXPECT_EQ(dm.tblballast[0].BallastID, 1);
    EXPECT_EQ(dm.tblballast[1].Tank, "");
    ASSERT_EQ(dm.tblOptions.size(), 1u);
    EXPECT_DOUBLE_EQ(dm.tblOptions[0].TableDensity, 1.025); // "1,025"
    EXPECT_EQ(dm.tblOptions[0].MctType, 2);
    EXPECT_FALSE(dm.IsMetric());
}

TEST(DataModule, SaveIsByteExact)
{
    struct Case {
        const char* source;
        const char* expected;
    } cases[] = {
        {"WorkedExample.xml", "WorkedExample.xml"},          // a file the program wrote itself
        {"HandEditedShip.xml", "HandEditedShip.expected.xml"}, // sorted, renumbered, every leaf
    };
    for (const Case& c : cases) {
        TDM dm;
        dm.FillAllTables(DataPath(c.source));
        EXPECT_EQ(dm.SaveAllTablesToString(), ReadBytes(DataPath(c.expected))) << c.source;
    }
}

TEST(DataModule, SaveWritesTheFileAndEmptyTablesWriteNoRecords)
{
    kelvara_test::TTempFolder temp;
    TDM dm;
    dm.tblParticulars.push_back({1, "Empty", 120, 5000});
    dm.SaveAllTables(temp.File("empty.xml"));
    std::string text = ReadBytes(temp.File("empty.xml"));
    EXPECT_EQ(text.find("<Hydrostatic>"), std::string::npos);
    EXPECT_EQ(text.find("<Ballast>"), std::string::npos);
    EXPECT_NE(text.find("<TableDensity>1.025</TableDensity>"), std::string::npos);

    TDM back;
    back.FillAllTables(temp.File("empty.xml"));
    EXPECT_TRUE(back.tblHydrostatic.empty());
    EXPECT_TRUE(back.tblballast.empty());
    EXPECT_EQ(back.tblParticulars.at(0).ShipName, "Empty");
}

TEST(DataModule, EqualDraughtsKeepTheirOrder)
{
    TDM dm;
    for (int id : {1, 2, 3}) {
        kelvara::THydrostaticRow r;
        r.HydrostaticID = id;
        r.Draft = id == 2 ? 1.0 : 2.0;
        dm.InsertHydrostatic(r);
    }
    ASSERT_EQ(dm.tblHydrostatic.size(), 3u);
    EXPECT_EQ(dm.tblHydrostatic[0].HydrostaticID, 2);
    EXPECT_EQ(dm.tblHydrostatic[1].HydrostaticID, 1);
    EXPECT_EQ(dm.tblHydrostatic[2].HydrostaticID, 3);
}

TEST(DataModule, BrokenShipFilesFailWithAClearMessage)
{
    struct Case {
        const char* file;
        std::string message; // the start of the error text
    } cases[] = {
        {"ShipMissingLBP.xml", "Element 'LBP' not found"},
        {"ShipBadFloat.xml", "Cannot convert value to float"},
        {"ShipBadInteger.xml", "'0.5' is not a valid integer value"},
        {"ShipEmpty.xml", "Unable to load the file: " + DataPath("ShipEmpty.xml")},
        {"NotXml.kvx", "Invalid XML"},
        {"NoSuchShip.xml", "Cannot open file \"" + DataPath("NoSuchShip.xml") + "\""},
    };
    for (const Case& c : cases) {
        TDM dm;
        try {
            dm.FillAllTables(DataPath(c.file));
            ADD_FAILURE() << c.file << " loaded";
        } catch (const shell::Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.file << ": " << e.what();
        }
    }
}

TEST(DataModule, FailedSaveLeavesTheOldFile)
{
    kelvara_test::TTempFolder temp;
    temp.CopyShip("WorkedExample.xml");
    std::string path = temp.Data() + "WorkedExample.xml";
    TDM dm;
    dm.FillAllTables(path);
    dm.tblHydrostatic[0].TPC = std::numeric_limits<double>::infinity();
    EXPECT_THROW(dm.SaveAllTables(path), shell::Error);
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataPath("WorkedExample.xml")));
}
