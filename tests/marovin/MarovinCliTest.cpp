// marovin-cli run as a separate process: output, files and exit status.
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

using testing_support::ReadBytes;
using testing_support::Quote;

const std::string kData = std::string(ORVANEL_TEST_DATA) + "/marovin/";

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class MarovinCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("marovin-cli-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Tmp(const std::string& name) const { return (dir_ / name).string(); }

    TRun Run(const std::string& args) const
    {
        const std::string err = Tmp("stderr.txt");
        // HOME points into the test folder, so nothing touches the user's documents.
        const std::string cmd = "HOME=" + Quote(dir_.string()) + " XDG_DOCUMENTS_DIR=" + Quote(dir_.string()) +
                                " " + Quote(MAROVIN_CLI) + " " + args + " 2>" + Quote(err);
        TRun r;
        FILE* p = popen(cmd.c_str(), "r");
        if (!p)
            return r;
        std::array<char, 4096> buf{};
        size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
            r.Out.append(buf.data(), n);
        int status = pclose(p);
        r.Status = testing_support::ExitStatus(status);
        r.Err = ReadBytes(err);
        return r;
    }

    std::filesystem::path dir_;
};

TEST_F(MarovinCli, LegPrintsUnroundedCourseAndDistance)
{
    TRun r = Run("leg 10-00N 010-00E 11-00N 010-00E");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, "Course=0\nDistance=60\n");

    r = Run("leg 0N 170E 1N 170W");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, "Course=87.15657901\nDistance=1209.514279\n");

    r = Run("leg 22-1.2.3N 0 0 0");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: '1.2.3' is not a valid floating point value\n");
    r = Run("leg 91N 0 0 0");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: Invalid Latitude\n");
}

TEST_F(MarovinCli, ValuesOfAGoodRoutePlan)
{
    TRun r = Run("values " + Quote(kData + "route.mvx"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, ReadBytes(kData + "route-values.txt"));
    EXPECT_EQ(r.Err, "");
}

TEST_F(MarovinCli, ResaveAndLibraryWriteTheSameBytes)
{
    TRun r = Run("resave " + Quote(kData + "route.mvx") + " " + Quote(Tmp("out.mvx")));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Tmp("out.mvx")), ReadBytes(kData + "route.mvx"));
    // The route plan file only: no library appears anywhere.
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Documents"));

    r = Run("library " + Quote(kData + "library.xml") + " " + Quote(Tmp("out.xml")));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Tmp("out.xml")), ReadBytes(kData + "library.xml"));
}

TEST_F(MarovinCli, BrokenFilesAndWrongUsage)
{
    const std::string broken = kData + "broken/missing-wpname.mvx";
    TRun r = Run("values " + Quote(broken));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "error: Can't load file: " + broken + "\nerror: Element 'WpName' not found\n");

    r = Run("resave " + Quote(broken) + " " + Quote(Tmp("out.mvx")));
    EXPECT_EQ(r.Status, 1);
    EXPECT_FALSE(std::filesystem::exists(Tmp("out.mvx")));

    r = Run("values " + Quote(kData + "broken/empty.mvx"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: Unable to load the file: " + kData + "broken/empty.mvx\n");

    r = Run("values " + Quote(kData + "broken/invalid-latitude.mvx"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: Invalid Latitude\n");

    r = Run("library " + Quote(kData + "broken/bad-wpid.xml") + " " + Quote(Tmp("out.xml")));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "error: 'x7' is not a valid integer value\n");
    EXPECT_FALSE(std::filesystem::exists(Tmp("out.xml")));

    // A save that fails names the file.
    r = Run("library " + Quote(kData + "library.xml") + " " + Quote(Tmp("no/such/folder/out.xml")));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.rfind("error: Can't save file: " + Tmp("no/such/folder/out.xml") + "\n", 0), 0u) << r.Err;

    for (const char* args : {"", "leg 1N 2E", "values", "resave a.mvx", "frobnicate x"}) {
        r = Run(args);
        EXPECT_EQ(r.Status, 2) << args;
        EXPECT_NE(r.Err.find("usage:"), std::string::npos) << args;
    }
}

} // namespace
