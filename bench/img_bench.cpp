// IMG archives at the scale of a full game: opening, extracting every entry and rebuilding, each
// against a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/BinaryWriter.h"
#include "core/FileStream.h"
#include "formats/img/TIMGV2Archive.h"

using namespace zelkit;

namespace {

constexpr int kEntries = 16000;

std::string benchFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/zelkit-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        std::atexit([] { std::filesystem::remove_all(benchFolder()); });
        return pattern;
    }();
    return folder;
}

// Entry sizes cycle through 1 to 8 sectors, as models, textures and collision files do.
std::uint32_t sectorsOf(int k) { return static_cast<std::uint32_t>(1 + (k * 7) % 8); }

// A version 2 archive of kEntries entries; with gaps, one sector in ten lies unused between them.
std::string writeArchive(const std::string& name, bool withGaps)
{
    const std::string path = benchFolder() + "/" + name;
    BinaryWriter head;
    head.text("VER2");
    head.u32(kEntries);
    const std::uint32_t first = (8 + 32 * kEntries + 2047) / 2048;
    std::uint32_t next = first;
    for (int k = 0; k < kEntries; ++k) {
        head.u32(next);
        head.u32(sectorsOf(k));
        head.fixedString("entry" + std::to_string(k) + ".dff", 24);
        next += sectorsOf(k);
        if (withGaps && k % 4 == 0)
            next += 2; // about 10% of all sectors end up in gaps
    }
    head.zeros(std::size_t{first} * 2048 - head.size());
    FileStream file(path, FileStream::Mode::Create);
    file.writeAt(0, head.bytes());
    std::vector<std::uint8_t> sector(std::size_t{next - first} * 2048);
    for (std::size_t i = 0; i < sector.size(); ++i)
        sector[i] = static_cast<std::uint8_t>(i * 131 + 7);
    file.writeAt(std::uint64_t{first} * 2048, sector);
    return path;
}

const std::string& plainArchive()
{
    static const std::string path = writeArchive("plain.img", false);
    return path;
}

void BM_OpenV2Archive(benchmark::State& state)
{
    const std::string& path = plainArchive();
    for (auto _ : state) {
        TIMGV2Archive archive(path, false);
        benchmark::DoNotOptimize(archive.Count());
    }
    state.counters["entries"] = kEntries;
}

void BM_ExtractAll(benchmark::State& state)
{
    const std::string& path = plainArchive();
    TIMGV2Archive archive(path, false);
    const std::string out = benchFolder() + "/extracted";
    std::filesystem::create_directories(out);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        for (int k = 0; k < archive.Count(); ++k) {
            FileStream dest(out + "/" + archive.entries()[static_cast<std::size_t>(k)].name(), FileStream::Mode::Create);
            archive.ExtractFile(k, dest);
            bytes += archive.entries()[static_cast<std::size_t>(k)].byteSize();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_RebuildWithTenPercentGaps(benchmark::State& state)
{
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = writeArchive("gaps.img", true);
        TIMGV2Archive archive(path, false);
        state.ResumeTiming();
        archive.Rebuild();
        bytes += archive.dataStream().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The baseline: the archive's bytes copied into one new file in the same chunks the archive uses.
void BM_PlainCopy(benchmark::State& state)
{
    const std::string& path = plainArchive();
    FileStream source(path, FileStream::Mode::ReadOnly);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        FileStream dest(benchFolder() + "/copy.img", FileStream::Mode::Create);
        copyBytes(source, 0, dest, 0, source.size());
        bytes += source.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The baseline for rebuild, which makes its new file durable before it replaces the old one.
void BM_PlainCopyAndFlush(benchmark::State& state)
{
    const std::string& path = plainArchive();
    FileStream source(path, FileStream::Mode::ReadOnly);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        FileStream dest(benchFolder() + "/copy.img", FileStream::Mode::Create);
        copyBytes(source, 0, dest, 0, source.size());
        dest.flush();
        bytes += source.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The same bytes copied as one file per entry: what extraction costs without the archive.
void BM_PlainCopyAsFiles(benchmark::State& state)
{
    const std::string& path = plainArchive();
    TIMGV2Archive archive(path, false);
    FileStream source(path, FileStream::Mode::ReadOnly);
    const std::string out = benchFolder() + "/copied";
    std::filesystem::create_directories(out);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        for (int k = 0; k < archive.Count(); ++k) {
            const TIMGEntry& e = archive.entries()[static_cast<std::size_t>(k)];
            FileStream dest(out + "/" + std::to_string(k), FileStream::Mode::Create);
            copyBytes(source, e.byteOffset(), dest, 0, e.byteSize());
            bytes += e.byteSize();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

} // namespace

BENCHMARK(BM_OpenV2Archive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildWithTenPercentGaps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopyAndFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopyAsFiles)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
