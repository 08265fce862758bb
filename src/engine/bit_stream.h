#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bit-packed binary data, most significant bit first, as Smart Messaging
// lays out its ringing tones.
namespace tw {

class BitWriter {
public:
    // The low `bits` bits of `value` (at most 32), highest first.
    void Put(std::uint32_t value, unsigned bits);
    // Zero bits up to the next octet.
    void Align();
    // Every bit of `other`, in order.
    void Append(const BitWriter& other);
    std::size_t BitCount() const { return bitCount_; }
    // The bytes, the last filled up with zero bits.
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t bitCount_ = 0;
};

class BitReader {
public:
    // Thrown by Take when fewer bits are left than it needs.
    struct OutOfBits {};

    explicit BitReader(std::string_view bytes) : bytes_(bytes) {}
    // The next `bits` bits (at most 32) as a number, highest first.
    std::uint32_t Take(unsigned bits);
    // Skips to the next octet.
    void Align() { at_ = (at_ + 7) / 8 * 8; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;  // in bits
};

}  // namespace tw
