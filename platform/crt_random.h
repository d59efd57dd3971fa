#pragma once

#include <cstdint>

// The process's one pseudo-random generator, the classic C runtime recurrence. The pictures
// depend on this exact sequence, so nothing else may stand in for it.
namespace crt {

inline constexpr int RandMax = 0x7FFF;

// state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30 of the new state.
int rand();
// Sets the state; the state is 1 at program start.
void srand(uint32_t seed);
// The current state, for tests and tools that save and restore the sequence.
uint32_t RandomState();

}  // namespace crt
