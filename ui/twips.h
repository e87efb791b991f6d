#pragma once

namespace ui {

// The windows are designed in twips; 15 make one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace ui
