// Display formats and the survey report's variables and ballast dataset.

#include "kelvara/core/ReportValues.h"

#include "shell/core/Utils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using kelvara::TDisplayKind;
using kelvara::TProgramState;
using kelvara::TSurvey;

TEST(ReportValues, FormatFixedRoundsLikeTheDisplay)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 3, "0.000"},
        {-0.0, 3, "0.000"},
        {-0.8247423, 3, "-0.825"},
        {10002.0619, 3, "10002.062"},
        {1.02, 4, "1.0200"},
        {2.0005, 3, "2.001"},   // half away from zero on the decimal value, not the binary one
        {-2.0005, 3, "-2.001"},
        {9.9996, 3, "10.000"},
        {-0.0004, 3, "0.000"},  // rounds to zero: no minus sign
        {0.0005, 3, "0.001"},
        {1e-20, 3, "0.000"},
        {123456789.1234, 3, "123456789.123"},
        {1e20, 3, "100000000000000000000.000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kelvara::FormatFixed(c.value, c.decimals), c.text) << c.value;
}

TEST(ReportValues, DisplayFormatsOfBothUnitSystems)
{
    struct Case {
        TDisplayKind kind;
        const char* metric;
        const char* imperial;
    } cases[] = {
        {TDisplayKind::Length, "0.000 m;-0.000 m", "0.000 ft;-0.000 ft"},
        {TDisplayKind::Weight, "0.000 t;-0.000 t", "0.000 t;-0.000 t"},
        {TDisplayKind::Density, "0.0000 t/m3;-0.0000 t/m3", "0.0000 t/m3;-0.0000 t/m3"},
        {TDisplayKind::Tpc, "0.000 t/cm;-0.000 t/cm", "0.000 t/in;-0.000 t/in"},
        {TDisplayKind::Mct, "0.000 tm/cm;-0.000 tm/cm", "0.000 tft/in;-0.000 tft/in"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kelvara::DisplayFormat(c.kind, true), c.metric);
        EXPECT_EQ(kelvara::DisplayFormat(c.kind, false), c.imperial);
    }
}

TEST(ReportValues, TheEightyTwoNames)
{
    const auto& names = kelvara::ReportValueNames();
    ASSERT_EQ(names.size(), 82u);
    EXPECT_EQ(names.front(), "VoyageNumber");
    EXPECT_EQ(names[11], "Remarks");
    EXPECT_EQ(names[12], "FwdPort");
    EXPECT_EQ(names[46], "NetDesplacement");
    EXPECT_EQ(names[47], "FwdPort2");
    EXPECT_EQ(names.back(), "NetDesplacement2");
    std::set<std::string> lower;
    TSurvey s(TProgramState::psManualMetric);
    for (const std::string& n : names) {
        std::string l;
        for (char c : n)
            l += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        lower.insert(l);
        EXPECT_TRUE(kelvara::ReportValue(s, n).has_value()) << n; // every name reads an editor
    }
    EXPECT_EQ(lower.size(), 82u);
}

TEST(ReportValues, NamesMatchWithoutCaseAndShowTheEditorText)
{
    TSurvey s(TProgramState::psManualImperial);
    s.ShipName = "Sea & Sky";
    s.Survey1.FdwCor = -0.1234;
    s.Survey2.Tpc = 52.5;
    s.Survey2.MctcPlus = 1180.5;
    s.Survey1.Density = 1.02;
    s.Survey2.Date = "12.12.2026";
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"vesselname", "Sea & Sky"},
        {"VESSELNAME", "Sea & Sky"},
        {"FwdCorrection", "-0.123 ft"},
        {"TPC2", "52.500 t/in"},
        {"mctcplus2", "1180.500 tft/in"},
        {"Density", "1.0200 t/m3"},
        {"Completed", "12.12.2026"},
        // Before the first computation: zeros with their units and an even keel.
        {"Trim", "0.000 ft"},
        {"NetDesplacement2", "0.000 t"},
        {"HullDeformation", "Even Keel"},
        {"Constant", "0.000 t"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kelvara::ReportValue(s, c.name).value_or("<none>"), c.text) << c.name;
    EXPECT_FALSE(kelvara::ReportValue(s, "NetDisplacement").has_value()); // spelled with "i"
    EXPECT_FALSE(kelvara::ReportValue(s, "MeanOfMeansPlus").has_value()); // not offered
    EXPECT_FALSE(kelvara::ReportValue(s, "TpcPort").has_value());
    EXPECT_EQ(kelvara::EditorText(s, "txtMeanOfMeansPlus1").value_or(""), "0.000 ft");
    EXPECT_EQ(kelvara::EditorText(s, "txtTpcPort2").value_or(""), "0.000 t/in");
    EXPECT_FALSE(kelvara::EditorText(s, "txtNoSuch1").has_value());

    kelvara::TEditorValue v = kelvara::EditorValue(s, "txt1stCor2");
    ASSERT_NE(v.Number, nullptr);
    EXPECT_EQ(v.Number, &s.Survey2.FirstCor);
    EXPECT_EQ(kelvara::EditorValue(s, "txtShipName").Text, &s.ShipName);
    EXPECT_EQ(kelvara::EditorValue(s, "txtLBP").Kind, TDisplayKind::Length);
    EXPECT_EQ(kelvara::EditorValue(s, "txtLBP3").Number, nullptr);
}

TEST(ReportValues, BallastDataset)
{
    TSurvey s(TProgramState::psManualMetric);
    s.InitNew();
    s.tblBallast[0].InitVolume = 100;
    s.tblBallast[1].Density.reset();
    s.CalcBallastWeights();
    const auto& fields = kelvara::BallastDatasetFields();
    ASSERT_EQ(fields.size(), 9u);
    EXPECT_EQ(fields.front(), "Tank");
    EXPECT_EQ(fields.back(), "FinalWeight");
    const auto& rows = kelvara::BallastDataset(s);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(kelvara::BallastDatasetValue(rows[0], "tank")->Text, "Tank No.1");
    EXPECT_DOUBLE_EQ(*kelvara::BallastDatasetValue(rows[0], "InitWeight")->Number, 102.5);
    EXPECT_FALSE(kelvara::BallastDatasetValue(rows[1], "InitWeight")->Number.has_value());
    EXPECT_FALSE(kelvara::BallastDatasetValue(rows[0], "Weight").has_value());
}
