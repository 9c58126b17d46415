#pragma once
#include <cstdint>
#include <memory>

#include "core/MemoryStream.h"

namespace zelkit::test {

// A memory stream that fails on purpose: after a byte budget of writes or reads is spent, the
// next write (or read) throws, having written only the part that fit, as a full disk would.
class FailingStream final : public ByteStream {
public:
    explicit FailingStream(std::vector<std::uint8_t> bytes = {}, std::string name = "failing")
        : mInner(std::move(bytes), std::move(name))
    {
    }

    // Writes fail once this many more bytes have been written; with once, only that one write
    // fails (a passing fault), else every later write too (a full disk).
    void failWritesAfter(std::uint64_t bytes, bool once = false)
    {
        mWriteBudget = bytes;
        mFailOnce = once;
    }
    // Reads fail once this many more bytes have been read.
    void failReadsAfter(std::uint64_t bytes) { mReadBudget = bytes; }
    void failSetSize(bool fail) { mFailSetSize = fail; }

    [[nodiscard]] std::uint64_t size() const override { return mInner.size(); }
    void setSize(std::uint64_t newSize) override;
    void readAt(std::uint64_t pos, std::span<std::uint8_t> out) const override;
    void writeAt(std::uint64_t pos, std::span<const std::uint8_t> data) override;
    void flush() override {}
    [[nodiscard]] std::string name() const override { return mInner.name(); }

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return mInner.bytes(); }

private:
    MemoryStream mInner;
    std::uint64_t mWriteBudget = UINT64_MAX;
    mutable std::uint64_t mReadBudget = UINT64_MAX;
    bool mFailSetSize = false;
    bool mFailOnce = false;
};

} // namespace zelkit::test
