#pragma once
#include "core/ByteStream.h"

namespace zelkit {

// Bytes held in memory: fixtures, extracted entries, dictionaries read whole.
class MemoryStream final : public ByteStream {
public:
    explicit MemoryStream(std::vector<std::uint8_t> bytes = {}, std::string name = "memory")
        : mBytes(std::move(bytes)), mName(std::move(name))
    {
    }

    [[nodiscard]] std::uint64_t size() const override { return mBytes.size(); }
    void setSize(std::uint64_t newSize) override;
    void readAt(std::uint64_t pos, std::span<std::uint8_t> out) const override;
    void writeAt(std::uint64_t pos, std::span<const std::uint8_t> data) override;
    void flush() override {}
    [[nodiscard]] std::string name() const override { return mName; }

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return mBytes; }
    [[nodiscard]] std::vector<std::uint8_t>& bytes() { return mBytes; }

private:
    std::vector<std::uint8_t> mBytes;
    std::string mName;
};

} // namespace zelkit
