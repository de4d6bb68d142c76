#include "listext/ui/ListPropertiesWindow.h"

#include "listext/ui/XploreClass.h"
#include "platform/runtime/Messages.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvo::listext::ui {

namespace {

QPushButton *button(const QString &text, const QString &name, QWidget *parent, const QString &tip = {})
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

} // namespace

ListPropertiesWindow::ListPropertiesWindow(XploreClass &list, QWidget *parent)
    : QDialog(parent ? parent : static_cast<QWidget *>(list.list())), m_list(list)
{
    setObjectName(QStringLiteral("ListPropertiesWindow"));
    const quint32 mask = list.featureMask();
    auto *tabs = new QTabWidget(this);
    m_available = new QListWidget;
    m_available->setObjectName(QStringLiteral("Available"));
    m_visible = new QListWidget;
    m_visible->setObjectName(QStringLiteral("Visible"));
    tabs->addTab(m_available, QStringLiteral("Available Fields"));
    tabs->addTab(m_visible, QStringLiteral("Visible Columns"));
    auto *add = button(QStringLiteral("+"), QStringLiteral("Add"), this,
                       QStringLiteral("Add field to \"Visible Columns\""));
    auto *remove = button(QStringLiteral("-"), QStringLiteral("Remove"), this,
                          QStringLiteral("Remove field from \"Visible Columns\""));
    auto *up = button(QStringLiteral("Up"), QStringLiteral("Up"), this);
    auto *down = button(QStringLiteral("Down"), QStringLiteral("Down"), this);

    auto *column = new QGroupBox(QStringLiteral("Column Properties"), this);
    auto *cf = new QFormLayout(column);
    m_header = new QLineEdit;
    m_header->setObjectName(QStringLiteral("Header"));
    m_header->setEnabled(mask & XploreClass::FeatureHeader);
    m_width = new QSpinBox;
    m_width->setObjectName(QStringLiteral("Width"));
    m_width->setRange(0, 9999);
    m_width->setEnabled(mask & XploreClass::FeatureWidth);
    m_fixed = new QCheckBox(QStringLiteral("Fixed"));
    m_fixed->setEnabled(mask & XploreClass::FeatureFixed);
    m_underline = new QCheckBox(QStringLiteral("Underline"));
    m_underline->setEnabled(mask & XploreClass::FeatureUnderline);
    m_border = new QCheckBox(QStringLiteral("Right Border"));
    m_border->setEnabled(mask & XploreClass::FeatureRightBorder);
    auto *color = button(QStringLiteral("&Color"), QStringLiteral("Color"), column);
    cf->addRow(QStringLiteral("Header:"), m_header);
    cf->addRow(QStringLiteral("Width:"), m_width);
    cf->addRow(m_fixed);
    cf->addRow(m_underline);
    cf->addRow(m_border);
    cf->addRow(color);

    auto *listBox = new QGroupBox(QStringLiteral("List Properties"), this);
    auto *lf = new QFormLayout(listBox);
    m_lineHeight = new QSpinBox;
    m_lineHeight->setObjectName(QStringLiteral("LineHeight"));
    m_lineHeight->setRange(0, 99);
    m_lineHeight->setEnabled(mask & XploreClass::FeatureLineHeight);
    m_hscroll = new QCheckBox(QStringLiteral("Horizontal Scrollbar"));
    m_hscroll->setEnabled(mask & XploreClass::FeatureHorizontalScroll);
    auto *font = button(QStringLiteral("&Font"), QStringLiteral("Font"), listBox);
    font->setEnabled(mask & XploreClass::FeatureFont);
    lf->addRow(QStringLiteral("Line Height:"), m_lineHeight);
    lf->addRow(m_hscroll);
    lf->addRow(font);

    auto *defaults = button(QStringLiteral("&Default"), QStringLiteral("Default"), this,
                            QStringLiteral("Reset all properties to default"));
    auto *close = button(QStringLiteral("&Close"), QStringLiteral("Close"), this);
    auto *moves = new QHBoxLayout;
    for (auto *b : {add, remove, up, down})
        moves->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(moves);
    layout->addWidget(column);
    layout->addWidget(listBox);
    auto *ends = new QHBoxLayout;
    ends->addWidget(defaults);
    ends->addWidget(close);
    layout->addLayout(ends);

    const ListAppearance a = m_list.appearance();
    m_lineHeight->setValue(a.lineHeight);
    m_hscroll->setChecked(a.horizontalScroll);

    connect(add, &QPushButton::clicked, this, &ListPropertiesWindow::addSelected);
    connect(remove, &QPushButton::clicked, this, &ListPropertiesWindow::removeSelected);
    connect(up, &QPushButton::clicked, this, [this]() { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this]() { moveSelected(1); });
    connect(defaults, &QPushButton::clicked, this, &ListPropertiesWindow::resetToDefault);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(color, &QPushButton::clicked, this, [this]() {
        const QString field = selectedVisibleField();
        if (field.isEmpty())
            return;
        m_list.setCurrentColumn(m_list.model()->columnOf(field));
        m_list.columnColors();
    });
    connect(m_visible, &QListWidget::currentRowChanged, this, &ListPropertiesWindow::showSelected);
    connect(m_header, &QLineEdit::textEdited, this,
            [this](const QString &text) { changeSelected([&text](ColumnState &c) { c.header = text; }); });
    connect(m_width, &QSpinBox::valueChanged, this,
            [this](int w) { changeSelected([w](ColumnState &c) { c.width = w; }); });
    connect(m_fixed, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([on](ColumnState &c) { c.fixed = on; }); });
    connect(m_underline, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([on](ColumnState &c) { c.underline = on; }); });
    connect(m_border, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([on](ColumnState &c) { c.rightBorder = on; }); });
    connect(m_lineHeight, &QSpinBox::valueChanged, this, [this](int h) {
        ListAppearance now = m_list.appearance();
        now.lineHeight = h;
        m_list.applyAppearance(now);
    });
    connect(m_hscroll, &QCheckBox::toggled, this, [this](bool on) {
        ListAppearance now = m_list.appearance();
        now.horizontalScroll = on;
        m_list.applyAppearance(now);
    });
    connect(font, &QPushButton::clicked, this, [this]() {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, m_list.list()->font(), this);
        if (ok)
            m_list.list()->setFont(f);
    });
    fillLists();
}

