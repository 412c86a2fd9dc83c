#pragma once
// Font files named explicitly, so that measurements and images are the same
// on every machine that has the project's packages installed.

#include "platform/graphics/font.h"

namespace quillory_test {

constexpr char kDavidMedium[] = "/usr/share/fonts/truetype/culmus/DavidCLM-Medium.otf";
constexpr char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

inline platform::FontRequest RequestOfHeight(int height, int weight = 400) {
  platform::FontRequest request;
  request.height = height;
  request.weight = weight;
  return request;
}

}  // namespace quillory_test
