#pragma once

namespace gfx {

// Sets the C library's heap up for a software rasteriser, once per process:
// - it keeps the memory the driver frees instead of giving it back to the system. The driver
//   allocates megabytes of scratch memory for each large draw and frees it afterwards; given
//   back, every page of it faults in again at the next draw, which on some virtual machines
//   costs more than the drawing;
// - blocks of any size come from the heap, and the next stretch of it is backed by 2 MB pages
//   where the system offers them: the tens of megabytes of vertices and textures made at
//   start-up then fault in a few dozen times instead of tens of thousands.
// Does nothing where the C library has no such settings.
void PrepareHeapForDriver();

}  // namespace gfx
