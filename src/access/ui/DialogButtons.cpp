#include "access/ui/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tarvo::access {

DialogButtons okCancelButtons(QDialog *dialog)
{
    DialogButtons buttons;
    buttons.box = new QDialogButtonBox(dialog);
    buttons.ok = buttons.box->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons.ok->setObjectName(QStringLiteral("OK"));
    buttons.ok->setDefault(true);
    buttons.cancel = buttons.box->addButton(QStringLiteral("&Abbruch"), QDialogButtonBox::RejectRole);
    buttons.cancel->setObjectName(QStringLiteral("Cancel"));
    QObject::connect(buttons.box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons.box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace tarvo::access
