#include "platform/ui/TranslateWindow.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QToolBox>

#include <functional>
#include <utility>

namespace tarvo::ui {

namespace {

// Calls set only when the translation differs, so untranslated texts keep their own state (an
// action's tooltip, for instance, stays implicit).
void apply(const Translator &translator, const QString &text, const std::function<void(const QString &)> &set)
{
    const QString translated = translator.translate(text);
    if (translated != text)
        set(translated);
}

// What QAction shows as its tooltip when none was set: the text without accelerators and dots.
QString implicitToolTip(const QString &text)
{
    QString stripped = text;
    stripped.remove(QStringLiteral("..."));
    for (qsizetype i = 0; i < stripped.size(); ++i) {
        if (stripped.at(i) == QLatin1Char('&'))
            stripped.remove(i, 1);
    }
    return stripped.trimmed();
}

void translateAction(const Translator &translator, QAction *action)
{
    const QString text = action->text();
    const QString toolTip = action->toolTip();
    const bool explicitToolTip = toolTip != implicitToolTip(text);
    apply(translator, text, [action](const QString &t) { action->setText(t); });
    if (explicitToolTip)
        apply(translator, toolTip, [action](const QString &t) { action->setToolTip(t); });
}

// Actions reach a window through its widgets and through the menus that its actions open, which
// need not be children of the window.
void collectActions(QWidget *widget, QSet<QAction *> &actions, QSet<QWidget *> &widgets)
{
    for (QAction *action : widget->actions()) {
        actions.insert(action);
        QMenu *menu = action->menu<QMenu *>();
        if (menu && !widgets.contains(menu)) {
            widgets.insert(menu);
            collectActions(menu, actions, widgets);
        }
    }
}

void translateHeader(const Translator &translator, QHeaderView *header)
{
    QAbstractItemModel *model = header->model();
    if (!model)
        return;
    for (int section = 0; section < header->count(); ++section) {
        const QString text = model->headerData(section, header->orientation()).toString();
        apply(translator, text,
              [&](const QString &t) { model->setHeaderData(section, header->orientation(), t); });
    }
}

// A fixed choice list is translated as a whole, as its "|"-separated key; single entries and
// editable boxes hold data.
void translateChoices(const Translator &translator, QComboBox *combo)
{
    if (combo->isEditable() || combo->count() < 2)
        return;
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    const QStringList translated = translator.translate(items.join(QLatin1Char('|'))).split(QLatin1Char('|'));
    if (translated == items || translated.size() != items.size())
        return;
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, translated.at(i));
}

void translateWidget(const Translator &translator, QWidget *widget)
{
    apply(translator, widget->toolTip(), [widget](const QString &t) { widget->setToolTip(t); });
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        apply(translator, label->text(), [label](const QString &t) { label->setText(t); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        apply(translator, button->text(), [button](const QString &t) { button->setText(t); });
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        apply(translator, group->title(), [group](const QString &t) { group->setTitle(t); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            apply(translator, tabs->tabText(i), [tabs, i](const QString &t) { tabs->setTabText(i, t); });
            apply(translator, tabs->tabToolTip(i),
                  [tabs, i](const QString &t) { tabs->setTabToolTip(i, t); });
        }
    } else if (auto *toolBox = qobject_cast<QToolBox *>(widget)) {
        for (int i = 0; i < toolBox->count(); ++i)
            apply(translator, toolBox->itemText(i),
                  [toolBox, i](const QString &t) { toolBox->setItemText(i, t); });
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        apply(translator, edit->placeholderText(), [edit](const QString &t) { edit->setPlaceholderText(t); });
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        translateChoices(translator, combo);
    } else if (auto *header = qobject_cast<QHeaderView *>(widget)) {
        translateHeader(translator, header);
    }
}

} // namespace

void translateWindow(QWidget *window, const Translator &translator)
{
    if (!window || !translator.hasTable())
        return;
    apply(translator, window->windowTitle(), [window](const QString &t) { window->setWindowTitle(t); });

    QSet<QWidget *> widgets;
    QSet<QAction *> actions;
    for (QWidget *child : window->findChildren<QWidget *>())
        widgets.insert(child);
    for (QAction *action : window->findChildren<QAction *>())
        actions.insert(action);
    collectActions(window, actions, widgets);
    for (QWidget *widget : QList<QWidget *>(widgets.begin(), widgets.end()))
        collectActions(widget, actions, widgets);

    for (QWidget *widget : std::as_const(widgets))
        translateWidget(translator, widget);
    for (QAction *action : std::as_const(actions))
        translateAction(translator, action);
}

} // namespace tarvo::ui
