#include "platform/ui/WindowRights.h"

#include "platform/ui/WindowManager.h"

#include <QAction>
#include <QEvent>
#include <QSet>
#include <QWidget>

namespace tarvo::ui {

namespace {

// Turns a denied widget off again whenever the window turns it on.
class KeepDisabled final : public QObject {
  public:
    explicit KeepDisabled(QObject *parent) : QObject(parent) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isEnabled())
                widget->setEnabled(false);
        }
        return QObject::eventFilter(watched, event);
    }
};

bool isControlName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

void deny(QWidget *widget)
{
    widget->setEnabled(false);
    widget->installEventFilter(new KeepDisabled(widget));
}

void deny(QAction *action)
{
    action->setEnabled(false);
    QObject::connect(action, &QAction::enabledChanged, action, [action](bool enabled) {
        if (enabled)
            action->setEnabled(false);
    });
}

} // namespace

QString WindowRights::rightsKey(const QString &procedureName, const QString &controlName)
{
    // A control may carry its name as the window declares it ("?F"): the key has one question mark.
    const QString name = controlName.startsWith(QLatin1Char('?')) ? controlName.mid(1) : controlName;
    return procedureName + QStringLiteral(":?") + name;
}

void WindowRights::apply(WindowManager &manager, const Check &allowed)
{
    QWidget *window = manager.window();
    if (!window || !allowed)
        return;
    QList<QObject *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>())
        controls.append(widget);
    for (QAction *action : window->actions())
        controls.append(action);
    for (QAction *action : window->findChildren<QAction *>())
        controls.append(action);

    QSet<QString> asked;
    QSet<QObject *> seen;
    for (const auto &[name, governed] : manager.rightsNames()) {
        asked.insert(name.toCaseFolded());
        if (allowed(rightsKey(manager.procedureName(), name)))
            continue;
        manager.denyControl(name);
        for (const QString &control : governed)
            manager.denyControl(control);
    }
    for (QObject *control : std::as_const(controls)) {
        const QString name = control->objectName();
        if (!isControlName(name) || seen.contains(control))
            continue;
        seen.insert(control);
        const QString folded = name.toCaseFolded();
        if (!asked.contains(folded)) {
            asked.insert(folded);
            if (!allowed(rightsKey(manager.procedureName(), name)))
                manager.denyControl(name);
        }
        if (!manager.isDenied(name))
            continue;
        if (auto *widget = qobject_cast<QWidget *>(control))
            deny(widget);
        else if (auto *action = qobject_cast<QAction *>(control))
            deny(action);
    }
}

} // namespace tarvo::ui
