#include "core/ui/StampTextControl.h"

#include "core/services/AccessServices.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <functional>

namespace tarvo::core::ui {

namespace {

// A text document keeps one character per line break where the stored text keeps CR LF.
QString storedText(const QString &documentText)
{
    QString text = documentText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

qsizetype storedPosition(const QString &documentText, qsizetype position)
{
    return position + documentText.left(position).count(QLatin1Char('\n'));
}

QString documentText(const QString &stored)
{
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

qsizetype documentPosition(const QString &stored, qsizetype position)
{
    return position - stored.left(position).count(QStringLiteral("\r\n"));
}

bool stampDocument(QTextDocument *document, QTextCursor current,
                   const std::function<void(QTextCursor)> &setCursor, const StampSource &source,
                   const StampValues &values, qsizetype maxLength)
{
    const QString before = document->toPlainText();
    const auto edit = InsertDateTimeStamp(
        storedText(before), storedPosition(before, current.selectionStart()), source, values, maxLength);
    if (!edit)
        return false;
    QTextCursor all(document);
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    all.insertText(documentText(edit->text));
    all.endEditBlock();
    QTextCursor cursor(document);
    cursor.setPosition(static_cast<int>(documentPosition(edit->text, edit->cursor)));
    setCursor(cursor);
    return true;
}

} // namespace

bool insertDateTimeStamp(QWidget *control, const StampSource &source, const StampValues &values,
                         qsizetype maxLength)
{
    bool inserted = false;
    if (auto *edit = qobject_cast<QPlainTextEdit *>(control)) {
        inserted = stampDocument(
            edit->document(), edit->textCursor(), [edit](QTextCursor c) { edit->setTextCursor(c); }, source,
            values, maxLength);
    } else if (auto *edit = qobject_cast<QTextEdit *>(control)) {
        inserted = stampDocument(
            edit->document(), edit->textCursor(), [edit](QTextCursor c) { edit->setTextCursor(c); }, source,
            values, maxLength);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        const qsizetype limit =
            maxLength > 0 ? std::min<qsizetype>(maxLength, line->maxLength()) : line->maxLength();
        const qsizetype cursor = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        const auto edit = InsertDateTimeStamp(line->text(), cursor, source, values, limit);
        if (edit) {
            line->setText(edit->text);
            line->setCursorPosition(static_cast<int>(edit->cursor));
            inserted = true;
        }
    }
    if (inserted)
        control->setFocus();
    return inserted;
}

bool insertDateTimeStamp(QWidget *control, const StampSettings &settingsRecord, const AccessServices &access,
                         qsizetype maxLength)
{
    return insertDateTimeStamp(control, stampSourceFor(access, settingsRecord),
                               currentStampValues(access.mak()), maxLength);
}

} // namespace tarvo::core::ui
