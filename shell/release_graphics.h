#pragma once

// Releases the backdrop vertex buffer, the graphics device and the graphics system, each if it
// exists, in that order, and forgets them.
void ReleaseGraphics();
