#include "geometry/build_constants.h"

const BuildConstants* ProgramConstants = &BannerAltConstants;
