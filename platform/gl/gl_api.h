#pragma once

// OpenGL 3.3 core entry points. Mesa's GL library exports every core function, so they are linked
// directly; only optional newer ones are looked up at run time.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/glcorearb.h>
