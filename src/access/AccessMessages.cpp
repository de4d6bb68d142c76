#include "access/AccessMessages.h"

#include "access/AccessSession.h"

namespace tarvo::access {

QString AccessMessages::text(const QStringList &pieces)
{
    QString out;
    for (const auto &piece : pieces)
        out += AccessSession::tr(piece);
    return out;
}

namespace {
QString title()
{
    return AccessSession::tr(QStringLiteral("Vuvuzussystem"));
}
} // namespace

void AccessMessages::refuse(const QStringList &pieces)
{
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(text(pieces), title(), MessageIcon::Exclamation);
}

void AccessMessages::notice(const QStringList &pieces)
{
    Messages::beep(MessageIcon::Asterisk);
    Messages::show(text(pieces), title(), MessageIcon::Information);
}

void AccessMessages::inform(const QStringList &pieces)
{
    Messages::show(text(pieces), title(), MessageIcon::Information);
}

bool AccessMessages::ask(const QStringList &pieces, bool defaultYes)
{
    Messages::beep(MessageIcon::Exclamation);
    return Messages::show(text(pieces), title(), MessageIcon::Exclamation, Button::Yes | Button::No,
                          defaultYes ? Button::Yes : Button::No) == Button::Yes;
}

void AccessMessages::error(const QString &message)
{
    Messages::show(message, title(), MessageIcon::Error);
}

} // namespace tarvo::access
