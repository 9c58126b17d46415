#include "formats/img/OpenImgArchive.h"

#include <sys/stat.h>

#include "core/Error.h"
#include "core/Text.h"
#include "formats/img/TIMGArchive.h"
#include "formats/img/TIMGV2Archive.h"

namespace zelkit {

namespace {
bool isFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

std::string imgDirectoryPathFor(const std::string& path)
{
    for (const char* ext : {".dir", ".DIR"}) {
        const std::string candidate = withExtension(path, ext);
        if (isFile(candidate))
            return candidate;
    }
    return {};
}

std::unique_ptr<ImgArchive> openImgArchive(const std::string& path)
{
    const std::string dir = imgDirectoryPathFor(path);
    if (!dir.empty())
        return std::make_unique<TIMGArchive>(path, false, dir);
    return std::make_unique<TIMGV2Archive>(path, false);
}

std::unique_ptr<ImgArchive> createImgArchive(const std::string& path, int version)
{
    if (version == 1)
        return std::make_unique<TIMGArchive>(path, true);
    if (version == 2)
        return std::make_unique<TIMGV2Archive>(path, true);
    throw Error("Unknown archive version " + std::to_string(version) + " (1 or 2)");
}

} // namespace zelkit
