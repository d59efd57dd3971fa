#pragma once

// Sanitizer builds run several times slower; tests that play many whole shows play a sample of
// them there, and all of them in the normal build.
#ifdef BANNER_SANITIZED
inline constexpr int WholeShowScale = 5;
#else
inline constexpr int WholeShowScale = 1;
#endif
