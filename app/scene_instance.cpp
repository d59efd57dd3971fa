#include "app/scene_instance.h"

CTalvoScene0001 Scene;
