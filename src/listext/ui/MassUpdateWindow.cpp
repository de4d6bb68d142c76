#include "listext/ui/MassUpdateWindow.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include <vector>

namespace tarvo::listext::ui {

namespace {

MassUpdateWindow::Asker &asker()
{
    static MassUpdateWindow::Asker a;
    return a;
}

QString translated(const QString &text)
{
    return Translator::instance().translate(text);
}

} // namespace

void MassUpdateWindow::setAsker(Asker a)
{
    asker() = std::move(a);
}

bool MassUpdateWindow::ask(QWidget *parent, query::MassUpdate &update, int tagged)
{
    if (asker())
        return asker()(parent, update, tagged);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MassUpdate"));
    dialog.setWindowTitle(translated(QStringLiteral("Mass Update")));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(translated(QStringLiteral("Records to update: %1")).arg(tagged), &dialog));
    auto *scroll = new QScrollArea(&dialog);
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    // Each editor's field and how its text is read; a blank entry leaves the field as it is.
    std::vector<std::pair<QString, std::function<QString()>>> editors;
    for (const query::FieldEditor &e : update.editors()) {
        const QString name = e.field->name;
        if (e.kind == query::FieldEditor::Kind::Entry) {
            auto *edit = new QLineEdit(page);
            edit->setObjectName(name);
            form->addRow(name.mid(name.indexOf(QLatin1Char(':')) + 1), edit);
            editors.emplace_back(name, [edit] { return edit->text(); });
        } else {
            auto *combo = new QComboBox(page);
            combo->setObjectName(name);
            combo->setEditable(e.kind == query::FieldEditor::Kind::ComboBox);
            combo->addItem(QString());
            combo->addItems(e.choices);
            form->addRow(name.mid(name.indexOf(QLatin1Char(':')) + 1), combo);
            editors.emplace_back(name, [combo] { return combo->currentText(); });
        }
    }
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        // A value that does not fit its field keeps the dialog open with the field's message.
        for (const auto &[name, text] : editors) {
            const QString value = text();
            if (value.isEmpty()) {
                update.clearValue(name);
            } else if (Result<void> set = update.setValue(name, value); !set) {
                Messages::show(set.error().message, dialog.windowTitle(), MessageIcon::Exclamation);
                return;
            }
        }
        dialog.accept();
    });
    layout->addWidget(buttons);
    dialog.resize(420, 560);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tarvo::listext::ui
