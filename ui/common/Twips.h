#pragma once
// Window sizes and positions are given in twips; the screen has 15 twips to
// the pixel.

namespace ui {

namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / PerPixel;
}
constexpr int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

} // namespace Twips

} // namespace ui
