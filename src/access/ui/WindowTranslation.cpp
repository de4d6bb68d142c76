#include "access/ui/WindowTranslation.h"

#include "access/AccessSession.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTableWidget>
#include <QWidget>

namespace tarvo::access {

void translateWindow(QWidget *window)
{
    window->setWindowTitle(AccessSession::tr(window->windowTitle()));
    for (auto *label : window->findChildren<QLabel *>())
        label->setText(AccessSession::tr(label->text()));
    for (auto *button : window->findChildren<QAbstractButton *>())
        button->setText(AccessSession::tr(button->text()));
    for (auto *group : window->findChildren<QGroupBox *>())
        group->setTitle(AccessSession::tr(group->title()));
    for (auto *tabs : window->findChildren<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setTabText(i, AccessSession::tr(tabs->tabText(i)));
    for (auto *table : window->findChildren<QTableWidget *>())
        for (int i = 0; i < table->columnCount(); ++i)
            if (auto *header = table->horizontalHeaderItem(i))
                header->setText(AccessSession::tr(header->text()));
}

} // namespace tarvo::access
