#include "core/Storage.h"

#include "core/AtomicFile.h"
#include "core/MemoryStream.h"

namespace zelkit {

class FileReplacement final : public PendingReplacement {
public:
    explicit FileReplacement(FileStorage& owner)
        : mOwner(owner), mFile(owner.mStream->name())
    {
    }
    ByteStream& stream() override { return mFile.stream(); }
    void commit() override { mOwner.mStream = mFile.commit(); }

private:
    FileStorage& mOwner;
    AtomicFile mFile;
};

class StreamReplacement final : public PendingReplacement {
public:
    StreamReplacement(StreamStorage& owner, std::unique_ptr<ByteStream> fresh)
        : mOwner(owner), mFresh(std::move(fresh))
    {
    }
    ByteStream& stream() override { return *mFresh; }
    void commit() override
    {
        mFresh->flush();
        mOwner.mStream = std::move(mFresh);
    }

private:
    StreamStorage& mOwner;
    std::unique_ptr<ByteStream> mFresh;
};

FileStorage::FileStorage(const std::string& path, FileStream::Mode mode)
    : mStream(std::make_unique<FileStream>(path, mode))
{
}

std::unique_ptr<PendingReplacement> FileStorage::beginReplacement()
{
    return std::make_unique<FileReplacement>(*this);
}

StreamStorage::StreamStorage(std::unique_ptr<ByteStream> stream, Factory replacementFactory)
    : mStream(std::move(stream)), mFactory(std::move(replacementFactory))
{
}

std::unique_ptr<PendingReplacement> StreamStorage::beginReplacement()
{
    auto fresh = mFactory ? mFactory() : std::make_unique<MemoryStream>(std::vector<std::uint8_t>{}, mStream->name());
    return std::make_unique<StreamReplacement>(*this, std::move(fresh));
}

} // namespace zelkit
