#include "masterdata/ui/options/SortedListPanel.h"

#include "masterdata/ui/options/ReferenceForm.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace tarvo::masterdata::ui {

namespace {

QPushButton *button(const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

} // namespace

SortedListPanel::SortedListPanel(data::Session &session, SortedList::Kind kind, qint32 programId,
                                 Context *context, QWidget *parent)
    : QWidget(parent), m_sorted(session, kind, programId), m_session(session), m_kind(kind),
      m_programId(programId), m_context(context ? context->shared_from_this() : nullptr)
{
    auto *grid = new QGridLayout(this);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("List"));
    grid->addWidget(m_list, 0, 0, 6, 1);
    auto *up = button(QStringLiteral("Move Up"), QStringLiteral("MoveUp"));
    auto *down = button(QStringLiteral("Move Down"), QStringLiteral("MoveDown"));
    auto *insertButton = button(QStringLiteral("&Insert"), QStringLiteral("Insert"));
    auto *deleteButton = button(QStringLiteral("&Delete"), QStringLiteral("Delete"));
    grid->addWidget(up, 0, 1);
    grid->addWidget(down, 1, 1);
    grid->addWidget(deleteButton, 2, 1);
    if (m_context) {
        auto *changeButton = button(QStringLiteral("&Change"), QStringLiteral("Change"));
        grid->addWidget(changeButton, 3, 1);
        connect(changeButton, &QPushButton::clicked, this, &SortedListPanel::change);
        connect(m_list, &QListWidget::itemDoubleClicked, this, &SortedListPanel::change);
    }
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("NewEntry"));
    m_text->setPlaceholderText(QStringLiteral("New entry"));
    grid->addWidget(m_text, 6, 0);
    grid->addWidget(insertButton, 6, 1);
    if (kind == SortedList::Kind::Status && programId != ProgramStatusList) {
        m_gray = new QCheckBox(QStringLiteral("Gray-out this Status in the bugs browser"));
        m_gray->setObjectName(QStringLiteral("GRAY"));
        grid->addWidget(m_gray, 7, 0, 1, 2);
        connect(m_gray, &QCheckBox::clicked, this, &SortedListPanel::grayChanged);
    }
    connect(up, &QPushButton::clicked, this, [this]() { move(-1); });
    connect(down, &QPushButton::clicked, this, [this]() { move(+1); });
    connect(insertButton, &QPushButton::clicked, this, &SortedListPanel::insert);
    m_text->installEventFilter(this);
    connect(deleteButton, &QPushButton::clicked, this, &SortedListPanel::remove);
    connect(m_list, &QListWidget::currentRowChanged, this, &SortedListPanel::selectionChanged);
    reload();
}

bool SortedListPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the new entry inserts it; it never reaches the window's OK.
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insert();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SortedListPanel::reload()
{
    const int row = m_list->currentRow();
    auto read = m_sorted.entries();
    m_entries = read ? std::move(read).value() : std::vector<data::Record>{};
    if (!read)
        report(read.error());
    m_list->clear();
    for (const data::Record &entry : m_entries)
        m_list->addItem(Text::clip(entry.text(m_sorted.textField())));
    m_list->setCurrentRow(std::min(row, int(m_entries.size()) - 1));
    selectionChanged();
}

bool SortedListPanel::report(const Result<void> &result)
{
    if (result)
        return true;
    Messages::show(result.error().message, QStringLiteral("Options"), MessageIcon::Exclamation);
    return false;
}

void SortedListPanel::insert()
{
    const QString text = m_text->text().trimmed();
    if (text.isEmpty()) {
        Messages::beep(MessageIcon::Exclamation);
        return;
    }
    auto entry = m_sorted.newEntry();
    if (!report(entry ? Result<void>() : Result<void>(entry.error())))
        return;
    entry.value().setValue(m_sorted.textField(), text);
    const int row = m_list->currentRow();
    const qint64 after = row >= 0 ? m_entries[size_t(row)].integer(QStringLiteral("SORT")) : 0;
    auto sort = m_sorted.insert(*entry, after);
    if (report(sort ? Result<void>() : Result<void>(sort.error()))) {
        m_text->clear();
        m_list->setCurrentRow(-1);
        reload();
        m_list->setCurrentRow(int(*sort) - 1);
        return;
    }
    reload();
}

void SortedListPanel::remove()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    report(m_sorted.remove(m_entries[size_t(row)]));
    reload();
}

void SortedListPanel::change()
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_context)
        return;
    using ui::ReferenceKind;
    ReferenceKind kind = m_kind == SortedList::Kind::Severity         ? ReferenceKind::Severity
                         : m_kind == SortedList::Kind::Classification ? ReferenceKind::Classification
                         : m_programId == ProgramStatusList           ? ReferenceKind::ProgramStatus
                         : m_programId == NoteStatusList              ? ReferenceKind::NoteStatus
                                                                      : ReferenceKind::Status;
    const data::Record &entry = m_entries[size_t(row)];
    QPointer<SortedListPanel> self(this);
    openReferenceForm(*m_context, m_session, kind, m_programId, Request::Change, entry,
                      entry.integer(QStringLiteral("SORT")), window(), [self](int) {
                          if (self)
                              self->reload();
                      });
}

void SortedListPanel::move(int step)
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    auto moved = m_sorted.move(m_entries[size_t(row)], step);
    if (moved && !*moved)
        Messages::beep(MessageIcon::Exclamation);
    if (!moved)
        report(moved.error());
    reload();
    if (moved && *moved)
        m_list->setCurrentRow(row + step);
}

void SortedListPanel::grayChanged(bool on)
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    data::Record entry = m_entries[size_t(row)];
    entry.setValue(QStringLiteral("GRAY"), on ? 1 : 0);
    report(m_sorted.change(entry));
    reload();
}

void SortedListPanel::selectionChanged()
{
    if (!m_gray)
        return;
    const int row = m_list->currentRow();
    m_gray->setEnabled(row >= 0);
    m_gray->setChecked(row >= 0 && m_entries[size_t(row)].integer(QStringLiteral("GRAY")) != 0);
}

} // namespace tarvo::masterdata::ui
