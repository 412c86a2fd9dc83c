#pragma once
// Brushes and pens. Stock objects live for the whole run and are never
// released; a brush or pen made by a caller belongs to that caller and must
// outlive its selection into a device context.

#include <cstdint>

#include "platform/graphics/color.h"

namespace platform {

struct Brush {
  Color color = kWhite;
  bool hollow = false;  // fills nothing
};

struct Pen {
  Color color = kBlack;
  std::int32_t width = 1;  // drawn inside the figure's edge
  bool hollow = false;     // draws nothing
};

// The handheld's numbers of its stock objects.
enum class StockBrush { kWhiteBrush = 0, kBlackBrush = 4, kHollowBrush = 5 };
enum class StockPen { kWhitePen = 6, kBlackPen = 7, kNullPen = 8 };

const Brush* GetStockBrush(StockBrush which);
const Pen* GetStockPen(StockPen which);

constexpr Brush SolidBrush(Color color) { return Brush{color, false}; }
constexpr Pen SolidPen(std::int32_t width, Color color) { return Pen{color, width < 1 ? 1 : width, false}; }

}  // namespace platform
