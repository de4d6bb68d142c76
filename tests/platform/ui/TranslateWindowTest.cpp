#include "platform/ui/TranslateWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace tarvo;

namespace {

const Translator &german()
{
    static const Translator translator = [] {
        Translator t;
        t.addTable();
        return t;
    }();
    return translator;
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// A small form with one control of each kind that shows a caption, plus controls that show data.
struct Form {
    Form()
    {
        dialog.setWindowTitle(QStringLiteral("User Settings"));
        auto *layout = new QVBoxLayout(&dialog);
        auto *bar = new QMenuBar(&dialog);
        fileMenu = bar->addMenu(QStringLiteral("&File"));
        exitAction = fileMenu->addAction(QStringLiteral("&Exit"));
        cut = fileMenu->addAction(QStringLiteral("Cut\tCtrl+X"));
        // A menu owned elsewhere, reached only through the window's actions.
        outsideMenu = std::make_unique<QMenu>(QStringLiteral("&Help"));
        outsideMenu->addAction(QStringLiteral("&Contents"));
        bar->addMenu(outsideMenu.get());
        layout->setMenuBar(bar);

        insert = new QPushButton(QStringLiteral("&Insert"), &dialog);
        insert->setToolTip(QStringLiteral("Insert Record"));
        ok = new QPushButton(QStringLiteral("&OK"), &dialog);
        auto *group = new QGroupBox(QStringLiteral("Colors"), &dialog);
        workflow = new QCheckBox(QStringLiteral("Enable Workflow"), group);
        severity = new QLabel(QStringLiteral("Severity:"), &dialog);
        data = new QLabel(QStringLiteral("Customers"), &dialog);
        data->setObjectName(QStringLiteral("value"));
        tabs = new QTabWidget(&dialog);
        tabs->addTab(new QWidget, QStringLiteral("General"));
        tabs->addTab(new QWidget, QStringLiteral("Status"));
        search = new QLineEdit(&dialog);
        search->setPlaceholderText(QStringLiteral("Text to search for:"));
        search->setText(QStringLiteral("Customers"));
        period = new QComboBox(&dialog);
        period->addItems({"monthly", "quarterly", "half-yearly", "yearly"});
        status = new QComboBox(&dialog);
        status->addItems({"New"});
        editable = new QComboBox(&dialog);
        editable->setEditable(true);
        editable->addItems({"monthly", "quarterly", "half-yearly", "yearly"});
        tree = new QTreeWidget(&dialog);
        tree->setHeaderLabels({"Program", "Lic.", "Status"});
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList{"Customers", "Price"}));
        auto *tool = new QToolButton(&dialog);
        toolAction = new QAction(QStringLiteral("Tag all records"), &dialog);
        tool->setDefaultAction(toolAction);
        for (QWidget *w : std::initializer_list<QWidget *>{insert, ok, group, severity, data, tabs, search,
                                                           period, status, editable, tree, tool})
            layout->addWidget(w);
    }

    QDialog dialog;
    std::unique_ptr<QMenu> outsideMenu;
    QMenu *fileMenu;
    QAction *exitAction;
    QAction *cut;
    QAction *toolAction;
    QPushButton *insert;
    QPushButton *ok;
    QCheckBox *workflow;
    QLabel *severity;
    QLabel *data;
    QTabWidget *tabs;
    QLineEdit *search;
    QComboBox *period;
    QComboBox *status;
    QComboBox *editable;
    QTreeWidget *tree;
};

struct Expectation {
    const char *what;
    std::function<QString(Form &)> read;
    const char *english;
    const char *german;
};

const Expectation kExpectations[] = {
    {"caption", [](Form &f) { return f.dialog.windowTitle(); }, "User Settings", "Benutzer-Einstellungen"},
    {"button", [](Form &f) { return f.insert->text(); }, "&Insert", "&Einfügen"},
    {"button tooltip", [](Form &f) { return f.insert->toolTip(); }, "Insert Record", "Datensatz einfügen"},
    {"not a key", [](Form &f) { return f.ok->text(); }, "&OK", "&OK"},
    {"check box", [](Form &f) { return f.workflow->text(); }, "Enable Workflow", "Workflow aktivieren"},
    {"group", [](Form &f) { return f.workflow->parentWidget()->property("title").toString(); }, "Colors",
     "Farben"},
    {"label", [](Form &f) { return f.severity->text(); }, "Severity:", "Art:"},
    {"tab", [](Form &f) { return f.tabs->tabText(0); }, "General", "Allgemein"},
    {"tab not a key", [](Form &f) { return f.tabs->tabText(1); }, "Status", "Status"},
    {"placeholder", [](Form &f) { return f.search->placeholderText(); },
     "Text to search for:", "Gesuchter Text:"},
    {"entered text", [](Form &f) { return f.search->text(); }, "Customers", "Customers"},
    {"menu title", [](Form &f) { return f.fileMenu->title(); }, "&File", "&Datei"},
    {"menu item", [](Form &f) { return f.exitAction->text(); }, "&Exit", "&Beenden"},
    {"menu item with shortcut", [](Form &f) { return f.cut->text(); }, "Cut\tCtrl+X", "Ausschneiden\tStrg+X"},
    {"outside menu", [](Form &f) { return f.outsideMenu->title(); }, "&Help", "&Hilfe"},
    {"outside menu item", [](Form &f) { return f.outsideMenu->actions().at(0)->text(); }, "&Contents",
     "&Inhalt"},
    {"tool button", [](Form &f) { return f.toolAction->text(); }, "Tag all records",
     "Alle Datensätze markieren"},
    {"fixed choices", [](Form &f) { return comboItems(f.period).join('|'); },
     "monthly|quarterly|half-yearly|yearly", "monatlich|vierteljährlich|halbjährlich|jährlich"},
    {"single choice is data", [](Form &f) { return comboItems(f.status).join('|'); }, "New", "New"},
    {"editable choices are data", [](Form &f) { return comboItems(f.editable).join('|'); },
     "monthly|quarterly|half-yearly|yearly", "monthly|quarterly|half-yearly|yearly"},
    {"column headers",
     [](Form &f) {
         return QStringList{f.tree->headerItem()->text(0), f.tree->headerItem()->text(1),
                            f.tree->headerItem()->text(2)}
             .join('|');
     },
     "Program|Lic.|Status", "Programm|Liz.|Status"},
    {"list row", [](Form &f) { return f.tree->topLevelItem(0)->text(0); }, "Customers", "Customers"},
};

} // namespace

TEST(TranslateWindow, TranslatesCaptionsAndLeavesDataAlone)
{
    Form form;
    ui::translateWindow(&form.dialog, german());
    for (const Expectation &e : kExpectations)
        EXPECT_EQ(e.read(form), QString::fromUtf8(e.german)) << e.what;

    // The tool button follows its action, and a second pass changes nothing more.
    EXPECT_EQ(form.dialog.findChild<QToolButton *>()->text(), QStringLiteral("Alle Datensätze markieren"));
    ui::translateWindow(&form.dialog, german());
    for (const Expectation &e : kExpectations)
        EXPECT_EQ(e.read(form), QString::fromUtf8(e.german)) << e.what << " (second pass)";
}

TEST(TranslateWindow, DoesNothingWithoutATable)
{
    Form form;
    const Translator empty;
    ui::translateWindow(&form.dialog, empty);
    ui::translateWindow(nullptr, german());
    for (const Expectation &e : kExpectations)
        EXPECT_EQ(e.read(form), QString::fromUtf8(e.english)) << e.what;
}
