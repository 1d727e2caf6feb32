/* stb_image's implementation for the PNG benchmark, built from the header alone. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_image.h"
