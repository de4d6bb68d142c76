#include "listext/ui/ColumnColorsWindow.h"

#include "listext/ColourNames.h"
#include "listext/ui/XploreClass.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tarvo::listext::ui {

namespace {

// Drop list i sets this place of the column's colours (text, background, selected text,
// selected background).
constexpr int ColourPlace[4] = {1, 3, 0, 2};

} // namespace

ColumnColorsWindow::ColumnColorsWindow(XploreClass &list, const QString &field, QWidget *parent)
    : QDialog(parent ? parent : static_cast<QWidget *>(list.list())), m_list(list), m_field(field)
{
    setObjectName(QStringLiteral("ColumnColorsWindow"));
    const ColumnDefinition *d = list.model()->definition(field);
    setWindowTitle(QStringLiteral("Colors for Column: ") + (d ? d->description.trimmed() : field));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Background")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Text")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Normal")), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Selected")), 2, 0);
    const auto colours = list.model()->columnColors(field);
    const char *names[4] = {"NormalBackground", "SelectedBackground", "NormalText", "SelectedText"};
    for (int i = 0; i < 4; ++i) {
        auto *drop = new QComboBox(this);
        drop->setObjectName(QLatin1String(names[i]));
        drop->addItems(ColourNames::names());
        drop->setCurrentText(ColourNames::name(colours[ColourPlace[i]]).value_or(QStringLiteral("None")));
        connect(drop, &QComboBox::textActivated, this, [this, i](const QString &name) { choose(i, name); });
        m_drops[i] = drop;
        grid->addWidget(drop, 1 + i % 2, 1 + i / 2);
    }
    auto *resetButton = new QPushButton(QStringLiteral("&Reset"), this);
    resetButton->setObjectName(QStringLiteral("Reset"));
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    grid->addWidget(resetButton, 3, 1);
    grid->addWidget(ok, 3, 2);
    connect(resetButton, &QPushButton::clicked, this, &ColumnColorsWindow::reset);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ColumnColorsWindow::choose(int drop, const QString &name)
{
    const auto value = ColourNames::value(name);
    if (!value)
        return;
    auto colours = m_list.model()->columnColors(m_field);
    colours[ColourPlace[drop]] = *value;
    m_list.model()->setColumnColors(m_field, colours[0], colours[1], colours[2], colours[3]);
    m_drops[drop]->setCurrentText(name);
}

void ColumnColorsWindow::reset()
{
    for (int i = 0; i < 4; ++i)
        m_drops[i]->setCurrentText(QStringLiteral("None"));
    m_list.model()->setColumnColors(m_field, -1, -1, -1, -1);
}

} // namespace tarvo::listext::ui
