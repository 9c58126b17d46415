// zelkit-cli demo: writes a small set of sample files for a newcomer to open.
#include "cli/CliCommon.h"
#include "core/MemoryStream.h"
#include "formats/img/OpenImgArchive.h"

namespace zelkit::cli {

namespace {

std::vector<std::uint8_t> sampleBytes(std::size_t length, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

void fillArchive(ImgArchive& archive)
{
    const struct {
        const char* name;
        std::size_t length;
    } entries[] = {
        {"infernus.dff", 5000}, {"infernus.txd", 3000}, {"generic.col", 900},
        {"ped.ifp", 2048},      {"readme.txt", 120},    {"empty.dat", 0},
    };
    std::uint8_t seed = 1;
    for (const auto& e : entries)
        archive.AddFile(e.name, MemoryStream(sampleBytes(e.length, seed++)));
}

} // namespace

void addDemoCommand(CLI::App& app, Output& io)
{
    auto folder = std::make_shared<std::string>();
    CLI::App* demo = app.add_subcommand("demo", "Write a small set of sample files into a folder");
    demo->add_option("folder", *folder, "Folder to write the samples into")->required();
    demo->callback([folder, &io] {
        makeFolder(*folder);
        fillArchive(*createImgArchive(*folder + "/sample.img", 1));
        fillArchive(*createImgArchive(*folder + "/sample_v2.img", 2));
        io.out << "Sample files written to " << *folder << "\n";
    });
}

} // namespace zelkit::cli
