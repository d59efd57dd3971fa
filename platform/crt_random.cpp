#include "platform/crt_random.h"

namespace crt {
namespace {
uint32_t State = 1;
}

int rand() {
    State = State * 214013u + 2531011u;
    return static_cast<int>((State >> 16) & 0x7FFFu);
}

void srand(uint32_t seed) { State = seed; }

uint32_t RandomState() { return State; }

}  // namespace crt
