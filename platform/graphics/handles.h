#pragma once
// Opaque handles of the platform's objects. Callers only compare and pass
// them; what they point to belongs to the platform.

namespace platform {

struct Window;
using WindowHandle = Window*;

}  // namespace platform

namespace platform {

class Bitmap;
using BitmapHandle = Bitmap*;

}  // namespace platform
