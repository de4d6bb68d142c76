#include "core/dictionary/TarvoStoreTest.h"
#include "core/startup/SettingsRecord.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "masterdata/options/SortedList.h"
#include "masterdata/ui/options/OptionsWindow.h"
#include "masterdata/ui/options/ReferenceLists.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Text.h"
#include "platform/ui/UpdateForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

#include <map>

namespace tarvo::test {

namespace {

using masterdata::ui::ReferenceLists;

// How a list orders its entries.
enum class Order { Numbered, Alphabetical, Added, TypedSort };

struct ListCase {
    const char *name;
    int number;
    const char *file;
    const char *field;
    const char *noun;
    qint32 programId;
    Order order;
    bool issuesFollow; // the issues carry the list's sort numbers
};

const ListCase Cases[] = {
    {"IssueStatuses", ReferenceLists::IssueStatuses, "Status", "STATUS", "Status", 0, Order::Numbered, true},
    {"Severities", ReferenceLists::Severities, "Severity", "SEVERITY", "Severity", 0, Order::Numbered, false},
    {"Classifications", ReferenceLists::Classifications, "Classification", "CLASSIFICATION", "Classification",
     0, Order::Numbered, false},
    {"ProgramStatuses", ReferenceLists::ProgramStatuses, "Status", "STATUS", "Status",
     masterdata::ProgramStatusList, Order::Numbered, false},
    {"NoteStatuses", ReferenceLists::NoteStatuses, "Status", "STATUS", "Status", masterdata::NoteStatusList,
     Order::Numbered, false},
    {"Reproducibles", ReferenceLists::Reproducibles, "Reproducible", "REPRODUCIBLE", "Reproducible", -1,
     Order::Alphabetical, false},
    {"ContractTypes", ReferenceLists::ContractTypes, "ContractTypes", "CONTRACTTYPE", "Contract Type", -1,
     Order::Alphabetical, false},
    {"Resolutions", ReferenceLists::Resolutions, "Resolution", "RESOLUTION", "Resolution", -1,
     Order::Alphabetical, false},
    {"Descriptions", ReferenceLists::Descriptions, "BugDesc", "DESCRIPTION", "Description", -1, Order::Added,
     false},
    {"Priorities", ReferenceLists::Priorities, "Priority", "PRIORITY", "Priority", -1, Order::TypedSort,
     false},
};

// The entries each list starts with, in the order they are added.
const QStringList Seeded = {"C", "A", "B"};

} // namespace

// Every reference list of the Options window, worked as a user works it: insert through the
// entry's form after the selected entry, move, delete; the file, the list and the issues that
// show an entry are checked after each step.
class OptionsListsTest : public TarvoStoreTest {
  protected:
    void TearDown() override
    {
        if (window)
            window->close();
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        core::SettingsRecord::instance().clear();
        TarvoStoreTest::TearDown();
    }

    // The list holding A, B, C (added as C, A, B), numbered in that order where it is numbered,
    // and one issue of program 7 for each entry that shows it with its number.
    void seed(const ListCase &c)
    {
        for (int i = 0; i < Seeded.size(); ++i) {
            const QString text = Seeded[i];
            const int sort = int(text[0].unicode() - 'A') + 1;
            FieldValues values{{c.field, text}};
            if (c.programId >= 0)
                values.insert(values.end(), {{"PrgID", c.programId}, {"SORT", sort}});
            if (c.order == Order::TypedSort)
                values.push_back({"PRIORITYSORT", sort});
            add(c.file, values);
            add("Bugs", {{"PrgID", 7},
                         {"Status", text},
                         {"StatusSort", sort},
                         {"Priority", text},
                         {"PrioritySort", sort}});
            issueSorts[text] = sort;
        }
    }

    void openWindow()
    {
        core::SettingsRecord::instance().set(add("Parameter", {{"Language", "English"}, {"EMailType", 1}}));
        window = new masterdata::ui::OptionsWindow(registry.openFirst(), session());
        ASSERT_TRUE(window->open());
    }

    listext::ui::BrowseList &list(const ListCase &c) { return *window->referenceLists()->list(c.number); }

    // The texts the list shows, top to bottom.
    QStringList shown(const ListCase &c)
    {
        QStringList out;
        const auto &model = list(c).model();
        for (int row = 0; row < model.rowCount(); ++row)
            out << Text::clip(
                model.rawValue(row, QStringLiteral("%1:%2").arg(fm(c.file).layout().prefix(), c.field))
                    .toString());
        return out;
    }

    // "text:sort" of the list's stored entries in their order; the texts alone for a list
    // without numbers. A numbered list must be numbered 1..n.
    QStringList stored(const ListCase &c)
    {
        QStringList out;
        for (const data::Record &r : records(c.file)) {
            if (c.programId >= 0 && r.integer("PrgID") != c.programId)
                continue;
            const QString text = Text::clip(r.text(c.field));
            out << (c.order == Order::Numbered ? QStringLiteral("%1:%2").arg(text).arg(r.integer("SORT"))
                    : c.order == Order::TypedSort
                        ? QStringLiteral("%1:%2").arg(text).arg(r.integer("PRIORITYSORT"))
                        : text);
        }
        out.sort();
        return out;
    }

    static QStringList numbered(const QStringList &order)
    {
        QStringList out;
        for (int i = 0; i < order.size(); ++i)
            out << QStringLiteral("%1:%2").arg(order[i]).arg(i + 1);
        out.sort();
        return out;
    }

    // The issues' status numbers follow the list where it carries them to the issues; an issue
    // whose status is gone keeps its number.
    void expectIssues(const ListCase &c, const QStringList &order)
    {
        if (c.issuesFollow)
            for (int i = 0; i < order.size(); ++i)
                issueSorts[order[i]] = i + 1;
        for (const data::Record &bug : records("Bugs")) {
            const QString text = Text::clip(bug.text("Status"));
            EXPECT_EQ(bug.integer("StatusSort"), issueSorts[text])
                << "issue with status " << text.toStdString();
        }
    }

