// zelkit-cli img: list, extract and edit IMG archives of both versions.
#include <memory>

#include "cli/CliCommon.h"
#include "core/Error.h"
#include "core/FileStream.h"
#include "core/MemoryStream.h"
#include "core/Text.h"
#include "formats/img/OpenImgArchive.h"

namespace zelkit::cli {

namespace {

// An entry given on the command line: "#N" is list position N, anything else the first entry of
// that name, compared without regard to case as the games do.
int findEntry(const ImgArchive& archive, const std::string& which)
{
    if (which.size() > 1 && which[0] == '#') {
        const std::string digits = which.substr(1);
        if (digits.find_first_not_of("0123456789") == std::string::npos && digits.size() < 10) {
            const int index = std::stoi(digits);
            if (index < archive.Count())
                return index;
        }
        throw Error("No entry " + which + " in \"" + archive.FileName() + "\"");
    }
    for (int i = 0; i < archive.Count(); ++i) {
        if (equalsIgnoreCase(archive.entries()[static_cast<std::size_t>(i)].name(), which))
            return i;
    }
    throw Error("No entry \"" + which + "\" in \"" + archive.FileName() + "\"");
}

void listEntries(const ImgArchive& archive, bool json, Output& io)
{
    if (json) {
        nlohmann::json rows = nlohmann::json::array();
        for (const TIMGEntry& e : archive.entries())
            rows.push_back({{"index", e.Index}, {"name", latin1ToUtf8(e.name())}, {"offset", e.Offset}, {"size", e.Size}});
        io.out << rows.dump(2) << "\n";
        return;
    }
    for (const TIMGEntry& e : archive.entries())
        io.out << e.name() << "\t" << e.Offset << "\t" << e.Size << "\t" << e.Index << "\n";
}

void extractEntries(const ImgArchive& archive, const std::vector<std::string>& names, const std::string& folder)
{
    std::vector<int> chosen;
    if (names.empty()) {
        for (int i = 0; i < archive.Count(); ++i)
            chosen.push_back(i);
    } else {
        for (const std::string& name : names)
            chosen.push_back(findEntry(archive, name));
    }
    makeFolder(folder);
    for (const int i : chosen) {
        FileStream out(folder + "/" + safeFileName(archive.entries()[static_cast<std::size_t>(i)].name()),
                       FileStream::Mode::Create);
        archive.ExtractFile(i, out);
    }
}

} // namespace

void addImgCommands(CLI::App& app, Output& io)
{
    CLI::App* img = app.add_subcommand("img", "IMG archives: a .img with its .dir (version 1) or a single .img (version 2)");
    img->require_subcommand(1);
    // Each verb's options live as long as the app; shared_ptr keeps them alive in the callbacks.
    struct Args {
        std::string archive, entry, file, newName, folder = ".";
        std::vector<std::string> names, files;
        bool json = false;
        int version = 2;
    };
    auto a = std::make_shared<Args>();

    auto* list = img->add_subcommand("list", "List the entries: name, offset, size (in sectors), index");
    list->add_option("archive", a->archive, "The .img file")->required();
    list->add_flag("--json", a->json, "An array of {index, name, offset, size}");
    list->callback([a, &io] { listEntries(*openImgArchive(a->archive), a->json, io); });

    auto* extract = img->add_subcommand("extract", "Extract entries (all when none are named) into a folder");
    extract->add_option("archive", a->archive, "The .img file")->required();
    extract->add_option("entries", a->names, "Entry names, or #N for the N-th entry");
    extract->add_option("-o,--output", a->folder, "Folder to write into");
    extract->callback([a] { extractEntries(*openImgArchive(a->archive), a->names, a->folder); });

    auto* add = img->add_subcommand("add", "Add files as new entries, named like the files");
    add->add_option("archive", a->archive, "The .img file")->required();
    add->add_option("files", a->files, "Files to add")->required();
    add->callback([a] {
        auto archive = openImgArchive(a->archive);
        for (const std::string& path : a->files) {
            FileStream source(path, FileStream::Mode::ReadOnly);
            archive->AddFile(fileNameOf(path), source);
        }
    });

    auto* replace = img->add_subcommand("replace", "Replace an entry's data with a file");
    replace->add_option("archive", a->archive, "The .img file")->required();
    replace->add_option("entry", a->entry, "Entry name, or #N")->required();
    replace->add_option("file", a->file, "The new data")->required();
    replace->callback([a] {
        auto archive = openImgArchive(a->archive);
        FileStream source(a->file, FileStream::Mode::ReadOnly);
        if (!archive->ReplaceFile(findEntry(*archive, a->entry), source))
            throw Error("Cannot replace \"" + a->entry + "\" in \"" + a->archive + "\"");
    });

    auto* rename = img->add_subcommand("rename", "Rename an entry (at most 24 characters are kept)");
    rename->add_option("archive", a->archive, "The .img file")->required();
    rename->add_option("entry", a->entry, "Entry name, or #N")->required();
    rename->add_option("name", a->newName, "The new name")->required();
    rename->callback([a] {
        auto archive = openImgArchive(a->archive);
        archive->RenameFile(findEntry(*archive, a->entry), a->newName);
    });

    auto* del = img->add_subcommand("delete", "Delete entries and save the directory (the data stays until rebuild)");
    del->add_option("archive", a->archive, "The .img file")->required();
    del->add_option("entries", a->names, "Entry names, or #N")->required();
    del->callback([a] {
        auto archive = openImgArchive(a->archive);
        for (const std::string& name : a->names)
            archive->MarkDeleted(findEntry(*archive, name));
        archive->SaveDirectory();
    });

    auto* rebuild = img->add_subcommand("rebuild", "Pack the archive so that no gaps remain");
    rebuild->add_option("archive", a->archive, "The .img file")->required();
    rebuild->callback([a] { openImgArchive(a->archive)->Rebuild(); });

    auto* create = img->add_subcommand("new", "Create an empty archive");
    create->add_option("archive", a->archive, "The .img file to create")->required();
    create->add_option("--version", a->version, "1 (.img and .dir) or 2 (one file)")
        ->check(CLI::IsMember({1, 2}));
    create->callback([a] { (void)createImgArchive(a->archive, a->version); });
}

} // namespace zelkit::cli
