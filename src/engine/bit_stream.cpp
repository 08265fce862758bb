#include "engine/bit_stream.h"

namespace tw {

void BitWriter::Put(std::uint32_t value, unsigned bits) {
    for (unsigned i = bits; i-- > 0;) {
        if (bitCount_ % 8 == 0) bytes_ += '\0';
        if ((value >> i) & 1U) bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> (bitCount_ % 8)));
        ++bitCount_;
    }
}

void BitWriter::Align() {
    if (bitCount_ % 8 != 0) bitCount_ += 8 - bitCount_ % 8;
}

void BitWriter::Append(const BitWriter& other) {
    for (std::size_t i = 0; i < other.bitCount_; ++i)
        Put(static_cast<unsigned char>(other.bytes_[i / 8]) >> (7 - i % 8) & 1U, 1);
}

std::uint32_t BitReader::Take(unsigned bits) {
    if (bits > bytes_.size() * 8 - at_) throw OutOfBits{};
    std::uint32_t value = 0;
    for (unsigned i = 0; i < bits; ++i, ++at_)
        value = value << 1 | (static_cast<unsigned char>(bytes_[at_ / 8]) >> (7 - at_ % 8) & 1U);
    return value;
}

}  // namespace tw
