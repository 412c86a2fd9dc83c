#pragma once
// Pictures drawn pixel by pixel (toolbar buttons, glyphs, the keyboard),
// enlarged for a screen of higher density. Doubling each pixel turns every
// slanted edge into coarse steps; the pixel-art rules used here (each
// output pixel copies a neighbour where two neighbours agree across a
// corner) keep straight edges straight and smooth the steps, while copying
// colours only: a two-colour picture stays two-colour, so a one-bit
// bitmap still takes its context's text and background colours.

#include "platform/graphics/device_scale.h"
#include "platform/graphics/framebuffer.h"

namespace platform {

// `source`, a picture of `logical` pixels of the program drawn at a whole
// scale (source.scale(): 1, or 2 for a picture drawn at twice the size), at
// `scale`: enlarged by doubling or tripling as above, then brought to a
// scale between whole steps by taking the nearest pixel.
Framebuffer ScalePicture(const Framebuffer& source, Size logical, DeviceScale scale);

}  // namespace platform
