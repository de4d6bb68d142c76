#include "access/ui/ResUserCopy.h"

#include "access/AccessSession.h"
#include "access/ui/DialogButtons.h"
#include "access/ui/Vuvuzu_BrowseUsers.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/Text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {
const QString Name = QStringLiteral("ResUserCopy");
}

ResUserCopy::ResUserCopy(QWidget *parent) : QDialog(parent), m_code(new QLineEdit(this))
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("Zugriffsrechte übernehmen..."));
    m_code->setObjectName(QStringLiteral("MAK"));
    m_code->setMaxLength(35);
    auto *lookup = new QPushButton(QStringLiteral("..."), this);
    lookup->setObjectName(QStringLiteral("Lookup"));
    lookup->setAutoDefault(false);
    const DialogButtons dialogButtons = okCancelButtons(this);
    QDialogButtonBox *buttons = dialogButtons.box;
    connect(lookup, &QPushButton::clicked, this, &ResUserCopy::pick);
    connect(m_code, &QLineEdit::editingFinished, this, &ResUserCopy::codeLeft);
    auto *row = new QHBoxLayout();
    row->addWidget(m_code);
    row->addWidget(lookup);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Zugriffsrechte von folgendem Benutzer übernehmen:"), this));
    layout->addLayout(row);
    layout->addWidget(buttons);
    translateWindow(this);
    WindowPlace::restore(this, Name);
}

void ResUserCopy::codeLeft()
{
    const QString code = Text::clip(m_code->text());
    if (code.isEmpty() || !m_code->isModified())
        return;
    m_code->setModified(false);
    auto user = AccessSession::repository()->user(code);
    if (user && !user->has_value())
        pick();
}

void ResUserCopy::pick()
{
    m_code->setText(Vuvuzu_BrowseUsers::choose(Text::clip(m_code->text()), this));
    m_code->setModified(false);
}

void ResUserCopy::accept()
{
    const QString code = Text::clip(m_code->text());
    if (code.isEmpty()) {
        m_code->setFocus();
        return;
    }
    m_result = code;
    QDialog::accept();
}

void ResUserCopy::done(int result)
{
    if (result != Accepted)
        m_result.clear();
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

QString ResUserCopy::choose(QWidget *parent)
{
    ResUserCopy dialog(parent);
    dialog.exec();
    return dialog.result();
}

} // namespace tarvo::access
