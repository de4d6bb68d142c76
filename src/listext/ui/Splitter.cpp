#include "listext/ui/Splitter.h"

#include <QEvent>
#include <QSplitterHandle>

#include <algorithm>

namespace tarvo::listext::ui {

Splitter::Splitter(int edgeBuffer, QObject *parent) : QObject(parent), m_edgeBuffer(edgeBuffer) {}

Splitter::~Splitter()
{
    for (const Bar &b : m_bars)
        if (b.splitter && b.splitter->handle(b.handleIndex))
            b.splitter->handle(b.handleIndex)->removeEventFilter(this);
}

int Splitter::addBar(QSplitter *splitter, bool redrawWhileMoving, int handleIndex)
{
    m_bars.push_back(Bar{splitter, handleIndex, redrawWhileMoving});
    const int handle = static_cast<int>(m_bars.size());
    splitter->setOpaqueResize(redrawWhileMoving);
    splitter->setChildrenCollapsible(false);
    if (QSplitterHandle *h = splitter->handle(handleIndex))
        h->installEventFilter(this);
    connect(splitter, &QSplitter::splitterMoved, this, [this, handle](int position, int index) {
        if (index == m_bars[handle - 1].handleIndex)
            trackMouse(handle, position);
    });
    return handle;
}

void Splitter::addControl(int bar, QWidget *control, Placement placement)
{
    QSplitter *s = this->bar(bar);
    if (!s || !control)
        return;
    const Bar &b = m_bars[bar - 1];
    const bool before = placement == Above || placement == Left;
    const int at = before ? b.handleIndex - 1 : b.handleIndex;
    if (s->indexOf(control) < 0)
        s->insertWidget(at, control);
    if (m_edgeBuffer > 0) {
        if (s->orientation() == Qt::Horizontal)
            control->setMinimumWidth(m_edgeBuffer);
        else
            control->setMinimumHeight(m_edgeBuffer);
    }
    if (QSplitterHandle *h = s->handle(b.handleIndex))
        h->installEventFilter(this);
}

QSplitter *Splitter::bar(int handle) const
{
    return handle >= 1 && handle <= barCount() ? m_bars[handle - 1].splitter.data() : nullptr;
}

int Splitter::barPosition(int bar) const
{
    QSplitter *s = this->bar(bar);
    if (!s)
        return 0;
    const QList<int> sizes = s->sizes();
    int position = 0;
    for (int i = 0; i < m_bars[bar - 1].handleIndex && i < sizes.size(); ++i)
        position += sizes.at(i) + (i > 0 ? s->handleWidth() : 0);
    return position;
}

void Splitter::moveBar(int bar, int position)
{
    QSplitter *s = this->bar(bar);
    if (!s || position == 0)
        return;
    QList<int> sizes = s->sizes();
    const int index = m_bars[bar - 1].handleIndex;
    if (index < 1 || index >= sizes.size())
        return;
    // The panes before the bar end at the position; the pane after it gives or takes the rest.
    int before = 0;
    for (int i = 0; i < index - 1; ++i)
        before += sizes.at(i) + (i > 0 ? s->handleWidth() : 0);
    const int total = sizes.at(index - 1) + sizes.at(index);
    const int first = std::clamp(position - before - (index > 1 ? s->handleWidth() : 0), 0, total);
    sizes[index - 1] = first;
    sizes[index] = total - first;
    s->setSizes(sizes);
    reposition(bar, ByProgram);
}

void Splitter::trackMouse(int bar, int position)
{
    if (m_bars[bar - 1].redraw)
        reposition(bar, DragStep);
    Q_EMIT barMoved(bar, position);
}

void Splitter::reposition(int bar, int mode)
{
    (void)bar;
    (void)mode;
}

int Splitter::barOfHandle(QObject *handle) const
{
    for (size_t i = 0; i < m_bars.size(); ++i)
        if (m_bars[i].splitter && m_bars[i].splitter->handle(m_bars[i].handleIndex) == handle)
            return static_cast<int>(i) + 1;
    return 0;
}

bool Splitter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_moving == 0) {
        if (const int b = barOfHandle(watched)) {
            m_moving = b;
            dragBegan(b);
        }
    } else if (event->type() == QEvent::MouseButtonRelease && m_moving != 0 &&
               barOfHandle(watched) == m_moving) {
        const int b = m_moving;
        m_moving = 0;
        // Let the splitter finish its own move first, then follow it.
        const bool handled = QObject::eventFilter(watched, event);
        reposition(b, DragEnd);
        dragEnded(b);
        Q_EMIT barReleased(b, barPosition(b));
        return handled;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvo::listext::ui