void ListPropertiesWindow::fillLists()
{
    m_filling = true;
    const ColumnStates shown = m_list.columnStates();
    m_visible->clear();
    for (const auto &c : shown) {
        auto *item = new QListWidgetItem(m_list.model()->definition(c.field)->description, m_visible);
        item->setData(Qt::UserRole, c.field);
    }
    m_available->clear();
    std::vector<const ColumnDefinition *> all;
    for (const auto &d : m_list.model()->definitions())
        if (d.locatorType != QLatin1Char('X'))
            all.push_back(&d);
    std::sort(all.begin(), all.end(),
              [](auto *a, auto *b) { return a->field.compare(b->field, Qt::CaseInsensitive) < 0; });
    for (const ColumnDefinition *d : all) {
        auto *item = new QListWidgetItem(d->description, m_available);
        item->setData(Qt::UserRole, d->field);
        const bool isShown = std::any_of(shown.begin(), shown.end(),
                                         [d](const ColumnState &c) { return c.field == d->field; });
        item->setCheckState(isShown ? Qt::Checked : Qt::Unchecked);
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    }
    m_filling = false;
    if (m_visible->currentRow() < 0 && m_visible->count() > 0)
        m_visible->setCurrentRow(0);
    if (m_available->currentRow() < 0 && m_available->count() > 0)
        m_available->setCurrentRow(0);
    showSelected();
}

QString ListPropertiesWindow::selectedVisibleField() const
{
    const auto *item = m_visible->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void ListPropertiesWindow::showSelected()
{
    if (m_filling)
        return;
    const QString field = selectedVisibleField();
    for (const ColumnState &c : m_list.columnStates())
        if (c.field == field) {
            m_filling = true;
            m_header->setText(c.header);
            m_width->setValue(c.width);
            m_fixed->setChecked(c.fixed);
            m_underline->setChecked(c.underline);
            m_border->setChecked(c.rightBorder);
            m_filling = false;
        }
}

void ListPropertiesWindow::changeSelected(const std::function<void(ColumnState &)> &change)
{
    if (m_filling)
        return;
    const QString field = selectedVisibleField();
    ColumnStates columns = m_list.columnStates();
    for (ColumnState &c : columns)
        if (c.field == field)
            change(c);
    m_list.applyColumnStates(columns);
}

void ListPropertiesWindow::addSelected()
{
    const auto *item = m_available->currentItem();
    if (!item)
        return;
    const QString field = item->data(Qt::UserRole).toString();
    ColumnStates columns = m_list.columnStates();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        if (columns[i].field == field) {
            m_visible->setCurrentRow(i);
            Messages::beep();
            return;
        }
    ColumnState added;
    if (auto it = m_removed.find(field); it != m_removed.end()) {
        added = it->second;
    } else {
        const ColumnDefinition *d = m_list.model()->definition(field);
        added.field = d->field;
        added.header = d->header;
        added.picture = d->picture;
        added.width = d->width;
        added.dataJustification = added.headerJustification = d->justification;
    }
    if (added.width == 0)
        added.width = 10;
    columns.push_back(added);
    m_list.applyColumnStates(columns);
    fillLists();
    m_visible->setCurrentRow(m_visible->count() - 1);
}

void ListPropertiesWindow::removeSelected()
{
    ColumnStates columns = m_list.columnStates();
    const int row = m_visible->currentRow();
    if (columns.size() < 2 || row < 0 || row >= static_cast<int>(columns.size()))
        return;
    m_removed[columns[row].field] = columns[row];
    columns.erase(columns.begin() + row);
    m_list.applyColumnStates(columns);
    fillLists();
    m_visible->setCurrentRow(std::min(row, m_visible->count() - 1));
}

void ListPropertiesWindow::moveSelected(int step)
{
    ColumnStates columns = m_list.columnStates();
    const int row = m_visible->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= static_cast<int>(columns.size())) {
        Messages::beep();
        return;
    }
    std::swap(columns[row], columns[to]);
    m_list.applyColumnStates(columns);
    fillLists();
    m_visible->setCurrentRow(to);
}

void ListPropertiesWindow::resetToDefault()
{
    m_list.resetLayout();
    m_removed.clear();
    fillLists();
    m_visible->setCurrentRow(0);
    m_available->setCurrentRow(0);
}

} // namespace tarvo::listext::ui
