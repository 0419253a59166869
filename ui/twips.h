#pragma once

#include <QRect>

namespace tropolink {

// A control's place: left, top, width and height in twips from the top-left
// corner of the window's client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// 15 twips make one pixel at 96 dots per inch; Qt's high-DPI scaling maps
// these device-independent pixels onto other screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr QRect toPixels(TwipRect r) {
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel, r.height / kTwipsPerPixel};
}

}  // namespace tropolink
