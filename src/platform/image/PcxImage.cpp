#include "platform/image/PcxImage.h"

#include <QRgb>

#include <array>
#include <vector>

namespace tarvo::image {

namespace {

constexpr int HeaderSize = 128;
constexpr int PaletteSize = 768;

quint16 word(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes[at])) | quint16(quint16(quint8(bytes[at + 1])) << 8);
}

Error invalid(const char *why)
{
    return makeError(PcxImage::InvalidPicture,
                     QStringLiteral("Not a readable PCX picture: %1").arg(QLatin1String(why)));
}

// Expands the run-length (or plain) data into the scan lines, each `lineBytes` long.
Result<std::vector<quint8>> unpack(const QByteArray &bytes, qsizetype end, bool encoded, qint64 lineBytes,
                                   qint64 lines)
{
    std::vector<quint8> out;
    const qint64 total = lineBytes * lines;
    out.reserve(size_t(total));
    qsizetype at = HeaderSize;
    // A run may not carry over into the next scan line; the ones that do are cut at its end.
    for (qint64 line = 0; line < lines; ++line) {
        qint64 filled = 0;
        while (filled < lineBytes) {
            if (at >= end)
                return invalid("the picture data ends early");
            quint8 value = quint8(bytes[at++]);
            qint64 count = 1;
            if (encoded && (value & 0xC0) == 0xC0) {
                count = value & 0x3F;
                if (at >= end)
                    return invalid("the picture data ends early");
                value = quint8(bytes[at++]);
            }
            count = std::min(count, lineBytes - filled);
            out.insert(out.end(), size_t(count), value);
            filled += count;
        }
    }
    return out;
}

} // namespace

bool PcxImage::looksLikePcx(const QByteArray &bytes)
{
    return bytes.size() >= HeaderSize && quint8(bytes[0]) == 0x0A && quint8(bytes[2]) <= 1;
}

Result<QImage> PcxImage::decode(const QByteArray &bytes)
{
    if (!looksLikePcx(bytes))
        return invalid("no PCX header");
    const bool encoded = bytes[2] == 1;
    const int bits = quint8(bytes[3]);
    const int planes = quint8(bytes[65]);
    const qint64 width = qint64(word(bytes, 8)) - word(bytes, 4) + 1;
    const qint64 height = qint64(word(bytes, 10)) - word(bytes, 6) + 1;
    const qint64 bytesPerLine = word(bytes, 66);
    if (width <= 0 || height <= 0)
        return invalid("the picture has no size");
    if (width * height > MaxPixels)
        return invalid("the picture is too large");
    const bool mono = bits == 1 && planes == 1;
    const bool planar16 = bits == 1 && planes == 4;
    const bool packed16 = bits == 4 && planes == 1;
    const bool indexed256 = bits == 8 && planes == 1;
    const bool rgb = bits == 8 && planes == 3;
    if (!mono && !planar16 && !packed16 && !indexed256 && !rgb)
        return invalid("the colour format is not supported");
    if (bytesPerLine * 8 < width * bits)
        return invalid("the scan lines are shorter than the picture");

    // The 256-colour palette follows the picture data behind a marker byte.
    qsizetype dataEnd = bytes.size();
    std::array<QRgb, 256> palette{};
    if (indexed256) {
        if (bytes.size() < HeaderSize + PaletteSize + 1 ||
            quint8(bytes[bytes.size() - PaletteSize - 1]) != 0x0C)
            return invalid("the palette is missing");
        dataEnd = bytes.size() - PaletteSize - 1;
        for (int i = 0; i < 256; ++i) {
            const qsizetype p = dataEnd + 1 + 3 * i;
            palette[size_t(i)] = qRgb(quint8(bytes[p]), quint8(bytes[p + 1]), quint8(bytes[p + 2]));
        }
    } else if (mono) {
        palette[0] = qRgb(0, 0, 0);
        palette[1] = qRgb(255, 255, 255);
    } else if (!rgb) {
        for (int i = 0; i < 16; ++i) {
            const int p = 16 + 3 * i;
            palette[size_t(i)] = qRgb(quint8(bytes[p]), quint8(bytes[p + 1]), quint8(bytes[p + 2]));
        }
    }

    const qint64 lineBytes = bytesPerLine * planes;
    auto data = unpack(bytes, dataEnd, encoded, lineBytes, height);
    if (!data)
        return data.error();

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return invalid("no memory for the picture");
    const std::vector<quint8> &raw = *data;
    for (qint64 y = 0; y < height; ++y) {
        const quint8 *line = raw.data() + y * lineBytes;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            if (rgb) {
                out[x] = qRgb(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
            } else if (indexed256) {
                out[x] = palette[line[x]];
            } else if (packed16) {
                const quint8 b = line[x / 2];
                out[x] = palette[(x % 2 == 0) ? (b >> 4) : (b & 0x0F)];
            } else {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
                out[x] = palette[size_t(index)];
            }
        }
    }
    return image;
}

} // namespace tarvo::image
