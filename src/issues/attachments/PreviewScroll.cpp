#include "issues/attachments/PreviewScroll.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdlib>

namespace tarvo::issues {

int PreviewScroll::scaledHeight(int width, int height, int toWidth)
{
    if (width <= 0 || height <= 0 || toWidth <= 0)
        return 0;
    return int(qint64(height) * toWidth / width);
}

int PreviewScroll::range(int drawnHeight, int regionHeight)
{
    return std::max(0, drawnHeight - regionHeight);
}

int PreviewScroll::offsetAt(int position, int range)
{
    return -int(qint64(std::clamp(position, 0, 100)) * std::max(range, 0) / 100);
}

int PreviewScroll::positionAt(int offset, int range)
{
    if (range <= 0)
        return 0;
    return std::clamp(int(qint64(std::abs(offset)) * 100 / range), 0, 100);
}

int PreviewScroll::dragged(int offset, int delta, int range)
{
    return std::clamp(offset + delta, -std::max(range, 0), 0);
}

} // namespace tarvo::issues
