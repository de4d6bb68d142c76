#include "issues/attachments/PreviewKind.h"
#include "issues/attachments/PreviewScroll.h"

#include <gtest/gtest.h>

namespace tarvo::issues {

namespace {

struct KindCase {
    const char *name;
    PreviewKind kind;
};

const KindCase kindCases[] = {
    {"C:\\pics\\logo.ico", PreviewKind::WindowImage},
    {"anim.Gif", PreviewKind::WindowImage},
    {"Clipboard.png", PreviewKind::LibraryImage},
    {"photo.jpeg", PreviewKind::LibraryImage},
    {"photo.JPG", PreviewKind::LibraryImage},
    {"scan.pcx", PreviewKind::LibraryImage},
    {"readme.txt", PreviewKind::Text},
    {"page.html", PreviewKind::Html},
    {"page.htm.pdf", PreviewKind::Html},
    {"notes.txt.pdf", PreviewKind::Text},
    {"manual.pdf", PreviewKind::Pdf},
    {"scan.tif", PreviewKind::None},
    {"", PreviewKind::None},
};

class PreviewKindOf : public ::testing::TestWithParam<KindCase> {};

TEST_P(PreviewKindOf, FollowsTheFirstExtensionTestedInTheName)
{
    EXPECT_EQ(previewKindOf(QString::fromLatin1(GetParam().name)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Names, PreviewKindOf, ::testing::ValuesIn(kindCases));

TEST(PreviewScroll, APictureOrRegionOfNoSizeNeverDividesByZero)
{
    EXPECT_EQ(PreviewScroll::scaledHeight(0, 100, 300), 0);
    EXPECT_EQ(PreviewScroll::scaledHeight(100, 0, 300), 0);
    EXPECT_EQ(PreviewScroll::scaledHeight(100, 50, 0), 0);
    EXPECT_EQ(PreviewScroll::positionAt(-40, 0), 0);
    EXPECT_EQ(PreviewScroll::offsetAt(50, 0), 0);
    EXPECT_EQ(PreviewScroll::dragged(0, -30, 0), 0);
}

TEST(PreviewScroll, ScalesToTheRegionWidthAndScrollsWithinThePicture)
{
    // A narrow picture is stretched up to the region width.
    EXPECT_EQ(PreviewScroll::scaledHeight(100, 400, 250), 1000);
    // Huge pictures do not overflow.
    EXPECT_EQ(PreviewScroll::scaledHeight(60000, 60000, 60000), 60000);
    const int range = PreviewScroll::range(1000, 300);
    EXPECT_EQ(range, 700);
    EXPECT_EQ(PreviewScroll::range(200, 300), 0);
    EXPECT_EQ(PreviewScroll::offsetAt(0, range), 0);
    EXPECT_EQ(PreviewScroll::offsetAt(50, range), -350);
    EXPECT_EQ(PreviewScroll::offsetAt(100, range), -700);
    EXPECT_EQ(PreviewScroll::offsetAt(130, range), -700);
    EXPECT_EQ(PreviewScroll::positionAt(-350, range), 50);
    // Dragging down at the top changes nothing; dragging up stops at the bottom edge.
    EXPECT_EQ(PreviewScroll::dragged(0, 25, range), 0);
    EXPECT_EQ(PreviewScroll::dragged(-650, -90, range), -700);
    EXPECT_EQ(PreviewScroll::dragged(-300, 40, range), -260);
}

} // namespace

} // namespace tarvo::issues
