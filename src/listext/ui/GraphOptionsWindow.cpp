#include "listext/ui/GraphOptionsWindow.h"

#include "listext/ColourNames.h"
#include "listext/ui/ColourValue.h"
#include "listext/ui/FontStyle.h"
#include "platform/runtime/Messages.h"

#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::listext::ui {

namespace {

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

GraphOptionsWindow::GraphOptionsWindow(IniFile ini, QWidget *parent)
    : QDialog(parent), m_ini(std::move(ini)), m_options(GraphOptions::readForWindow(m_ini))
{
    setObjectName(QStringLiteral("GraphOptionsWindow"));
    auto *tabs = new QTabWidget(this);
    auto *colours = new QWidget;
    auto *cl = new QVBoxLayout(colours);
    cl->addWidget(new QLabel(QStringLiteral("Graph Colors")));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("List"));
    cl->addWidget(m_list);
    auto *row = new QHBoxLayout;
    auto *up = button(QStringLiteral("Up"), QStringLiteral("MoveUp"), colours);
    auto *down = button(QStringLiteral("Down"), QStringLiteral("MoveDown"), colours);
    auto *resetButton = button(QStringLiteral("&Reset"), QStringLiteral("Reset"), colours);
    row->addWidget(up);
    row->addWidget(down);
    row->addWidget(resetButton);
    cl->addLayout(row);
    cl->addWidget(new QLabel(QStringLiteral("Note: Only the top 8 colors will be used for graphing")));
    tabs->addTab(colours, QStringLiteral("Colors"));
    auto *fontTab = new QWidget;
    auto *fl = new QVBoxLayout(fontTab);
    fl->addWidget(new QLabel(QStringLiteral("Specify the font here to be used in the Graphs")));
    m_sample = new QLabel;
    m_sample->setObjectName(QStringLiteral("Sample"));
    fl->addWidget(m_sample);
    auto *fontButton = button(QStringLiteral("&Font"), QStringLiteral("Font"), fontTab);
    fl->addWidget(fontButton);
    tabs->addTab(fontTab, QStringLiteral("Font"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    auto *ok = button(QStringLiteral("&OK"), QStringLiteral("OK"), this);
    layout->addWidget(ok);

    connect(up, &QPushButton::clicked, this, &GraphOptionsWindow::moveUp);
    connect(down, &QPushButton::clicked, this, &GraphOptionsWindow::moveDown);
    connect(resetButton, &QPushButton::clicked, this, &GraphOptionsWindow::reset);
    connect(ok, &QPushButton::clicked, this, [this]() {
        takeOrder();
        accept();
    });
    connect(fontButton, &QPushButton::clicked, this, [this]() {
        QFont f(m_options.fontName, m_options.fontSize);
        applyFontStyle(f, m_options.fontStyle);
        bool ok = false;
        const QFont chosen =
            QFontDialog::getFont(&ok, f, this, QStringLiteral("Select a Font for Vertical Legend on Graphs"));
        if (!ok)
            return;
        m_options.fontName = chosen.family();
        m_options.fontSize = chosen.pointSize();
        m_options.fontStyle = fontStyleOf(chosen);
        showSample();
    });
    fill();
    showSample();
}

void GraphOptionsWindow::fill()
{
    m_list->clear();
    for (const QString &name : m_options.colours) {
        auto *item = new QListWidgetItem(name, m_list);
        const int value = ColourNames::value(name).value_or(0);
        item->setBackground(colourOf(value, Qt::white));
        item->setForeground(name == QStringLiteral("Black") ? Qt::white : Qt::black);
    }
    m_list->setCurrentRow(0);
}

void GraphOptionsWindow::showSample()
{
    QFont f(m_options.fontName, m_options.fontSize);
    applyFontStyle(f, m_options.fontStyle);
    m_sample->setFont(f);
    m_sample->setText(m_options.sampleText());
}

void GraphOptionsWindow::moveUp()
{
    const int row = m_list->currentRow();
    if (row <= 0) {
        Messages::beep();
        return;
    }
    m_list->insertItem(row - 1, m_list->takeItem(row));
    m_list->setCurrentRow(row - 1);
}

void GraphOptionsWindow::moveDown()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_list->count() - 1) {
        Messages::beep();
        return;
    }
    m_list->insertItem(row + 1, m_list->takeItem(row));
    m_list->setCurrentRow(row + 1);
}

void GraphOptionsWindow::reset()
{
    m_options.colours = GraphOptions::defaultColours();
    fill();
}

void GraphOptionsWindow::takeOrder()
{
    QStringList order;
    for (int i = 0; i < m_list->count(); ++i)
        order << m_list->item(i)->text();
    m_options.colours = order;
}

void GraphOptionsWindow::done(int result)
{
    if (auto r = m_options.write(m_ini); !r)
        Messages::show(r.error().message, QStringLiteral("Xplore"));
    QDialog::done(result);
}

} // namespace tarvo::listext::ui
