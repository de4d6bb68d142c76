#include "listext/ui/SflSuchen.h"

#include "platform/runtime/Translator.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::listext::ui {

namespace {

SflSuchen::Asker &asker()
{
    static SflSuchen::Asker a;
    return a;
}

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

} // namespace

void SflSuchen::setAsker(Asker a)
{
    asker() = std::move(a);
}

std::optional<TextSearchRequest> SflSuchen::ask(QWidget *parent)
{
    if (asker())
        return asker()(parent);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SFL_suchen"));
    dialog.setWindowTitle(QStringLiteral("Tarvo"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(translated("Textsearch"), &dialog));
    layout->addWidget(new QLabel(translated("Text to search for:"), &dialog));
    auto *text = new QLineEdit(&dialog);
    text->setMaxLength(40);
    layout->addWidget(text);
    layout->addWidget(
        new QLabel(translated("(All text fields, including memos, will be searched)"), &dialog));
    auto *ignoreCase = new QCheckBox(translated("Case Insensitive"), &dialog);
    ignoreCase->setChecked(true);
    layout->addWidget(ignoreCase);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(translated("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(translated("&Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TextSearchRequest{text->text(), ignoreCase->isChecked()};
}

} // namespace tarvo::listext::ui
