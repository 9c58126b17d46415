#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/ByteStream.h"
#include "core/FileStream.h"

namespace zelkit {

// A whole new version of a storage's bytes, being written. Destroying it uncommitted discards it.
class PendingReplacement {
public:
    virtual ~PendingReplacement() = default;
    [[nodiscard]] virtual ByteStream& stream() = 0;
    // From now on the storage's stream() holds the new bytes.
    virtual void commit() = 0;
};

// Where a document's bytes live: an open stream, and the means to swap in a rewritten version.
// Archives edit stream() in place and use a replacement for operations that rewrite everything.
class Storage {
public:
    virtual ~Storage() = default;
    [[nodiscard]] virtual ByteStream& stream() = 0;
    [[nodiscard]] virtual std::unique_ptr<PendingReplacement> beginReplacement() = 0;
};

// A file on disk; replacements are written beside it and renamed over it.
class FileStorage final : public Storage {
public:
    FileStorage(const std::string& path, FileStream::Mode mode);
    [[nodiscard]] ByteStream& stream() override { return *mStream; }
    [[nodiscard]] std::unique_ptr<PendingReplacement> beginReplacement() override;

private:
    friend class FileReplacement;
    std::unique_ptr<FileStream> mStream;
};

// Any stream, usually in memory; replacements come from a factory (tests pass failing streams).
class StreamStorage final : public Storage {
public:
    using Factory = std::function<std::unique_ptr<ByteStream>()>;
    explicit StreamStorage(std::unique_ptr<ByteStream> stream, Factory replacementFactory = {});
    [[nodiscard]] ByteStream& stream() override { return *mStream; }
    [[nodiscard]] std::unique_ptr<PendingReplacement> beginReplacement() override;

private:
    friend class StreamReplacement;
    std::unique_ptr<ByteStream> mStream;
    Factory mFactory;
};

} // namespace zelkit
