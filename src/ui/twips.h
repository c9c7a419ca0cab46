#pragma once

#include <QRect>

namespace corvane::ui {

// The layout is drawn in twips; 15 twips are one pixel at 96 dpi. Qt
// scales these logical pixels on high-dpi screens.
constexpr int Px(int twips) { return twips / 15; }

inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace corvane::ui
