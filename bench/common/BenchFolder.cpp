#include "BenchFolder.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/runtime/Messages.h"

#include <QDir>

#include <cstdio>
#include <stdexcept>

namespace tarvo::bench {

BenchFolder::BenchFolder(const QString &folder)
{
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    if (!dict)
        throw std::runtime_error(dict.error().message.toStdString());
    m_dictionary = std::move(dict.value());
    m_session = m_dictionary->createSession(1, this);
}

BenchFolder::~BenchFolder()
{
    m_session.reset();
    m_dictionary.reset();
}

data::FileManager &BenchFolder::file(const QString &label)
{
    data::FileManager *fm = m_session->file(label);
    if (!fm)
        throw std::runtime_error("no file " + label.toStdString());
    if (auto r = fm->open(); !r)
        throw std::runtime_error(label.toStdString() + ": " + r.error().message.toStdString());
    return *fm;
}

QString BenchFolder::databasePath() const
{
    return QDir(m_dictionary->dataFolder()).filePath(QStringLiteral("Tarvo.db"));
}

int BenchFolder::report(const data::FileError &error)
{
    std::fprintf(stderr, "file error %d on %s: %s %s\n", error.messageNumber, qPrintable(error.file),
                 qPrintable(error.errorText), qPrintable(error.message));
    return Button::No;
}

} // namespace tarvo::bench
