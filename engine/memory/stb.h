// The image decoder and encoder from Debian's libstb-dev; their definitions
// are compiled once, in stb_implementation.c.
#pragma once

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
