#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QImage>

namespace tarvo::image {

// Reads PCX pictures (ZSoft, run-length or plain): 1-bit monochrome, 16 colours in one 4-bit plane or
// four 1-bit planes, 256 colours with the palette at the end, and 24-bit RGB in three planes.
// A damaged or truncated file is an error, never a partial picture.
class PcxImage final {
  public:
    // The error code of a file that is no PCX picture or that ends too early.
    static constexpr int InvalidPicture = 90;
    // Pictures larger than this many pixels are refused rather than allocated.
    static constexpr qint64 MaxPixels = qint64(1) << 28;

    static Result<QImage> decode(const QByteArray &bytes);
    // True when the bytes begin like a PCX picture.
    static bool looksLikePcx(const QByteArray &bytes);
};

} // namespace tarvo::image
