#pragma once

// The OpenGL entry points: OpenGL 3.3 core on the desktop, OpenGL ES 3.0 (WebGL 2 in the browser)
// where BANNER_GL_ES is defined. Mesa's GL library and the browser's runtime export every core
// function, so they are linked directly; only optional newer ones are looked up at run time.
#ifdef BANNER_GL_ES
#include <GLES3/gl3.h>
#else
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/glcorearb.h>
#endif

// Whether GL has an error to report. WebGL answers only after a round trip to the browser's GPU
// process, which costs more than what is being checked; there a resource it could not make shows
// as a lost context instead.
inline bool GlReportsError() {
#ifdef BANNER_GL_ES
    return false;
#else
    return glGetError() != GL_NO_ERROR;
#endif
}
