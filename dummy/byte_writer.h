// Little-endian output for the file formats the resources are stored in.
#pragma once

#include <cstdint>
#include <vector>

namespace dummy {

class ByteWriter {
public:
    void U8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 0xFF);
        U8(v >> 8 & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads the little-endian values back (for checks of written files).
inline std::uint32_t ReadU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return at + 2 <= b.size() ? static_cast<std::uint32_t>(b[at] | b[at + 1] << 8) : 0;
}
inline std::uint32_t ReadU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return at + 4 <= b.size() ? ReadU16(b, at) | ReadU16(b, at + 2) << 16 : 0;
}

}  // namespace dummy
