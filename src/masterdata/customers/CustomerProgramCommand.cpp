#include "masterdata/customers/CustomerProgramCommand.h"

#include "platform/data/Record.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Translator.h"

#include <QProcess>
#include <QRegularExpression>

namespace tarvo::masterdata {

namespace {

QString shown(const data::Record &record, int index)
{
    const data::FieldDecl &field = record.layout().field(index);
    const QVariant &value = record.value(index);
    if (!field.picture.isEmpty())
        return Picture::format(value, field.picture).trimmed();
    if (field.type == data::FieldType::String || field.type == data::FieldType::CString ||
        field.type == data::FieldType::Memo) {
        QString text = value.toString();
        while (!text.isEmpty() && text.back().isSpace())
            text.chop(1);
        return text;
    }
    return value.toString();
}

} // namespace

CustomerProgramCommand::CustomerProgramCommand(const QString &commandLine, const data::Record &customer,
                                               const data::Record &purchase, qint32 date, qint32 time)
    : m_date(date), m_time(time)
{
    const QStringList words = QProcess::splitCommand(commandLine.trimmed());
    for (const QString &word : words)
        m_arguments << fill(word, customer, purchase);
    if (!m_arguments.isEmpty())
        m_program = m_arguments.takeFirst();
}

QString CustomerProgramCommand::fill(const QString &text, const data::Record &customer,
                                     const data::Record &purchase) const
{
    static const QRegularExpression placeholder(QStringLiteral("\\^([A-Za-z0-9_]+)(?::([A-Za-z0-9_]+))?\\^"));
    QString out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const QString prefix = m.captured(1).toUpper();
        const QString name = m.captured(2);
        QString value = m.captured(0);
        if (name.isEmpty() && prefix == QLatin1String("DATE"))
            value = Picture::format(m_date, QStringLiteral("@D6")).trimmed();
        else if (name.isEmpty() && prefix == QLatin1String("TIME"))
            value = Picture::format(m_time, QStringLiteral("@T1")).trimmed();
        else
            for (const data::Record *record : {&customer, &purchase})
                if (record->isValid() && record->layout().prefix().compare(prefix, Qt::CaseInsensitive) == 0)
                    if (const int index = record->layout().fieldIndex(name); index >= 0)
                        value = shown(*record, index);
        out += value;
    }
    return out + text.mid(from);
}

Result<void> CustomerProgramCommand::start() const
{
    const Translator &tr = Translator::instance();
    if (m_program.isEmpty())
        return makeError(1, tr.translate(QStringLiteral("No program is set for customer programs.")));
    if (!QProcess::startDetached(m_program, m_arguments))
        return makeError(2, tr.translate(QStringLiteral("The program %1 cannot be started.")).arg(m_program));
    return {};
}

} // namespace tarvo::masterdata
