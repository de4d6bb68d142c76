#include "issues/IssueLookups.h"

#include "core/lists/ReadKeyOrder.h"
#include "issues/DeclaredFile.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"

namespace tarvo::issues {

namespace {

Result<QStringList> textsOf(data::Session &session, const QString &label, const QString &key,
                            const QVariantList &range)
{
    auto file = declaredFile(session, label);
    if (!file)
        return file.error();
    // A one-text list, or the text field named as the file.
    const data::RecordLayout &layout = (*file)->layout();
    const QString field = layout.fieldCount() == 1 ? layout.field(0).name : label;
    QStringList texts;
    if (auto failed = core::readKeyOrder(session, label, key, range,
                                         [&](const data::Record &r) { texts << r.text(field); }))
        return *failed;
    return texts;
}

} // namespace

Result<QStringList> IssueLookups::programTexts(data::Session &session, const QString &label, qint32 programId)
{
    const QString key = QStringLiteral("KeyPrgIDSort") + label;
    auto own = textsOf(session, label, key, {programId});
    if (!own)
        return own;
    QStringList texts = *own;
    if (programId != 0) {
        auto general = textsOf(session, label, key, {0});
        if (!general)
            return general;
        if (!general->isEmpty())
            texts << QString() << *general;
    }
    return texts;
}

QStringList IssueLookups::texts(data::Session &session, const QString &label)
{
    data::FileManager *file = session.file(label);
    if (!file || file->layout().keyCount() == 0)
        return {};
    auto read = textsOf(session, label, file->layout().key(0).name, {});
    return read ? *read : QStringList();
}

std::optional<QString> IssueLookups::acceptPerson(data::Record &issue, const QString &field,
                                                  const std::vector<core::UserQueueEntry> &users)
{
    const QString initials = Text::clip(issue.text(field));
    for (const core::UserQueueEntry &user : users) {
        if (Text::clip(user.userMak) == initials)
            return user.userName;
    }
    if (!initials.isEmpty()) {
        issue.setValue(field, QString());
        return std::nullopt;
    }
    return QString();
}

bool IssueLookups::offersNewRelease(const QString &typed, const core::ReleaseQueue &releases,
                                    const core::SettingsValues &settings, bool mayAddReleases)
{
    const QString release = Text::clip(typed);
    if (settings.versionInsertDisabled() || !mayAddReleases || release.isEmpty())
        return false;
    for (const core::ReleaseQueueEntry &known : releases) {
        if (Text::clip(known.release) == release)
            return false;
    }
    return true;
}

bool IssueLookups::networkTypeEnabled(const data::Record &issue)
{
    return issue.integer(QStringLiteral("Network")) == 1;
}

} // namespace tarvo::issues
