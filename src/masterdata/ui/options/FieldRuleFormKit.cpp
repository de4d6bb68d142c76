#include "masterdata/ui/options/FieldRuleFormKit.h"

#include "core/lists/ReadKeyOrder.h"
#include "core/startup/SettingsRecord.h"
#include "masterdata/options/FieldRuleStore.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/FormList.h"
#include "platform/ui/UpdateForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

FieldRuleFormKit::Frame FieldRuleFormKit::frame(tarvo::ui::UpdateForm &form, const QString &name)
{
    Frame f;
    f.window = new QWidget;
    f.window->setObjectName(name);
    // Wide enough for a field name, a special value and the buttons beside them.
    f.window->setMinimumWidth(520);
    auto *layout = new QVBoxLayout(f.window);
    auto *tabs = new QTabWidget(f.window);
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("?Tab:1"));
    tabs->addTab(general, translated("General"));
    f.general = new QGridLayout(general);
    layout->addWidget(tabs, 1);
    auto *buttons = new QDialogButtonBox(f.window);
    f.ok = buttons->addButton(translated("&OK"), QDialogButtonBox::AcceptRole);
    f.ok->setObjectName(QStringLiteral("OK"));
    f.cancel = buttons->addButton(translated("Cancel"), QDialogButtonBox::RejectRole);
    f.cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    form.setWindow(f.window);
    return f;
}

void FieldRuleFormKit::setTitle(tarvo::ui::UpdateForm &form)
{
    const int request = form.context().threadRequest();
    form.window()->setWindowTitle(translated(request == Request::Insert   ? "Add field config..."
                                             : request == Request::Change ? "Change field config..."
                                                                          : "View Record"));
}

QString FieldRuleFormKit::translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

QLabel *FieldRuleFormKit::fieldLabel(const QString &name)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    const qint64 colour = core::SettingsRecord::instance().record().integer(QStringLiteral("PAR:COLOR"));
    if (colour >= 0) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText,
                         QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
        label->setPalette(palette);
    }
    return label;
}

QString FieldRuleFormKit::equalsTo(const QString &field)
{
    return Text::clip(field) + QLatin1Char(' ') + translated("equals to...");
}

void FieldRuleFormKit::applyOptionRule(const QString &field, QWidget *forceSelection, QWidget *pickValue)
{
    const FieldRuleOption option = fieldRuleOption(field);
    forceSelection->setEnabled(option == FieldRuleOption::ForceSelection);
    pickValue->setEnabled(option == FieldRuleOption::SpecialValue);
}

QPushButton *FieldRuleFormKit::selectFieldButton(const QString &name)
{
    auto *button = new QPushButton(translated("Select field..."));
    button->setObjectName(name);
    return button;
}

tarvo::ui::FormList *FieldRuleFormKit::rowList(data::Session &session, const QString &name,
                                               const QStringList &headers, const QString &label,
                                               const QString &keyName, Range range, Cells cells)
{
    using tarvo::ui::FormList;
    auto *list = new FormList(name, headers,
                              [&session, label, keyName, range = std::move(range),
                               cells = std::move(cells)]() -> Result<std::vector<FormList::Row>> {
                                  std::vector<FormList::Row> rows;
                                  const std::optional<QVariantList> values = range();
                                  if (!values)
                                      return rows;
                                  if (const auto failed = core::readKeyOrder(
                                          session, label, keyName, *values, [&](const data::Record &r) {
                                              rows.push_back({r.rowId(), cells(r)});
                                          }))
                                      return *failed;
                                  return rows;
                              });
    list->onFetch([&session, label](qint64 key) -> Result<void> {
        data::FileManager *file = session.file(label);
        if (!file)
            return makeError(2, QStringLiteral("The file %1 is not declared").arg(label));
        return file->fetchRow(key, file->buffer());
    });
    list->addButton(QStringLiteral("Insert"), translated("&Insert"), Request::Insert);
    list->addButton(QStringLiteral("Change"), translated("&Change"), Request::Change);
    list->addButton(QStringLiteral("Delete"), translated("&Delete"), Request::Delete);
    return list;
}

} // namespace tarvo::masterdata::ui
