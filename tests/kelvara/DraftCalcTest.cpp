// The draught engine: lookups with clamping and messages, both correction modes, list correction.

#include "kelvara/core/DraftCalc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using kelvara::TDraftCalc;
using kelvara::THydrostaticRow;

namespace {

THydrostaticRow Row(double draft, double displacement, double tpc, double fwd = 0, double aft = 0, double mid = 0)
{
    THydrostaticRow r;
    r.Draft = draft;
    r.Displacement = displacement;
    r.TPC = tpc;
    r.MCT = 10 * tpc;
    r.LCF = -tpc;
    r.FwdPPDist = fwd;
    r.AftPPDist = aft;
    r.MidPPDist = mid;
    return r;
}

const char* const kLess = "Value of input draft less than minimum table draft value.\n\r";
const char* const kMore = "Value of input draft more than maximum table draft value.\n\r";

} // namespace

TEST(DraftCalc, DisplacementInterpolatesAndClampsWithMessages)
{
    std::vector<THydrostaticRow> table = {Row(2.0, 1000, 10), Row(4.0, 3000, 14)};
    struct Case {
        double draft;
        double expected;
        const char* message; // first line of the message, or null for none
    } cases[] = {
        {3.0, 2000, nullptr},
        {2.5, 1500, nullptr},
        {2.0, 1000, kLess},
        {1.5, 1000, kLess},
        {4.0, 3000, kMore},
        {5.0, 3000, kMore},
    };
    for (const Case& c : cases) {
        kelvara_test::TMessageLog log;
        TDraftCalc calc(&table, 100, log.Notifier());
        EXPECT_DOUBLE_EQ(calc.CalcDisplacement(c.draft), c.expected) << c.draft;
        if (c.message) {
            ASSERT_EQ(log.Texts.size(), 1u) << c.draft;
            EXPECT_EQ(log.Texts[0].rfind(c.message, 0), 0u) << log.Texts[0];
        } else {
            EXPECT_TRUE(log.Texts.empty()) << c.draft;
        }
    }
}

TEST(DraftCalc, RangeMessagesAreExact)
{
    std::vector<THydrostaticRow> table = {Row(2.0, 1000, 10), Row(4.0, 3000, 14)};
    kelvara_test::TMessageLog log;
    TDraftCalc calc(&table, 100, log.Notifier());
    calc.CalcDisplacement(1.5);
    calc.CalcDisplacement(4.25);
    ASSERT_EQ(log.Texts.size(), 2u);
    EXPECT_EQ(log.Texts[0], "Value of input draft less than minimum table draft value.\n\r"
                            "Input Draft = 1.5\n\rMinimum Table Draft = 2\n\rUsing Minimum Table Draft.");
    EXPECT_EQ(log.Texts[1], "Value of input draft more than maximum table draft value.\n\r"
                            "Input Draft = 4.25\n\rMaximum Table Draft = 4\n\rUsing Maximum Table Draft.\n\r");
}

TEST(DraftCalc, PlainLookupsClampSilently)
{
    std::vector<THydrostaticRow> table = {Row(2.0, 1000, 10, 1, 2, 3), Row(4.0, 3000, 14, 3, 6, 9)};
    kelvara_test::TMessageLog log;
    TDraftCalc calc(&table, 100, log.Notifier());
    EXPECT_DOUBLE_EQ(calc.CalcTPC(2.5), 11);
    EXPECT_DOUBLE_EQ(calc.CalcTPC(1.0), 10);
    EXPECT_DOUBLE_EQ(calc.CalcTPC(9.0), 14);
    EXPECT_DOUBLE_EQ(calc.CalcMCT(3.0), 120);
    EXPECT_DOUBLE_EQ(calc.CalcLCF(3.0), -12);
    EXPECT_DOUBLE_EQ(calc.CalcDistFwdPP(3.0), 2);
    EXPECT_DOUBLE_EQ(calc.CalcDistAftPP(3.0), 4);
    EXPECT_DOUBLE_EQ(calc.CalcDistMidPP(3.0), 6);
    EXPECT_TRUE(log.Texts.empty());
}

TEST(DraftCalc, OneRowAndEmptyTables)
{
    std::vector<THydrostaticRow> one = {Row(5.0, 7000, 20)};
    TDraftCalc calcOne(&one, 100);
    for (double x : {0.0, 5.0, 9.0})
        EXPECT_DOUBLE_EQ(calcOne.CalcTPC(x), 20);

    std::vector<THydrostaticRow> empty;
    kelvara_test::TMessageLog log;
    TDraftCalc calc(&empty, 100, log.Notifier());
    EXPECT_EQ(calc.CalcTPC(3.0), 0);
    EXPECT_TRUE(log.Texts.empty());
    EXPECT_EQ(calc.CalcDisplacement(3.0), 0);
    ASSERT_EQ(log.Texts.size(), 1u);
    EXPECT_EQ(log.Texts[0], "Please Fill in Hydrostatic Table");
}

