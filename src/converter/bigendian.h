#pragma once

#include <cstdint>

namespace qv::converter {

// PNG and zlib store their numbers most significant byte first.
inline void putBigEndian16(std::uint16_t value, std::uint8_t* at) {
    at[0] = std::uint8_t(value >> 8);
    at[1] = std::uint8_t(value);
}

inline void putBigEndian32(std::uint32_t value, std::uint8_t* at) {
    at[0] = std::uint8_t(value >> 24);
    at[1] = std::uint8_t(value >> 16);
    at[2] = std::uint8_t(value >> 8);
    at[3] = std::uint8_t(value);
}

}  // namespace qv::converter
