#pragma once

namespace gfx {

// Makes the C library keep the memory the driver frees instead of giving it back to the system.
// A software rasteriser allocates megabytes of scratch memory for each large draw and frees it
// afterwards; given back, every page of it faults in again at the next draw, which on some
// virtual machines costs more than drawing. Kept, each draw reuses the pages of the last one.
// Process-wide and idempotent; does nothing where the C library has no such settings.
void KeepDriverScratchMemory();

}  // namespace gfx
