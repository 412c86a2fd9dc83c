#pragma once
// The product's title: the main window's class name and title, the caption
// of its own message boxes, and the last part of its settings key.

namespace quillory {

constexpr char kProductTitle[] = "Quillory - 32";
constexpr char16_t kProductTitleWide[] = u"Quillory - 32";

}  // namespace quillory
