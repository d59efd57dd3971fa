#include "app/build_constants.h"

const BuildConstants* ProgramConstants = &BannerAltConstants;
