#include "listext/ui/GraphWindow.h"

#include "listext/ColourNames.h"
#include "listext/MemoryRowSource.h"
#include "listext/ui/ColourValue.h"
#include "listext/ui/TextContrast.h"
#include "platform/runtime/IniFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;
using namespace tarvo::listext::ui;

namespace {

// The labels on the bars stay readable in every colour the graph options offer, whatever the
// user's font colour.
class BarColours : public testing::TestWithParam<const char *> {};

TEST_P(BarColours, LabelsStandOutFromTheBar)
{
    const std::optional<int> value = ColourNames::value(QString::fromLatin1(GetParam()));
    ASSERT_TRUE(value);
    const QColor bar = colourOf(*value);
    for (const QColor font : {QColor(Qt::black), QColor(Qt::white), QColor(Qt::darkBlue), QColor(Qt::gray)})
        EXPECT_GE(contrastRatio(bar, readableTextColour(bar, font)), 4.5) << font.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Options, BarColours,
                         testing::Values("Maroon", "Olive", "Navy", "Silver", "Purple", "Green", "Teal",
                                         "Gray", "Black", "Red", "Blue", "Yellow", "White"));

TEST(TextContrast, KeepsTheUsersColourWhereItIsReadable)
{
    EXPECT_EQ(readableTextColour(Qt::white, Qt::darkBlue), QColor(Qt::darkBlue));
    EXPECT_EQ(readableTextColour(QColor(0, 0, 128), Qt::black), QColor(Qt::white));
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

// A graph of two values over navy bars in the default black font.
class NavyGraph : public testing::Test {
  protected:
    void SetUp() override
    {
        auto ini = std::make_unique<IniFile>(m_dir.file(QStringLiteral("User.ini")));
        for (int i = 1; i <= 8; ++i)
            ASSERT_TRUE(ini->setValue(QStringLiteral("XplorePreferences"),
                                      QStringLiteral("Col%1").arg(i, 2, 10, QLatin1Char('0')),
                                      QStringLiteral("Navy")));
        MemoryRowSource source({QStringLiteral("F")}, {{QStringLiteral("Waiting for customer")},
                                                       {QStringLiteral("Waiting for customer")},
                                                       {QStringLiteral("Closed")}});
        auto rows =
            tableRows(source, {{QStringLiteral("F"), QStringLiteral("Status"), QStringLiteral("@s30")}});
        auto data = GraphData::count(*rows, 0, ColumnKind::Text, QStringLiteral("Status"));
        ASSERT_TRUE(data.ok());
        m_window = std::make_unique<GraphWindow>(std::move(*data), QStringLiteral("Status"), QString(),
                                                 std::move(ini));
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window->resize(900, 600);
    }

    test::TempDir m_dir;
    test::ScriptedMessages m_messages;
    std::unique_ptr<GraphWindow> m_window;
};

TEST_F(NavyGraph, TheValueOnTheTallBarIsWrittenInALightColour)
{
    m_window->show();
    QWidget *chart = m_window->findChild<QWidget *>(QStringLiteral("Chart"));
    ASSERT_NE(chart, nullptr);
    const QImage image = chart->grab().toImage();
    const GraphBarLayout l = graphBarLayout(chart->width(), 2);
    const int base = chart->height() - 50;
    // The tall bar of "Waiting for customer" is the second; its label runs up from its base.
    const QRect bar(l.firstX + l.barWidth + l.gap, 30 + 2, l.barWidth, base - 30);
    int light = 0;
    for (int y = bar.top(); y < bar.bottom(); ++y)
        for (int x = bar.left(); x < bar.right(); ++x)
            if (QColor(image.pixel(x, y)).lightness() > 160)
                ++light;
    EXPECT_GT(light, 50) << "the label on the navy bar is not drawn in a light colour";
}

TEST_F(NavyGraph, OpensWithItsOwnTitleAndOutputSaysWhereThePictureWent)
{
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Graph on Status"));
    m_window->show();
    QGuiApplication::clipboard()->clear();
    m_window->copyToClipboard();
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("The picture of the graph is on the clipboard.")});
}

TEST(GraphWindowPlace, MostOfTheScreenCentredOnIt)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    const QRect placed = GraphWindow::normalGeometry(screen);
    EXPECT_TRUE(available.contains(placed));
    EXPECT_GE(placed.width(), std::min(800, available.width()));
    EXPECT_GE(placed.height(), std::min(560, available.height()));
    EXPECT_LE((placed.center() - available.center()).manhattanLength(), 2);
}

} // namespace
