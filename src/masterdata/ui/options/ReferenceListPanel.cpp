#include "masterdata/ui/options/ReferenceListPanel.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace tarvo::masterdata::ui {

namespace {

QPushButton *button(const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

template <class T> Result<void> outcome(const Result<T> &result)
{
    return result ? Result<void>() : Result<void>(result.error());
}

} // namespace

ReferenceListPanel::Source ReferenceListPanel::sorted(data::Session &session, SortedList::Kind kind,
                                                      qint32 programId)
{
    auto list = std::make_shared<SortedList>(session, kind, programId);
    Source s;
    s.textField = list->textField();
    s.entries = [list]() { return list->entries(); };
    s.insert = [list](const QString &text, const data::Record *selected) -> Result<int> {
        auto entry = list->newEntry();
        if (!entry)
            return entry.error();
        entry.value().setValue(list->textField(), text);
        auto sort = list->insert(*entry, selected ? selected->integer(QStringLiteral("SORT")) : 0);
        if (!sort)
            return sort.error();
        return int(*sort) - 1;
    };
    s.remove = [list](const data::Record &entry) { return list->remove(entry); };
    s.move = [list](const data::Record &entry, int step) { return list->move(entry, step); };
    if (kind == SortedList::Kind::Status && programId != ProgramStatusList)
        s.change = [list](const data::Record &entry) { return list->change(entry); };
    return s;
}

ReferenceListPanel::Source ReferenceListPanel::text(data::Session &session, TextList::Kind kind)
{
    auto list = std::make_shared<TextList>(session, kind);
    Source s;
    s.textField = list->textField();
    s.entries = [list]() { return list->entries(); };
    s.insert = [list](const QString &text, const data::Record *) -> Result<int> {
        if (auto added = list->insert(text); !added)
            return added.error();
        auto rows = list->entries();
        if (!rows)
            return rows.error();
        for (size_t i = 0; i < rows->size(); ++i)
            if (Text::clip((*rows)[i].text(list->textField())) == text)
                return int(i);
        return -1;
    };
    s.remove = [list](const data::Record &entry) { return list->remove(entry); };
    return s;
}

ReferenceListPanel::ReferenceListPanel(Source source, QWidget *parent)
    : QWidget(parent), m_source(std::move(source))
{
    auto *grid = new QGridLayout(this);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("List"));
    grid->addWidget(m_list, 0, 0, 6, 1);
    int row = 0;
    if (m_source.move) {
        auto *up = button(QStringLiteral("Move Up"), QStringLiteral("MoveUp"));
        auto *down = button(QStringLiteral("Move Down"), QStringLiteral("MoveDown"));
        grid->addWidget(up, row++, 1);
        grid->addWidget(down, row++, 1);
        connect(up, &QPushButton::clicked, this, [this]() { move(-1); });
        connect(down, &QPushButton::clicked, this, [this]() { move(+1); });
    }
    auto *deleteButton = button(QStringLiteral("&Delete"), QStringLiteral("Delete"));
    grid->addWidget(deleteButton, row, 1);
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("NewEntry"));
    m_text->setPlaceholderText(QStringLiteral("New entry"));
    auto *insertButton = button(QStringLiteral("&Insert"), QStringLiteral("Insert"));
    grid->addWidget(m_text, 6, 0);
    grid->addWidget(insertButton, 6, 1);
    if (m_source.change) {
        m_gray = new QCheckBox(QStringLiteral("Gray-out this Status in the bugs browser"));
        m_gray->setObjectName(QStringLiteral("GRAY"));
        grid->addWidget(m_gray, 7, 0, 1, 2);
        connect(m_gray, &QCheckBox::clicked, this, &ReferenceListPanel::grayChanged);
    }
    connect(insertButton, &QPushButton::clicked, this, &ReferenceListPanel::insert);
    m_text->installEventFilter(this);
    connect(deleteButton, &QPushButton::clicked, this, &ReferenceListPanel::remove);
    connect(m_list, &QListWidget::currentRowChanged, this, &ReferenceListPanel::selectionChanged);
    reload();
}

bool ReferenceListPanel::eventFilter(QObject *watched, QEvent *event)
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

void ReferenceListPanel::reload()
{
    const int row = m_list->currentRow();
    auto read = m_source.entries();
    m_entries = read ? std::move(read).value() : std::vector<data::Record>{};
    if (!read)
        report(read.error());
    m_list->clear();
    for (const data::Record &entry : m_entries)
        m_list->addItem(Text::clip(entry.text(m_source.textField)));
    m_list->setCurrentRow(std::min(row, int(m_entries.size()) - 1));
    selectionChanged();
}

const data::Record *ReferenceListPanel::selected() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_entries.size()) ? &m_entries[size_t(row)] : nullptr;
}

bool ReferenceListPanel::report(const Result<void> &result)
{
    if (result)
        return true;
    // The data layer has shown its own failures already; only the list's refusals are told here.
    if (SortedList::isOwnError(result.error()))
        Messages::show(result.error().message, QStringLiteral("Options"), MessageIcon::Exclamation);
    return false;
}

void ReferenceListPanel::insert()
{
    const QString text = m_text->text().trimmed();
    if (text.isEmpty()) {
        Messages::beep(MessageIcon::Exclamation);
        return;
    }
    auto row = m_source.insert(text, selected());
    const bool added = report(outcome(row));
    if (added)
        m_text->clear();
    m_list->setCurrentRow(-1);
    reload();
    if (added)
        m_list->setCurrentRow(*row);
}

void ReferenceListPanel::remove()
{
    if (const data::Record *entry = selected())
        report(m_source.remove(*entry));
    reload();
}

void ReferenceListPanel::move(int step)
{
    const data::Record *entry = selected();
    if (!entry)
        return;
    const int row = m_list->currentRow();
    auto moved = m_source.move(*entry, step);
    if (moved && !*moved)
        Messages::beep(MessageIcon::Exclamation);
    report(outcome(moved));
    reload();
    if (moved && *moved)
        m_list->setCurrentRow(row + step);
}

void ReferenceListPanel::grayChanged(bool on)
{
    const data::Record *current = selected();
    if (!current)
        return;
    data::Record entry = *current;
    entry.setValue(QStringLiteral("GRAY"), on ? 1 : 0);
    report(m_source.change(entry));
    reload();
}

void ReferenceListPanel::selectionChanged()
{
    if (!m_gray)
        return;
    const data::Record *entry = selected();
    m_gray->setEnabled(entry != nullptr);
    m_gray->setChecked(entry && entry->integer(QStringLiteral("GRAY")) != 0);
}

} // namespace tarvo::masterdata::ui
