#pragma once

#include "scene/talvo_scene0001.h"

// The one scene of the programs, built before main runs.
extern CTalvoScene0001 Scene;