    QWidget *openForm(const QString &title)
    {
        QApplication::processEvents();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == title)
                return top;
        ADD_FAILURE() << "no form " << title.toStdString();
        return nullptr;
    }

    void press(const ListCase &c, const QString &name)
    {
        auto *button = window->referenceLists()->page(c.number)->findChild<QPushButton *>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
        QApplication::processEvents();
    }
    QString buttonName(const ListCase &c, const char *name)
    {
        return QString::fromLatin1(name) +
               list(c).button(Request::Insert)->objectName().mid(int(qstrlen("Insert")));
    }

    ContextRegistry registry;
    QPointer<masterdata::ui::OptionsWindow> window;
    std::map<QString, qint64> issueSorts;
};
TARVO_REAL_STORE_SUITE(OptionsListsTest);

TEST_P(OptionsListsTest, InsertAfterTheSelectionMoveAndDeleteKeepEveryListDense)
{
    for (const ListCase &c : Cases) {
        SCOPED_TRACE(c.name);
        seed(c);
        openWindow();
        ASSERT_TRUE(window);
        const QStringList start = c.order == Order::Added ? Seeded : QStringList{"A", "B", "C"};
        EXPECT_EQ(shown(c), start);

        // Insert with B selected.
        list(c).goToRow(int(start.indexOf("B")));
        press(c, buttonName(c, "Insert"));
        QWidget *form = openForm(QStringLiteral("Add %1...").arg(c.noun));
        ASSERT_NE(form, nullptr);
        form->findChild<QLineEdit *>(c.field)->setText("N");
        if (c.order == Order::TypedSort)
            form->findChild<QSpinBox *>("PRIORITYSORT")->setValue(4);
        form->findChild<QPushButton *>("OK")->click();
        QApplication::processEvents();
        QStringList order = c.order == Order::Numbered ? QStringList{"A", "B", "N", "C"}
                            : c.order == Order::Added  ? QStringList{"C", "A", "B", "N"}
                                                       : QStringList{"A", "B", "C", "N"};
        EXPECT_EQ(shown(c), order);
        if (c.order == Order::Numbered) {
            EXPECT_EQ(stored(c), numbered(order));
            EXPECT_EQ(list(c).currentRow(), 2) << "the list is on the new entry";
        } else if (c.order == Order::TypedSort) {
            EXPECT_EQ(stored(c), QStringList({"A:1", "B:2", "C:3", "N:4"}));
        }
        expectIssues(c, order);

        if (c.order == Order::Numbered) {
            list(c).goToRow(2);
            press(c, buttonName(c, "MoveUp"));
            order = {"A", "N", "B", "C"};
            EXPECT_EQ(shown(c), order);
            EXPECT_EQ(stored(c), numbered(order));
            EXPECT_EQ(list(c).currentRow(), 1) << "the list follows the moved entry";
            expectIssues(c, order);
            list(c).goToRow(0);
            m_messages.clear();
            press(c, buttonName(c, "MoveUp"));
            EXPECT_EQ(m_messages.beeps().size(), 1u) << "the first entry stays first";
            EXPECT_EQ(stored(c), numbered(order));
        } else {
            EXPECT_EQ(
                window->referenceLists()->page(c.number)->findChild<QPushButton *>(buttonName(c, "MoveUp")),
                nullptr)
                << "only a numbered list has moves";
        }
        if (c.order == Order::TypedSort) {
            // A new sort number of a priority reaches its issues; deleting it leaves them alone.
            list(c).goToRow(0);
            press(c, buttonName(c, "Change"));
            form = openForm(QStringLiteral("Change Priority..."));
            ASSERT_NE(form, nullptr);
            form->findChild<QSpinBox *>("PRIORITYSORT")->setValue(9);
            form->findChild<QPushButton *>("OK")->click();
            QApplication::processEvents();
            EXPECT_EQ(one("Bugs", {{"Priority", "A"}}).integer("PrioritySort"), 9);
            order = {"B", "C", "N", "A"};
            EXPECT_EQ(shown(c), order);
        }

        // Delete the first entry.
        list(c).goToRow(0);
        const QString doomed = order.front();
        const qint64 doomedPriority = one("Bugs", {{"Priority", doomed}}).integer("PrioritySort");
        m_errors.answers.push_back(Button::Yes);
        press(c, buttonName(c, "Delete"));
        order.removeFirst();
        EXPECT_EQ(shown(c), order);
        if (c.order == Order::Numbered) {
            EXPECT_EQ(stored(c), numbered(order));
        }
        expectIssues(c, order);
        if (c.order == Order::TypedSort) {
            EXPECT_EQ(one("Bugs", {{"Priority", doomed}}).integer("PrioritySort"), doomedPriority);
        }
        // The one thing the data layer said was the question before the delete.
        ASSERT_EQ(m_errors.errors.size(), 1u);
        EXPECT_EQ(m_errors.errors.front().messageNumber, tarvo::ui::UpdateForm::MessageConfirmDelete);
        m_errors.errors.clear();

        window->close();
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        exec(QStringLiteral("DELETE FROM %1").arg(data::RecordLayout::quote(fm(c.file).layout().table())));
        exec(QStringLiteral("DELETE FROM %1").arg(data::RecordLayout::quote(fm("Bugs").layout().table())));
        exec(QStringLiteral("DELETE FROM %1")
                 .arg(data::RecordLayout::quote(fm("Parameter").layout().table())));
        issueSorts.clear();
    }
}

} // namespace tarvo::test
