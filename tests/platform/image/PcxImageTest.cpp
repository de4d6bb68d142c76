#include "platform/image/PcxImage.h"

#include <QColor>

#include <gtest/gtest.h>
#include <vector>

using tarvo::image::PcxImage;

namespace {

// A PCX header for a picture of that size and format.
QByteArray header(int width, int height, int bits, int planes, int bytesPerLine, bool encoded = true)
{
    QByteArray h(128, '\0');
    h[0] = char(0x0A);
    h[1] = 5;
    h[2] = encoded ? 1 : 0;
    h[3] = char(bits);
    h[8] = char((width - 1) & 0xFF);
    h[9] = char((width - 1) >> 8);
    h[10] = char((height - 1) & 0xFF);
    h[11] = char((height - 1) >> 8);
    h[65] = char(planes);
    h[66] = char(bytesPerLine & 0xFF);
    h[67] = char(bytesPerLine >> 8);
    return h;
}

// Run-length encodes one scan line as the format does: runs of up to 63, and single bytes of
// 0xC0 and above as a run of one.
QByteArray encodeLine(const std::vector<quint8> &line)
{
    QByteArray out;
    for (size_t i = 0; i < line.size();) {
        size_t run = 1;
        while (i + run < line.size() && line[i + run] == line[i] && run < 63)
            ++run;
        if (run > 1 || line[i] >= 0xC0)
            out += char(0xC0 | run);
        out += char(line[i]);
        i += run;
    }
    return out;
}

// A 5 x 3 picture of 256 colours: palette entry i is (i, 255 - i, 7).
QByteArray indexedPicture()
{
    QByteArray file = header(5, 3, 8, 1, 6);
    for (int y = 0; y < 3; ++y)
        file += encodeLine({quint8(200 + y), quint8(200 + y), quint8(200 + y), 1, 2, 0});
    file += char(0x0C);
    for (int i = 0; i < 256; ++i) {
        file += char(i);
        file += char(255 - i);
        file += char(7);
    }
    return file;
}

// A 4 x 2 picture in three colour planes: red rises along the row, green is the row, blue fixed.
QByteArray rgbPicture()
{
    QByteArray file = header(4, 2, 8, 3, 4);
    for (int y = 0; y < 2; ++y) {
        std::vector<quint8> line;
        for (int x = 0; x < 4; ++x)
            line.push_back(quint8(60 * x));
        line.insert(line.end(), 4, quint8(y == 0 ? 10 : 250));
        line.insert(line.end(), 4, quint8(0xC5));
        file += encodeLine(line);
    }
    return file;
}

TEST(PcxImage, DecodesTheColoursOfA256ColourPicture)
{
    const auto image = PcxImage::decode(indexedPicture());
    ASSERT_TRUE(image.ok()) << image.error().message.toStdString();
    ASSERT_EQ(image->size(), QSize(5, 3));
    EXPECT_EQ(QColor(image->pixel(0, 0)), QColor(200, 55, 7));
    EXPECT_EQ(QColor(image->pixel(2, 2)), QColor(202, 53, 7));
    EXPECT_EQ(QColor(image->pixel(3, 1)), QColor(1, 254, 7));
    EXPECT_EQ(QColor(image->pixel(4, 0)), QColor(2, 253, 7));
}

TEST(PcxImage, DecodesA24BitRunLengthPicture)
{
    const auto image = PcxImage::decode(rgbPicture());
    ASSERT_TRUE(image.ok()) << image.error().message.toStdString();
    ASSERT_EQ(image->size(), QSize(4, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(QColor(image->pixel(x, y)), QColor(60 * x, y == 0 ? 10 : 250, 0xC5)) << x << "," << y;
}

TEST(PcxImage, ReadsAHandWrittenMonochromeFile)
{
    // 10 x 2, two bytes a line, unencoded: a checker of set and clear bits.
    QByteArray file = header(10, 2, 1, 1, 2, false);
    file += QByteArray::fromHex("AA40"
                                "55C0");
    const auto image = PcxImage::decode(file);
    ASSERT_TRUE(image.ok()) << image.error().message.toStdString();
    EXPECT_EQ(QColor(image->pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(image->pixel(1, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(image->pixel(9, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(image->pixel(0, 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(image->pixel(9, 1)), QColor(Qt::white));
}

// Damaged files: each must be refused with an error, never read past its end.
struct DamagedCase {
    const char *name;
    QByteArray (*make)();
};

const DamagedCase damagedCases[] = {
    {"Empty", [] { return QByteArray(); }},
    {"HeaderOnly", [] { return header(4, 2, 8, 3, 4); }},
    {"TruncatedData", [] { return rgbPicture().left(rgbPicture().size() - 3); }},
    {"RunCutAfterItsCount", []() -> QByteArray { return header(4, 1, 8, 3, 4) + QByteArray(1, char(0xCC)); }},
    {"NoPaletteMarker", [] { return indexedPicture().left(indexedPicture().size() - 1); }},
    {"WrongMaker",
     [] {
         QByteArray f = rgbPicture();
         f[0] = 'P';
         return f;
     }},
    {"NegativeSize",
     [] {
         QByteArray f = rgbPicture();
         f[4] = 9;
         return f;
     }},
    {"LinesTooShort",
     [] {
         QByteArray f = rgbPicture();
         f[66] = 1;
         return f;
     }},
    {"UnknownFormat",
     [] {
         QByteArray f = rgbPicture();
         f[3] = 2;
         return f;
     }},
    {"HugeFromTinyFile",
     []() -> QByteArray { return header(65535, 65535, 8, 3, 65535) + QByteArray(4, char(0xFF)); }},
};

class DamagedPcx : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedPcx, IsAnError)
{
    const auto image = PcxImage::decode(GetParam().make());
    ASSERT_FALSE(image.ok());
    EXPECT_EQ(image.error().code, PcxImage::InvalidPicture);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedPcx, ::testing::ValuesIn(damagedCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
