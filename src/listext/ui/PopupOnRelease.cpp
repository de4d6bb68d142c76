#include "listext/ui/PopupOnRelease.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tarvo::listext::ui {

PopupOnRelease::PopupOnRelease(QWidget *viewport) : QObject(viewport)
{
    viewport->installEventFilter(this);
}

bool PopupOnRelease::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            m_pressed = true;
        break;
    case QEvent::ContextMenu:
        if (m_pressed && !m_sending &&
            static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Mouse)
            return true;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *release = static_cast<QMouseEvent *>(event);
        if (release->button() != Qt::RightButton || !m_pressed)
            break;
        m_pressed = false;
        QContextMenuEvent menu(QContextMenuEvent::Mouse, release->position().toPoint(),
                               release->globalPosition().toPoint(), release->modifiers());
        m_sending = true;
        QCoreApplication::sendEvent(watched, &menu);
        m_sending = false;
        break;
    }
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::Leave:
        // A drag ends the press without a release reaching the list.
        m_pressed = false;
        break;
    default:
        break;
    }
    return false;
}

} // namespace tarvo::listext::ui
