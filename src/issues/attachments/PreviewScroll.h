#pragma once

namespace tarvo::issues {

// The arithmetic of a decoded picture shown in a region narrower or shorter than itself: the
// height it takes when scaled to a width, and the vertical offset that the scroll bar (0 to 100)
// and dragging move. A picture or region of no size never divides by zero.
class PreviewScroll final {
  public:
    // The height of a picture of width x height drawn toWidth wide; 0 for a picture of no width.
    static int scaledHeight(int width, int height, int toWidth);
    // How far the drawn picture may move up: its height less the region's (0 when it fits).
    static int range(int drawnHeight, int regionHeight);
    // The offset (0 or below) for a scroll bar position.
    static int offsetAt(int position, int range);
    // The scroll bar position for an offset; 0 when nothing scrolls.
    static int positionAt(int offset, int range);
    // The offset after dragging by delta pixels (down positive), kept between -range and 0.
    static int dragged(int offset, int delta, int range);
};

} // namespace tarvo::issues
