// Speed of the value-list reader and of the case-insensitive path lookup.
#include "core/PathLookup.h"
#include "core/ValueListReader.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

namespace {

// About 2 MB: 10,000 hotspot-like sections of 22 values each, ended by the separator.
std::string HotspotFile() {
    std::string text;
    for (int i = 1; i <= 10000; ++i) {
        text += std::to_string(i * 15) + "," + std::to_string(i * 7 % 9000) + ",1200,900\r\n";
        text +=
            "\"Hotspot number " + std::to_string(i) + " with a tooltip text\",#TRUE#,#FALSE#\r\n";
        text += "\"picture_" + std::to_string(i) + ".bmp\",\"arrow.cur\",3,0.25,-1\r\n";
        text += "\"VarA,VarB,VarC\",\"VarD\",#FALSE#,\"Some longer description of the area\"\r\n";
        text += "\"sound.wav\",7,#TRUE#,100,200,\"\"\r\n";
        text += "\"----- SEPARATOR -----\"\r\n";
    }
    return text;
}

void ReadHotspotSections(benchmark::State& state) {
    const std::string text = HotspotFile();
    for (auto _ : state) {
        quillora::ValueListReader in(text);
        int sections = 0;
        while (!in.AtEnd()) {
            in.ReadInt32();
            in.ReadInt32();
            in.ReadInt32();
            in.ReadInt32();
            in.ReadString();
            in.ReadBool();
            in.ReadBool();
            in.ReadString();
            in.ReadString();
            in.ReadInt16();
            in.ReadDouble();
            in.ReadInt16();
            in.ReadString();
            in.ReadString();
            in.ReadBool();
            in.ReadString();
            in.ReadString();
            in.ReadInt16();
            in.ReadBool();
            in.ReadInt32();
            in.ReadInt32();
            in.ReadString();
            if (!in.IsEndOfSection()) state.SkipWithError("misaligned section");
            in.Skip();
            ++sections;
        }
        benchmark::DoNotOptimize(sections);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadHotspotSections)->Unit(benchmark::kMillisecond);

void CaseInsensitiveLookups(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(root + "Areas"));
    for (int i = 0; i < 5000; ++i) {
        std::ofstream(root + "Areas/Picture_" + std::to_string(i) + ".BMP") << "x";
    }
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i) {
        names.push_back(root + "areas\\picture_" + std::to_string(i * 7 % 5000) + ".bmp");
    }
    quillora::PathLookup& lookup = quillora::PathLookup::Instance();
    lookup.ForgetAll();
    for (auto _ : state) {
        int found = 0;
        for (const std::string& name : names)
            found += lookup.Exists(name) ? 1 : 0;
        if (found != 10000) state.SkipWithError("a file was not found");
    }
}
BENCHMARK(CaseInsensitiveLookups)->Unit(benchmark::kMillisecond);

} // namespace
