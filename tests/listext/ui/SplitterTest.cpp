#include "listext/ui/Splitter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitterHandle>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tarvo::listext::ui;

namespace {

class RecordingSplitter final : public Splitter {
  public:
    using Splitter::Splitter;
    QStringList calls;

  protected:
    void dragBegan(int bar) override { calls << QStringLiteral("began %1").arg(bar); }
    void dragEnded(int bar) override { calls << QStringLiteral("ended %1").arg(bar); }
    void reposition(int bar, int mode) override
    {
        calls << QStringLiteral("reposition %1 %2").arg(bar).arg(mode);
    }
};

TEST(Splitter, PlacesBarsAndCallsTheHooksOfADrag)
{
    QWidget window;
    auto *vertical = new QSplitter(Qt::Horizontal, &window);
    vertical->setGeometry(0, 0, 400, 300);
    RecordingSplitter splitter(20);
    auto *left = new QLabel(QStringLiteral("tree"));
    auto *right = new QLabel(QStringLiteral("list"));
    vertical->addWidget(left);
    vertical->addWidget(right);
    const int bar = splitter.addBar(vertical, false);
    splitter.addControl(bar, left, Splitter::Left);
    splitter.addControl(bar, right, Splitter::Right);
    EXPECT_EQ(bar, 1);
    EXPECT_EQ(vertical->count(), 2);
    EXPECT_EQ(left->minimumWidth(), 20);
    window.show();

    const int designed = splitter.barPosition(bar);
    splitter.moveBar(bar, 0);
    EXPECT_EQ(splitter.barPosition(bar), designed);
    splitter.moveBar(bar, 150);
    EXPECT_EQ(splitter.barPosition(bar), 150);
    EXPECT_EQ(splitter.calls, QStringList{QStringLiteral("reposition 1 2")});

    splitter.calls.clear();
    int released = -1;
    QObject::connect(&splitter, &Splitter::barReleased, [&](int, int position) { released = position; });
    QSplitterHandle *handle = vertical->handle(1);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), handle->mapToGlobal(QPointF(1, 1)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &press);
    EXPECT_TRUE(splitter.isMoving());
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), handle->mapToGlobal(QPointF(1, 1)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &release);
    EXPECT_FALSE(splitter.isMoving());
    EXPECT_EQ(splitter.calls, (QStringList{QStringLiteral("began 1"), QStringLiteral("reposition 1 1"),
                                           QStringLiteral("ended 1")}));
    EXPECT_EQ(released, 150);
}

} // namespace
