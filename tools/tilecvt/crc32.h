#pragma once

#include <cstdint>
#include <span>

namespace tilecvt {

// The common reflected CRC-32 (polynomial 0xEDB88320, start 0xFFFFFFFF,
// final complement), as the aPLib safe header stores it.
uint32_t Crc32(std::span<const uint8_t> data);

}  // namespace tilecvt
