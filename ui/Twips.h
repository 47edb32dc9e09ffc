#pragma once

#include <QString>

class QWidget;
class QFont;

namespace ui {

// Positions and sizes are written in twips: 15 twips make one pixel.
constexpr int kTwipsPerPixel = 15;
inline int px(int twips)
{
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}
inline int twips(int pixels) { return pixels * kTwipsPerPixel; }

void place(QWidget* widget, int left, int top, int width, int height);

// The fonts of the windows; the classic Windows faces are mapped to metric-compatible ones.
QFont sansSerif(double points, bool bold = false);
QFont arial(double points, bool bold = false, bool italic = false);

}  // namespace ui
