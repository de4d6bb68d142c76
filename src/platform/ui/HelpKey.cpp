#include "platform/ui/HelpKey.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tarvo::ui {

namespace {

bool isHelpKey(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier;
}

} // namespace

HelpKey::HelpKey(QWidget *window, std::function<void()> open) : QObject(window), m_open(std::move(open))
{
    window->installEventFilter(this);
}

HelpKey *HelpKey::bind(QWidget *window, QAbstractButton *button, std::function<void()> open)
{
    auto *key = new HelpKey(window, std::move(open));
    if (button)
        connect(button, &QAbstractButton::clicked, key, [key]() { key->m_open(); });
    return key;
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    // A key the focused control does not take reaches its window; claiming F1 there keeps it from
    // becoming the frame's shortcut.
    if (event->type() == QEvent::ShortcutOverride && isHelpKey(event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && isHelpKey(event)) {
        m_open();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvo::ui
