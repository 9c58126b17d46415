#pragma once
#include "core/ByteStream.h"

namespace zelkit {

// A file on disk, read and written with positioned system calls (other programs may share it).
class FileStream final : public ByteStream {
public:
    enum class Mode {
        ReadOnly,  // existing file, reading only
        ReadWrite, // existing file, reading and writing
        Create,    // new or truncated file, reading and writing
    };

    FileStream(std::string path, Mode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    [[nodiscard]] std::uint64_t size() const override;
    void setSize(std::uint64_t newSize) override;
    void readAt(std::uint64_t pos, std::span<std::uint8_t> out) const override;
    void writeAt(std::uint64_t pos, std::span<const std::uint8_t> data) override;
    void flush() override;
    [[nodiscard]] std::string name() const override { return mPath; }

    // After the file was renamed, messages should name its new path.
    void setPath(std::string path) { mPath = std::move(path); }

private:
    std::string mPath;
    int mFd = -1;
};

} // namespace zelkit