TEST(DraftCalc, TableOutOfOrderTakesTheFirstBracketingPair)
{
    std::vector<THydrostaticRow> table = {Row(1, 100, 1), Row(5, 500, 5), Row(3, 300, 3), Row(6, 600, 6)};
    TDraftCalc calc(&table, 100);
    EXPECT_DOUBLE_EQ(calc.CalcTPC(2), 2);   // between rows 1 and 2
    EXPECT_DOUBLE_EQ(calc.CalcTPC(5.5), 5.5); // no pair brackets before (3, 6)
}

// lbp 100, forward marks 2, aft marks 3, midship marks 1 from their perpendiculars.
TEST(DraftCalc, PerpendicularCorrections)
{
    std::vector<THydrostaticRow> table = {Row(1, 0, 0, 2, 3, 1), Row(20, 0, 0, 2, 3, 1)};
    TDraftCalc calc(&table, 100);
    struct Case {
        const char* what;
        double fore, aft, mid;
        double fwd, aftCor, midCor;         // without deflection
        double fwdDef, aftDef, midDef;      // with deflection
    } cases[] = {
        {"stern trim, straight keel", 5.0, 6.0, 5.5, 2.0 / 99, 3.0 / 99, 1.0 / 99, 2.0 / 99, 3.0 / 99, 1.0 / 99},
        {"head trim, straight keel", 6.0, 5.0, 5.5, -2.0 / 99, -3.0 / 99, -1.0 / 99, -2.0 / 99, -3.0 / 99, -1.0 / 99},
        {"even keel", 5.0, 5.0 + 5e-8, 7.0, 0, 0, 0, 0, 0, 0},
        // Sagging: the deflected branch takes the slope over the half length.
        {"stern trim, sag", 5.0, 6.0, 5.8, 2.0 / 99, 3.0 / 99, 1.0 / 99, 2 * 0.8 / 52, 3 * 0.2 / 53, 1.0 / 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(calc.CalcFwdCor(c.fore, c.aft), c.fwd, 1e-12);
        EXPECT_NEAR(calc.CalcAftCor(c.fore, c.aft), c.aftCor, 1e-12);
        EXPECT_NEAR(calc.CalcMidCor(c.fore, c.aft, c.mid), c.midCor, 1e-12);
        EXPECT_NEAR(calc.CalcFwdCorHullDef(c.fore, c.aft, c.mid), c.fwdDef, 1e-12);
        EXPECT_NEAR(calc.CalcAftCorHullDef(c.fore, c.aft, c.mid), c.aftDef, 1e-12);
        EXPECT_NEAR(calc.CalcMidCorHullDef(c.fore, c.aft, c.mid), c.midDef, 1e-12);
    }
}

TEST(DraftCalc, CorrectionSignFollowsTrimAndMarkDistance)
{
    // Forward marks abaft the perpendicular (-1), aft marks forward of theirs (2): a stern
    // trim makes the forward correction negative and the aft one positive.
    std::vector<THydrostaticRow> table = {Row(1, 0, 0, -1, 2, 0), Row(20, 0, 0, -1, 2, 0)};
    TDraftCalc calc(&table, 100);
    EXPECT_NEAR(calc.CalcFwdCor(4.6, 5.4), -0.8 / 97, 1e-12);
    EXPECT_NEAR(calc.CalcAftCor(4.6, 5.4), 1.6 / 97, 1e-12);
    EXPECT_EQ(calc.CalcMidCor(4.6, 5.4, 5.0), 0); // k = 0 gives 0, without a sign
}

TEST(DraftCalc, ZeroLengthsGiveNoNumberInsteadOfInfinity)
{
    // A ship stored with LBP 0 and zero mark distances: no length between the marks.
    std::vector<THydrostaticRow> table = {Row(1, 0, 0), Row(20, 0, 0)};
    TDraftCalc calc(&table, 0);
    EXPECT_TRUE(std::isnan(calc.CalcFwdCor(5, 6)));
    EXPECT_TRUE(std::isnan(calc.CalcAftCor(5, 6)));
    EXPECT_TRUE(std::isnan(calc.CalcMidCor(5, 6, 5.5)));
    EXPECT_TRUE(std::isnan(calc.CalcFwdCorHullDef(5, 6, 5.8))); // half length 0 as well
    EXPECT_TRUE(std::isnan(calc.CalcAftCorHullDef(5, 6, 5.8)));
    EXPECT_EQ(calc.CalcFwdCor(5, 5), 0); // even keel needs no length
}

TEST(DraftCalc, ListCorrection)
{
    std::vector<THydrostaticRow> table = {Row(2.0, 1000, 10), Row(4.0, 3000, 14)};
    TDraftCalc calc(&table, 100);
    EXPECT_NEAR(calc.CalcListCor(2.5, 3.0), 1 * 6 * 0.5, 1e-12);
    EXPECT_NEAR(calc.CalcListCor(3.0, 2.5), 1 * 6 * 0.5, 1e-12); // never negative
    EXPECT_EQ(calc.CalcListCor(4.5, 5.0), 0); // both clamp to the same TPC
}
