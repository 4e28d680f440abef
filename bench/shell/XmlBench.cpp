// XML layer against bare pugixml (reading) and a single fwrite (writing), same run.
#include "BenchRatio.h"
#include "shell/core/Xml.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRecords = 50000;

struct Record {
    int id;
    std::string name;
    double latitude;
    double longitude;
    bool visible;
};

Record MakeRecord(int i)
{
    return {i, "Waypoint " + std::to_string(i) + " & co", -60.0 + (i % 12000) * 0.01,
            -179.5 + (i % 35900) * 0.01, i % 3 != 0};
}

void BuildThroughLayer(shell::TXmlDocument& doc)
{
    doc.CreateName("Library");
    shell::TXmlNode root = doc.Root();
    for (int i = 0; i < kRecords; ++i) {
        Record r = MakeRecord(i);
        shell::TXmlNode w = root.NodeNew("Waypoint");
        w.WriteInteger("WpId", r.id);
        w.WriteString("WpName", r.name);
        w.WriteFloat("Latitude", r.latitude);
        w.WriteFloat("Longitude", r.longitude);
        w.WriteBool("Visible", r.visible);
    }
}

} // namespace

int main()
{
    const std::string dir = std::filesystem::temp_directory_path().string();
    const std::string file = dir + "/orvanel-bench-" + std::to_string(getpid()) + ".xml";
    const std::string rawFile = file + ".raw";

    std::string bytes;
    {
        shell::TXmlDocument doc;
        BuildThroughLayer(doc);
        bytes = doc.SaveToString();
        doc.SaveToFile(file);
    }

    // Reading: parse the file and read every value.
    auto [layerRead, bareRead] = bench::BestOfPair(9, [&] {
        shell::TXmlDocument doc;
        doc.LoadFromFile(file);
        double sum = 0;
        static const std::string_view names[5] = {"WpId", "WpName", "Latitude", "Longitude", "Visible"};
        shell::TXmlNode f[5];
        for (shell::TXmlNode w : doc.Root().Children()) {
            w.FindChildren(names, 5, f);
            sum += f[0].ValueAsInteger();
            sum += static_cast<double>(f[1].ValueAsString().size());
            sum += f[2].ValueAsFloat() + f[3].ValueAsFloat();
            sum += f[4].ValueAsBool() ? 1 : 0;
        }
        benchmark::DoNotOptimize(sum);
    }, [&] {
        pugi::xml_document doc;
        doc.load_file(file.c_str(), pugi::parse_cdata | pugi::parse_escapes);
        double sum = 0;
        for (pugi::xml_node w : doc.document_element().children("Waypoint")) {
            sum += w.child("WpId").text().as_int();
            sum += static_cast<double>(std::string(w.child("WpName").child_value()).size());
            sum += w.child("Latitude").text().as_double() + w.child("Longitude").text().as_double();
            sum += w.child("Visible").text().as_bool() ? 1 : 0;
        }
        benchmark::DoNotOptimize(sum);
    });

    // Writing: build the same records and save them (atomically, flushed to disk),
    // against the same bytes written with one fwrite and flushed to disk.
    auto [layerWrite, bareWrite] = bench::BestOfPair(9, [&] {
        shell::TXmlDocument doc;
        BuildThroughLayer(doc);
        doc.SaveToFile(file);
    }, [&] {
        std::FILE* f = std::fopen(rawFile.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
    });

    std::remove(file.c_str());
    std::remove(rawFile.c_str());

    bool ok = true;
    ok &= bench::Report("xml-load", layerRead / bareRead, 1.5);
    ok &= bench::Report("xml-write", layerWrite / bareWrite, 3.0);
    std::printf("  (load %.1f ms vs %.1f ms; write %.1f ms vs %.1f ms; %zu bytes)\n", layerRead * 1e3,
                bareRead * 1e3, layerWrite * 1e3, bareWrite * 1e3, bytes.size());
    return ok ? 0 : 1;
}
