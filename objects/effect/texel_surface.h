#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// A locked square texture level of 32-bit ARGB texels whose rows lie Pitch bytes apart.
// Rows grow along the effect's +y axis, columns along +x.
class TexelSurface {
public:
    TexelSurface(void* bits, int32_t pitch, uint32_t size)
        : Bits(static_cast<uint8_t*>(bits)), Pitch(pitch), SizeInTexels(size) {}

    uint32_t Size() const { return SizeInTexels; }

    uint32_t Get(uint32_t row, uint32_t column) const {
        uint32_t value = 0;
        std::memcpy(&value, At(row, column), sizeof value);
        return value;
    }

    void Set(uint32_t row, uint32_t column, uint32_t value) const {
        std::memcpy(At(row, column), &value, sizeof value);
    }

private:
    uint8_t* At(uint32_t row, uint32_t column) const {
        return Bits + static_cast<ptrdiff_t>(row) * Pitch + static_cast<ptrdiff_t>(column) * 4;
    }

    uint8_t* Bits;
    ptrdiff_t Pitch;
    uint32_t SizeInTexels;
};
