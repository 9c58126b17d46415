#include "support/FailingStream.h"

#include <algorithm>

#include "core/Error.h"

namespace zelkit::test {

void FailingStream::setSize(std::uint64_t newSize)
{
    if (mFailSetSize)
        throw Error("size change refused by the test");
    mInner.setSize(newSize);
}

void FailingStream::readAt(std::uint64_t pos, std::span<std::uint8_t> out) const
{
    if (out.size() > mReadBudget) {
        mReadBudget = 0;
        throw ReadError();
    }
    mReadBudget -= out.size();
    mInner.readAt(pos, out);
}

void FailingStream::writeAt(std::uint64_t pos, std::span<const std::uint8_t> data)
{
    if (data.size() > mWriteBudget) {
        mInner.writeAt(pos, data.first(static_cast<std::size_t>(mWriteBudget)));
        mWriteBudget = mFailOnce ? UINT64_MAX : 0;
        throw Error("write refused by the test: the disk is full");
    }
    mWriteBudget -= data.size();
    mInner.writeAt(pos, data);
}

} // namespace zelkit::test
