#include "platform/runtime/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>
#include <map>

namespace tarvo {

namespace {

// One lock per file path, shared by every IniFile on it, so that a read-modify-write of one
// object never interleaves with that of another.
std::shared_ptr<std::mutex> lockForPath(const QString &path)
{
    static std::mutex registryLock;
    static std::map<QString, std::weak_ptr<std::mutex>> registry;
    std::lock_guard guard(registryLock);
    for (auto it = registry.begin(); it != registry.end();) {
        if (it->second.expired())
            it = registry.erase(it);
        else
            ++it;
    }
    std::weak_ptr<std::mutex> &slot = registry[path];
    std::shared_ptr<std::mutex> lock = slot.lock();
    if (!lock) {
        lock = std::make_shared<std::mutex>();
        slot = lock;
    }
    return lock;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isComment(const QString &line)
{
    return line.trimmed().startsWith(u';');
}

bool sectionHeader(const QString &line, QString *name)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool entry(const QString &line, QString *key, QString *value)
{
    if (isComment(line))
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value)
        *value = line.mid(eq + 1);
    return true;
}

// The lines of a section: the header at `header`, its body up to (not including) `end`.
struct Span final {
    qsizetype header = -1;
    qsizetype end = -1;
    bool found() const { return header >= 0; }
};

Span findSection(const QStringList &lines, const QString &section)
{
    Span span;
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!sectionHeader(lines[i], &name))
            continue;
        if (span.found()) {
            span.end = i;
            return span;
        }
        if (sameName(name, section))
            span.header = i;
    }
    if (span.found())
        span.end = lines.size();
    return span;
}

qsizetype findKey(const QStringList &lines, Span span, const QString &key, QString *value = nullptr)
{
    QString name;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (entry(lines[i], &name, value) && sameName(name, key))
            return i;
    }
    return -1;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

Result<void> checkNames(const QString &section, const QString &key)
{
    if (section.isEmpty() || hasLineBreak(section) || section.contains(u']'))
        return makeError(IniFile::ErrorInvalidEntry,
                         QStringLiteral("Invalid INI section name \"%1\"").arg(section));
    if (key.isEmpty() || hasLineBreak(key) || key.contains(u'=') || key.startsWith(u';') ||
        key.startsWith(u'['))
        return makeError(IniFile::ErrorInvalidEntry, QStringLiteral("Invalid INI key \"%1\"").arg(key));
    return {};
}

