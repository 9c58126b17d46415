#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/Error.h"

namespace zelkit {

namespace {
mode_t modeForNewFile(const std::string& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

AtomicFile::AtomicFile(std::string targetPath) : mTarget(std::move(targetPath))
{
    std::vector<char> pattern(mTarget.begin(), mTarget.end());
    const std::string suffix = ".zelkit-XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw FileError::cannotCreate(mTarget, errno);
    ::fchmod(fd, modeForNewFile(mTarget));
    ::close(fd);
    mTempPath = pattern.data();
    try {
        mStream = std::make_unique<FileStream>(mTempPath, FileStream::Mode::ReadWrite);
    } catch (...) {
        ::unlink(mTempPath.c_str());
        throw;
    }
}

AtomicFile::~AtomicFile()
{
    if (!mTempPath.empty()) {
        mStream.reset();
        ::unlink(mTempPath.c_str());
    }
}

std::unique_ptr<FileStream> AtomicFile::commit()
{
    mStream->flush();
    if (std::rename(mTempPath.c_str(), mTarget.c_str()) != 0)
        throw FileError::cannotCreate(mTarget, errno);
    mTempPath.clear();
    mStream->setPath(mTarget);
    return std::move(mStream);
}

void saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    AtomicFile file(path);
    file.stream().writeAt(0, bytes);
    file.commit();
}

} // namespace zelkit
