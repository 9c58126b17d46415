#pragma once
#include <memory>
#include <span>
#include <string>

#include "core/FileStream.h"

namespace zelkit {

// Writes a whole new version of a file beside it and renames it over the target only when
// complete, so a failure part-way leaves the old file as it was.
class AtomicFile {
public:
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile(); // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    [[nodiscard]] FileStream& stream() { return *mStream; }
    [[nodiscard]] const std::string& targetPath() const { return mTarget; }

    // Flushes the new content and renames it over the target. Returns the open stream, which now
    // names the target, for callers that go on working with the file.
    std::unique_ptr<FileStream> commit();

private:
    std::string mTarget;
    std::string mTempPath;
    std::unique_ptr<FileStream> mStream;
};

// Replaces the file at path with bytes, atomically.
void saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace zelkit