// Files copied from elsewhere may be in a Windows code page; taking them as such keeps their
// umlauts, where a UTF-8 reading would turn them into replacement characters for good.
QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    if (windows.isValid()) {
        text = windows.decode(bytes);
        if (!windows.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(QDir::cleanPath(QFileInfo(path).absoluteFilePath())), m_lock(lockForPath(m_path))
{
}

Result<QStringList> IniFile::readLines() const
{
    QFile file(m_path);
    if (!file.exists())
        return QStringList();
    if (!file.open(QIODevice::ReadOnly))
        return makeError(ErrorFileSystem,
                         QStringLiteral("Cannot read \"%1\": %2").arg(m_path, file.errorString()));
    QStringList lines = decode(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // Every carriage return before the line feed goes, not only one: a value that kept the rest
    // would lose it on the next write of any other key.
    for (QString &line : lines) {
        while (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

Result<void> IniFile::writeLines(const QStringList &lines)
{
    QSaveFile file(m_path);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return makeError(ErrorFileSystem,
                         QStringLiteral("Cannot write \"%1\": %2").arg(m_path, file.errorString()));
    return {};
}

QString IniFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    std::lock_guard guard(*m_lock);
    const Result<QStringList> lines = readLines();
    if (!lines)
        return defaultValue;
    const Span span = findSection(*lines, section.trimmed());
    QString found;
    if (!span.found() || findKey(*lines, span, key.trimmed(), &found) < 0)
        return defaultValue;
    return found;
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = value(section, key);
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    const qsizetype firstDigit = i;
    qint64 number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number = number * 10 + (text[i].unicode() - u'0');
        if (number > qint64(std::numeric_limits<int>::max()) + 1)
            return defaultValue;
    }
    if (i == firstDigit)
        return defaultValue;
    if (negative)
        number = -number;
    if (number > std::numeric_limits<int>::max() || number < std::numeric_limits<int>::min())
        return defaultValue;
    return int(number);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    std::lock_guard guard(*m_lock);
    const Result<QStringList> lines = readLines();
    if (!lines)
        return false;
    const Span span = findSection(*lines, section.trimmed());
    return span.found() && findKey(*lines, span, key.trimmed()) >= 0;
}

Result<void> IniFile::setValue(const QString &sectionName, const QString &keyName, const QString &value)
{
    const QString section = sectionName.trimmed();
    const QString key = keyName.trimmed();
    if (Result<void> checked = checkNames(section, key); !checked)
        return checked;
    if (hasLineBreak(value))
        return makeError(ErrorInvalidEntry,
                         QStringLiteral("The value of INI key \"%1\" holds a line break").arg(key));

    std::lock_guard guard(*m_lock);
    Result<QStringList> read = readLines();
    if (!read)
        return read.error();
    QStringList &lines = read.value();
    const Span span = findSection(lines, section);
    if (!span.found()) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section + u']');
        lines.append(key + u'=' + value);
        return writeLines(lines);
    }
    QString old;
    const qsizetype at = findKey(lines, span, key, &old);
    if (at >= 0) {
        if (old == value)
            return {};
        QString storedKey;
        entry(lines[at], &storedKey, nullptr);
        lines[at] = storedKey + u'=' + value;
        return writeLines(lines);
    }
    // After the section's last non-blank line, so that blank lines before the next section stay.
    qsizetype insertAt = span.end;
    while (insertAt - 1 > span.header && lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines.insert(insertAt, key + u'=' + value);
    return writeLines(lines);
}

Result<void> IniFile::setIntValue(const QString &section, const QString &key, int value)
{
    return setValue(section, key, QString::number(value));
}

Result<void> IniFile::removeKey(const QString &sectionName, const QString &keyName)
{
    const QString section = sectionName.trimmed();
    const QString key = keyName.trimmed();
    std::lock_guard guard(*m_lock);
    Result<QStringList> read = readLines();
    if (!read)
        return read.error();
    QStringList &lines = read.value();
    Span span = findSection(lines, section);
    if (!span.found())
        return {};
    bool removed = false;
    // Every line of the key goes, so that a duplicate further down does not surface in its place.
    for (qsizetype at = findKey(lines, span, key); at >= 0; at = findKey(lines, span, key)) {
        lines.removeAt(at);
        --span.end;
        removed = true;
    }
    return removed ? writeLines(lines) : Result<void>();
}

Result<void> IniFile::removeSection(const QString &sectionName)
{
    const QString section = sectionName.trimmed();
    std::lock_guard guard(*m_lock);
    Result<QStringList> read = readLines();
    if (!read)
        return read.error();
    QStringList &lines = read.value();
    bool removed = false;
    for (Span span = findSection(lines, section); span.found(); span = findSection(lines, section)) {
        lines.remove(span.header, span.end - span.header);
        removed = true;
    }
    return removed ? writeLines(lines) : Result<void>();
}

QStringList IniFile::sections() const
{
    std::lock_guard guard(*m_lock);
    const Result<QStringList> lines = readLines();
    QStringList names;
    if (!lines)
        return names;
    QString name;
    for (const QString &line : *lines) {
        if (sectionHeader(line, &name) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    std::lock_guard guard(*m_lock);
    const Result<QStringList> lines = readLines();
    QStringList names;
    if (!lines)
        return names;
    const Span span = findSection(*lines, section.trimmed());
    if (!span.found())
        return names;
    QString name;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (entry((*lines)[i], &name, nullptr) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

} // namespace tarvo
