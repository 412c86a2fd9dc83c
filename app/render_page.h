#pragma once
// --render: one page of an article drawn by the text view into a PNG file,
// with no window and without reading or writing any setting. The picture
// has the page's size times the scale asked for.

#include <string>

#include "app/command_line.h"

namespace quillory {

// 0 on success; otherwise 1 with `error` saying why.
int RenderPage(const RenderOptions& options, std::string& error);

}  // namespace quillory
