#include "geometry/build_constants.h"

// The page plays banner's framing unless asked for banner_alt's; it picks one before it builds a
// show.
const BuildConstants* ProgramConstants = &BannerConstants;
