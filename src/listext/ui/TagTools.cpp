#include "listext/ui/TagTools.h"

#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "listext/ui/MassUpdateWindow.h"
#include "listext/ui/ProgressPacer.h"
#include "listext/ui/SflSuchen.h"
#include "platform/query/SavedQueries.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>

namespace tarvo::listext::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

// The wait cursor while a long step runs.
class WaitCursor final {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TagTools::TagTools(tarvo::ui::WindowManager &window, BrowseList &list, TagToolsDeclaration declaration)
    : m_window(window), m_list(list), m_declaration(std::move(declaration))
{
}

QCheckBox *TagTools::makeOnlyTagged(QWidget *parent)
{
    m_onlyTagged = new QCheckBox(translated("Show only tagged records"), parent);
    m_onlyTagged->setObjectName(QStringLiteral("?SFLFILTER"));
    return m_onlyTagged;
}

QLabel *TagTools::makeTagCount(QWidget *parent)
{
    m_tagCount = new QLabel(parent);
    m_tagCount->setObjectName(QStringLiteral("?STR"));
    // Room for a large count from the start, so that tagging never widens the list's side.
    m_tagCount->setMinimumWidth(m_tagCount->fontMetrics().horizontalAdvance(TagQueue::countText(
        999999, [](const QString &text) { return Translator::instance().translate(text); })));
    return m_tagCount;
}

void TagTools::watchOnlyTagged()
{
    QObject::connect(m_onlyTagged, &QCheckBox::toggled, &m_window, [this](bool on) { setOnlyTagged(on); });
}

bool TagTools::takeAccepted(const QString &upperName)
{
    if (upperName == QLatin1String("?DASTAG"))
        tagCurrent(m_declaration.tagMovesOn);
    else if (upperName == QLatin1String("?DASTAGALL"))
        tagAll();
    else if (upperName == QLatin1String("?DASUNTAGALL"))
        untagAll();
    else if (upperName == QLatin1String("?SEARCHBUTTON")) {
        if (const auto asked = SflSuchen::ask(m_window.window()))
            searchText(asked->text, asked->ignoreCase);
    } else if (upperName == QLatin1String("?QUERY"))
        chooseQuery();
    else if (upperName == QLatin1String("?RESET"))
        voidQuery();
    else if (upperName == QLatin1String("?EXPORTS"))
        askExport();
    else if (upperName == QLatin1String("?IMPORTS"))
        askImport();
    else
        return false;
    return true;
}

void TagTools::showError(const Error &error) const
{
    Messages::show(error.message, m_window.procedureName(), MessageIcon::Exclamation);
}

TagQueue::Tag TagTools::tagFrom(const std::function<QVariant(const QString &)> &valueOf) const
{
    qint64 values[3] = {valueOf(m_declaration.idField).toLongLong(), 0, 0};
    for (qsizetype i = 0; i < m_declaration.tagFields.size() && i < 2; ++i)
        values[i + 1] = valueOf(m_declaration.tagFields.at(i)).toLongLong();
    return {values[0], values[1], values[2]};
}

TagQueue::Tag TagTools::tagOf(int row) const
{
    return tagFrom([&](const QString &field) { return m_list.model().rawValue(row, field); });
}

bool TagTools::isTagged(const SourceRow &row) const
{
    return m_declaration.tags->contains(
        tagFrom([&](const QString &field) { return m_list.model().fieldValue(row, field); }));
}

void TagTools::tagCurrent(bool moveOn)
{
    const int row = m_list.currentRow();
    if (row < 0)
        return;
    m_declaration.tags->toggle(tagOf(row));
    const bool onlyTagged = m_onlyTagged && m_onlyTagged->isChecked();
    tagsChanged();
    // Shown only tagged, the untagged row left the list: the next one is current already.
    if (moveOn && !onlyTagged)
        m_list.goToRow(row + 1);
}

void TagTools::tagAll()
{
    // The rows of the list's filters, read by the fields they are tagged by only.
    const QStringList fields = QStringList{m_declaration.idField} + m_declaration.tagFields;
    std::unique_ptr<RowSource> ids = m_declaration.source->narrowed(fields);
    std::vector<int> indexes;
    for (const QString &field : fields)
        indexes.push_back(ids->fieldIndex(field));
    std::optional<SourceRow> last;
    Result<void> tagged;
    {
        const WaitCursor wait;
        tagged = m_declaration.tags->tagAll([&]() -> Result<std::vector<TagQueue::Tag>> {
            auto rows = ids->rowsAfter(last ? &*last : nullptr, 1000);
            if (!rows)
                return rows.error();
            std::vector<TagQueue::Tag> page;
            for (const SourceRow &r : *rows)
                page.push_back(tagFrom([&](const QString &field) {
                    return r.values.value(indexes[size_t(fields.indexOf(field))]);
                }));
            if (!rows->empty())
                last = rows->back();
            return page;
        });
    }
    if (!tagged)
        showError(tagged.error());
    tagsChanged();
}

void TagTools::untagAll()
{
    m_declaration.tags->clear();
    tagsChanged();
}

QString TagTools::tagCountText() const
{
    return m_declaration.tags->countText(
        [](const QString &text) { return Translator::instance().translate(text); });
}

void TagTools::tagsChanged()
{
    if (m_tagCount)
        m_tagCount->setText(tagCountText());
    const bool none = m_declaration.tags->isEmpty();
    if (m_onlyTagged) {
        // With only the tagged rows shown, the list follows the tags; no tags show all again.
        if (m_onlyTagged->isChecked()) {
            if (none) {
                const QSignalBlocker blocker(m_onlyTagged);
                m_onlyTagged->setChecked(false);
            }
            if (m_window.isOpen())
                m_declaration.reload();
        }
        m_onlyTagged->setEnabled(!none);
    }
    m_list.model().redecorate();
}

void TagTools::setOnlyTagged(bool on)
{
    if (m_onlyTagged && m_onlyTagged->isChecked() != on) {
        const QSignalBlocker blocker(m_onlyTagged);
        m_onlyTagged->setChecked(on);
    }
    m_declaration.reload();
}

void TagTools::searchText(const QString &text, bool ignoreCase)
{
    TagQueue &tags = *m_declaration.tags;
    tags.clear();
    if (m_onlyTagged) {
        // The search reads the list as it is now, not only the tagged rows it showed before.
        const QSignalBlocker blocker(m_onlyTagged);
        m_onlyTagged->setChecked(false);
    }
    if (auto r = m_declaration.applyFilter(); !r) {
        showError(r.error());
        tagsChanged();
        return;
    }
    {
        // The search shows how far it is and may be cancelled; what it found so far stays tagged.
        auto total = m_declaration.source->count();
        ProgressPacer pacer(total ? *total : 0);
        QProgressDialog progress(translated("Searching..."), translated("&Cancel"), 0, 100,
                                 m_window.window());
        progress.setObjectName(QStringLiteral("SFLWINDOW"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        auto found = m_declaration.search(m_declaration.source->view(), text, ignoreCase, [&](qint64 read) {
            if (pacer.due()) {
                progress.setValue(pacer.percent(read));
                progress.setLabelText(QStringLiteral("%1%").arg(pacer.percent(read)));
            }
            return !progress.wasCanceled();
        });
        progress.reset();
        if (!found)
            showError(found.error());
        else
            for (qint64 id : *found)
                tags.add(id);
    }
    if (tags.isEmpty()) {
        Messages::beep(MessageIcon::Exclamation);
        Messages::show(translated("No matching records found!"), translated("Textsearch"),
                       MessageIcon::Exclamation);
        m_declaration.reload();
    } else if (m_onlyTagged) {
        const QSignalBlocker blocker(m_onlyTagged);
        m_onlyTagged->setChecked(true);
    }
    tagsChanged();
}

QStringList TagTools::filterParts()
{
    QStringList parts;
    if (!m_queryFilter.isEmpty())
        parts << QLatin1Char('(') + m_queryFilter + QLatin1Char(')');
    if (m_onlyTagged && m_onlyTagged->isChecked()) {
        QString tagged = QStringLiteral("|");
        for (qint64 id : m_declaration.tags->ids())
            tagged += QString::number(id) + QLatin1Char('|');
        m_declaration.source->names().bind(QStringLiteral("TaggedIDs"), tagged);
        parts << QStringLiteral("INSTRING('|' & %1 & '|',TaggedIDs,1,1)").arg(m_declaration.idField);
    }
    return parts;
}

void TagTools::chooseQuery()
{
    const query::SavedQueries queries(m_declaration.dataFolder, m_declaration.queryKey);
    QMenu menu;
    for (const query::SavedQuery &q : queries.list())
        menu.addAction(q.description);
    if (menu.isEmpty()) {
        Messages::show(translated("No saved queries."), m_window.procedureName(), MessageIcon::Information);
        return;
    }
    if (QAction *chosen = menu.exec(QCursor::pos()))
        if (auto r = applyQuery(chosen->text()); !r)
            showError(r.error());
}

Result<void> TagTools::applyQuery(const QString &description)
{
    if (description.trimmed().isEmpty())
        return {};
    const query::SavedQueries queries(m_declaration.dataFolder, m_declaration.queryKey);
    auto chosen = queries.choose(description, m_declaration.source->names());
    if (!chosen)
        return chosen.error();
    const QString previous = std::exchange(m_queryFilter, chosen->filter.trimmed());
    if (auto r = m_declaration.applyFilter(); !r) {
        m_queryFilter = previous;
        (void)m_declaration.applyFilter();
        return r;
    }
    m_queryDescription = chosen->description;
    m_declaration.reload();
    showTitle();
    return {};
}

void TagTools::voidQuery()
{
    m_queryFilter.clear();
    m_queryDescription.clear();
    m_declaration.reload();
    showTitle();
}

void TagTools::showTitle()
{
    QString title = m_declaration.title;
    if (!m_queryDescription.isEmpty())
        title += m_declaration.queryMark + m_queryDescription;
    QWidget *window = m_window.window();
    if (window)
        window->setWindowTitle(title);
    if (QWidget *frame = m_window.frame(); frame && frame != window)
        frame->setWindowTitle(title);
    if (auto *reset = window ? window->findChild<QPushButton *>(QStringLiteral("?RESET")) : nullptr)
        reset->setEnabled(!m_queryFilter.isEmpty());
}

Result<int> TagTools::exportTagged(const QString &path)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return makeError(90, translated("The file %1 cannot be written: %2").arg(path, out.errorString()));
    Result<int> written = [&] {
        const WaitCursor wait;
        return m_declaration.writeTagged ? m_declaration.writeTagged(m_declaration.tags->tags(), out)
                                         : m_declaration.writeCsv(m_declaration.tags->ids(), out);
    }();
    if (!written)
        return written.error();
    if (!out.commit())
        return makeError(90, translated("The file %1 cannot be written: %2").arg(path, out.errorString()));
    return *written;
}

Result<query::ImportReport> TagTools::importFile(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return makeError(90, translated("The file %1 cannot be read: %2").arg(path, in.errorString()));
    auto report = m_declaration.readCsv(QString::fromUtf8(in.readAll()));
    m_declaration.reload();
    return report;
}

void TagTools::askExport()
{
    QWidget *parent = m_window.window();
    std::optional<QString> asked = m_declaration.askPath ? m_declaration.askPath(parent, true) : std::nullopt;
    const QString path =
        asked ? *asked
              : QFileDialog::getSaveFileName(parent, translated("Export"), m_declaration.exportName,
                                             QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (auto r = exportTagged(path); !r)
        showError(r.error());
}

void TagTools::askImport()
{
    QWidget *parent = m_window.window();
    std::optional<QString> asked =
        m_declaration.askPath ? m_declaration.askPath(parent, false) : std::nullopt;
    const QString path = asked ? *asked
                               : QFileDialog::getOpenFileName(parent, translated("Import"), QString(),
                                                              QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    auto report = importFile(path);
    if (!report)
        showError(report.error());
    else
        Messages::show(report->text(), m_declaration.importCaption, MessageIcon::Information);
}

void TagTools::massUpdate(
    query::MassUpdate &update,
    const std::function<Result<void>(const std::vector<qint64> &ids, const query::MassUpdate &update)> &run)
{
    const std::vector<qint64> ids = m_declaration.tags->ids();
    if (!MassUpdateWindow::ask(m_window.window(), update, int(ids.size())) || !update.hasValues())
        return;
    Result<void> done = [&] {
        const WaitCursor wait;
        return run(ids, update);
    }();
    if (!done)
        showError(done.error());
    m_declaration.reload();
}

} // namespace tarvo::listext::ui
