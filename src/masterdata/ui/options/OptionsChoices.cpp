#include "masterdata/ui/options/OptionsChoices.h"

#include "platform/runtime/Translator.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QString stored(const QString &typed)
{
    QString text = typed;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace

OptionsChoices::OptionsChoices(Context &context, const QString &choices, QObject *parent)
    : WindowManager(context, QStringLiteral("Options_Choices"), parent)
{
    const auto tr = [](const char *text) {
        return Translator::instance().translate(QString::fromLatin1(text));
    };
    auto *dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("Options_Choices"));
    dialog->setWindowTitle(tr("Choices"));
    auto *layout = new QVBoxLayout(dialog);
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("FIELDCHOICES"));
    QString shown = choices;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(shown);
    m_accepted = stored(shown);
    layout->addWidget(m_text);
    auto *buttons = new QDialogButtonBox;
    auto *ok = buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    acceptOn(ok);
    acceptOn(cancel);
    connect(dialog, &QDialog::rejected, this, [this]() { close(); });
    connect(m_text, &QPlainTextEdit::textChanged, this, &OptionsChoices::keepWithinLength);
    dialog->resize(320, 300);
    setWindow(dialog);
}

void OptionsChoices::keepWithinLength()
{
    const QString text = stored(m_text->toPlainText());
    if (text.size() <= MaxLength) {
        m_accepted = text;
        return;
    }
    // What would not fit is not taken: the list stays as it was before the keystroke or paste.
    QString kept = m_accepted;
    kept.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QSignalBlocker block(m_text);
    m_text->setPlainText(kept);
    m_text->moveCursor(QTextCursor::End);
}

QString OptionsChoices::choices() const
{
    return m_accepted;
}

void OptionsChoices::takeAccepted(const QString &controlName)
{
    if (controlName == QLatin1String("OK")) {
        setResponse(Response::Completed);
        close();
    } else if (controlName == QLatin1String("Cancel")) {
        close();
    } else {
        WindowManager::takeAccepted(controlName);
    }
}

} // namespace tarvo::masterdata::ui
