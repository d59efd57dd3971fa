#include "app/build_constants.h"

const BuildConstants* ProgramConstants = &BannerConstants;
