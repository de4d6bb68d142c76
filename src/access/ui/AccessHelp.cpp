#include "access/ui/AccessHelp.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/VuvuzuPaths.h"
#include "platform/desktop/Desktop.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace tarvo::access {

QString AccessHelp::page(const QString &topic)
{
    const QString helpFile = AccessSession::state().helpFile.trimmed();
    if (helpFile.isEmpty())
        return QString();
    const QString folder = QStringLiteral("/help/") + QFileInfo(helpFile).completeBaseName() + u'/';
    const QString name = QFileInfo(topic).fileName();
    const QString own = VuvuzuPaths::programFolder() + folder + name;
    if (QFileInfo(own).isFile())
        return own;
    const QString shipped = QCoreApplication::applicationDirPath() + folder + name;
    return QFileInfo(shipped).isFile() ? shipped : own;
}

bool AccessHelp::show(const QString &topic)
{
    const QString path = page(topic);
    if (path.isEmpty()) {
        AccessMessages::refuse({QStringLiteral("No help file is set for the chosen language!")});
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        AccessMessages::refuse(
            {QStringLiteral("The help page \""), path, QStringLiteral("\" could not be found!")});
        return false;
    }
    if (!Desktop::instance().openUrl(QUrl::fromLocalFile(path))) {
        AccessMessages::refuse(
            {QStringLiteral("The help page \""), path, QStringLiteral("\" could not be opened!")});
        return false;
    }
    return true;
}

QPushButton *AccessHelp::install(QWidget *window, std::function<QString()> topic)
{
    auto *button = new QPushButton(QStringLiteral("&Hilfe"), window);
    button->setObjectName(QStringLiteral("Help"));
    button->setAutoDefault(false);
    const auto open = [topic = std::move(topic)] {
        if (const QString t = topic(); !t.isEmpty())
            show(t);
    };
    QObject::connect(button, &QPushButton::clicked, window, open);
    auto *key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, open);
    return button;
}

} // namespace tarvo::access
