#include "core/FileStream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"

namespace zelkit {

FileStream::FileStream(std::string path, Mode mode) : mPath(std::move(path))
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::ReadOnly: flags |= O_RDONLY; break;
    case Mode::ReadWrite: flags |= O_RDWR; break;
    case Mode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    mFd = ::open(mPath.c_str(), flags, 0644);
    if (mFd < 0) {
        const int err = errno;
        throw mode == Mode::Create ? FileError::cannotCreate(mPath, err) : FileError::cannotOpen(mPath, err);
    }
    struct stat info {};
    if (::fstat(mFd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(mFd);
        mFd = -1;
        throw FileError::cannotOpen(mPath, EISDIR);
    }
}

FileStream::~FileStream()
{
    if (mFd >= 0)
        ::close(mFd);
}

std::uint64_t FileStream::size() const
{
    struct stat info {};
    if (::fstat(mFd, &info) != 0)
        throw FileError::failed("Cannot read the size of", mPath, errno);
    return static_cast<std::uint64_t>(info.st_size);
}

void FileStream::setSize(std::uint64_t newSize)
{
    if (::ftruncate(mFd, static_cast<off_t>(newSize)) != 0)
        throw FileError::failed("Cannot change the size of", mPath, errno);
}

void FileStream::readAt(std::uint64_t pos, std::span<std::uint8_t> out) const
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(mFd, out.data() + done, out.size() - done, static_cast<off_t>(pos + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw ReadError();
        done += static_cast<std::size_t>(got);
    }
}

void FileStream::writeAt(std::uint64_t pos, std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t put = ::pwrite(mFd, data.data() + done, data.size() - done, static_cast<off_t>(pos + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw FileError::failed("Cannot write to file", mPath, put < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(put);
    }
}

void FileStream::flush()
{
    if (::fsync(mFd) != 0 && errno != EINVAL && errno != EROFS)
        throw FileError::failed("Cannot flush file", mPath, errno);
}

} // namespace zelkit
