#include "core/ui/frame/SystemTrayIcon.h"

#include "platform/runtime/Events.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QStyle>

namespace tarvo::core::ui {

namespace {
TrayIcon::Factory &factory()
{
    static TrayIcon::Factory f;
    return f;
}
} // namespace

std::unique_ptr<TrayIcon> TrayIcon::create()
{
    if (factory())
        return factory()();
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return nullptr;
    return std::make_unique<SystemTrayIcon>();
}

void TrayIcon::setFactory(Factory f)
{
    factory() = std::move(f);
}

QString TrayIcon::resourceName(const QString &icon)
{
    QString name = icon;
    if (name.size() >= 5 && name.at(name.size() - 4) == u'.')
        name[name.size() - 4] = u'_';
    return name;
}

SystemTrayIcon::SystemTrayIcon()
{
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                         case QSystemTrayIcon::Trigger:
                             post(Events::TrayLeftClick);
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             post(Events::TrayLeftDoubleClick);
                             break;
                         case QSystemTrayIcon::Context:
                             post(Events::TrayRightClick);
                             break;
                         default:
                             break;
                         }
                     });
}

bool SystemTrayIcon::addIcon(const QString &tip, const QString &icon)
{
    QIcon shown = QIcon::fromTheme(resourceName(icon));
    if (shown.isNull())
        shown = QApplication::windowIcon();
    if (shown.isNull())
        shown = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    m_icon.setIcon(shown);
    m_icon.setToolTip(tip.trimmed());
    m_icon.show();
    return m_icon.isVisible();
}

void SystemTrayIcon::removeIcon()
{
    m_icon.hide();
}

void SystemTrayIcon::popup(QMenu &menu)
{
    menu.popup(QCursor::pos());
}

} // namespace tarvo::core::ui
