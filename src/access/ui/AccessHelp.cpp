#include "access/ui/AccessHelp.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/VuvuzuPaths.h"
#include "platform/desktop/HelpPages.h"
#include "platform/ui/HelpKey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>

namespace tarvo::access {

QString AccessHelp::page(const QString &topic)
{
    const QString helpFile = AccessSession::state().helpFile.trimmed();
    if (helpFile.isEmpty())
        return QString();
    const QString folder = QStringLiteral("/help/") + QFileInfo(helpFile).completeBaseName();
    return HelpPages::page(
        {VuvuzuPaths::programFolder() + folder, QCoreApplication::applicationDirPath() + folder}, topic);
}

bool AccessHelp::show(const QString &topic)
{
    const QString path = page(topic);
    if (path.isEmpty()) {
        AccessMessages::refuse({QStringLiteral("No help file is set for the chosen language!")});
        return false;
    }
    switch (HelpPages::open(path)) {
    case HelpPages::Outcome::Opened:
        return true;
    case HelpPages::Outcome::NotFound:
        AccessMessages::refuse(
            {QStringLiteral("The help page \""), path, QStringLiteral("\" could not be found!")});
        return false;
    case HelpPages::Outcome::NotOpened:
        AccessMessages::refuse(
            {QStringLiteral("The help page \""), path, QStringLiteral("\" could not be opened!")});
        return false;
    }
    return false;
}

QPushButton *AccessHelp::install(QWidget *window, std::function<QString()> topic)
{
    auto *button = new QPushButton(QStringLiteral("&Hilfe"), window);
    button->setObjectName(QStringLiteral("Help"));
    button->setAutoDefault(false);
    ui::HelpKey::bind(window, button, [topic = std::move(topic)] {
        if (const QString t = topic(); !t.isEmpty())
            show(t);
    });
    return button;
}

} // namespace tarvo::access
