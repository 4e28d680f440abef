// The five shipped templates over real documents of the three programs: the plain-text
// export of each is compared with its expected file, and every item stays on the paper.

#include "kelvara/report/SurveyReport.h"
#include "marovin/core/RoutePlan.h"
#include "marovin/core/RouteReportData.h"
#include "tessaly/core/LashingBase.h"
#include "tessaly/report/LashingReport.h"

#include "shell/core/ReportEngine.h"
#include "shell/core/ReportText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace {

const std::string kData = std::string(ORVANEL_TEST_DATA) + "/";
const std::string kTemplates = ORVANEL_TEMPLATES;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Check(shell::TReportSource source, const std::string& expectedName)
{
    // Every variable the template asks for must be one the document answers.
    std::vector<std::string> unanswered;
    auto answer = source.Variables;
    source.Variables = [&](const std::string& name, shell::TReportValue& value) {
        if (answer && answer(name, value))
            return true;
        unanswered.push_back(name);
        return false;
    };
    shell::TPreparedReport r = shell::RunReport(source);
    EXPECT_TRUE(unanswered.empty()) << expectedName << " asks for " << unanswered.front();
    ASSERT_FALSE(r.Pages.empty());
    for (size_t p = 0; p < r.Pages.size(); ++p)
        for (const auto& item : r.Pages[p].Items) {
            EXPECT_GE(item.X, r.MarginLeft - 1e-9) << expectedName << " page " << p + 1 << ": " << item.Text;
            EXPECT_LE(item.X + item.W, r.PageWidth - r.MarginRight + 1e-9) << expectedName << ": " << item.Text;
            EXPECT_LE(item.Y + item.H, r.PageHeight - r.MarginBottom + 1e-9) << expectedName << ": " << item.Text;
        }
    std::string text = shell::ReportToText(r);
    std::string path = kData + "report/expected/" + expectedName;
    if (std::getenv("ORVANEL_UPDATE_EXPECTED")) // rewrite after a deliberate template change
        std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(text, ReadFile(path)) << expectedName;
}

TEST(ReportTemplates, SurveyReport)
{
    auto survey = kelvara::OpenSurveyDocument(kData + "kelvara/WorkedExample.kvx", kData + "kelvara/");
    survey->CalculateAll();
    Check(kelvara::SurveyReportSource(*survey, kTemplates), "RepKelvara.txt");
}

TEST(ReportTemplates, RouteAndLibraryReports)
{
    marovin::TRoutePlan plan;
    marovin::OpenRoutePlanAsProgram(plan, kData + "marovin/route.mvx");
    Check(marovin::RouteReportSource(plan, kTemplates), "RepRoute.txt");
    marovin::TRoutePlan library;
    library.OpenLibrary(kData + "marovin/library.xml");
    Check(marovin::LibraryReportSource(library, kTemplates), "RepLibrary.txt");
}

TEST(ReportTemplates, LashingReportsOfBothMethods)
{
    for (const char* file : {"advanced-complete.tyx", "alternative-complete.tyx"}) {
        auto d = tessaly::OpenLashingDocument(kData + "tessaly/good/" + file);
        d->CalculateAll();
        std::string name = d->ReportTemplateName();
        Check(tessaly::LashingReportSource(*d, kTemplates), name.substr(0, name.size() - 4) + ".txt");
    }
}

} // namespace
