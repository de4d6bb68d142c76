#include "issues/ui/subforms/IssueSubForms.h"

#include "SubFormFolder.h"
#include "platform/data/FileManager.h"
#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace tarvo::issues::test {

namespace {

using issues::ui::IssueSubFormLists;
using issues::ui::SubFormOwner;

using RegisteredSubForms = SubFormFolder;

// The note form's window, as the user sees it; null when none is open.
QWidget *openNoteWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("UpdateNotes") && w->isVisible())
            return w;
    return nullptr;
}

TEST_P(RegisteredSubForms, TheWindowsProceduresOpenTheNoteFormOnTheCurrentRowOrForTheOwner)
{
    tarvo::ui::WindowManager window(*context, QStringLiteral("Caller"));
    window.setDeleteOnClose(false);
    window.setWindow(new QWidget);
    ASSERT_TRUE(window.open());
    qint64 currentRow = -1;
    const qint64 beta = folder->programId(QStringLiteral("Beta"));
    issues::ui::registerIssueSubForms(window, session(), user,
                                      IssueSubFormLists{{4, [&] { return currentRow; }}, {}, {}}, [beta] {
                                          return SubFormOwner{0, beta};
                                      });

    int done = 0;
    window.run(4, Request::Insert, [&](int r) { done = r; });
    QWidget *form = openNoteWindow();
    ASSERT_TRUE(form);
    form->findChild<QPlainTextEdit *>(QStringLiteral("NOTE:Note"))
        ->setPlainText(QStringLiteral("Through the procedure"));
    form->findChild<QPushButton *>(QStringLiteral("OK"))->click();
    drain();
    EXPECT_EQ(done, Response::Completed);
    const QVariantList rows = folder->column(
        QStringLiteral(
            "SELECT \"_rid\" FROM \"Notes\" WHERE \"PrgID\" = ? AND \"Note\" = 'Through the procedure'"),
        {beta});
    ASSERT_EQ(rows.size(), 1);

    // No current row: nothing opens.
    done = 0;
    window.run(4, Request::Change, [&](int r) { done = r; });
    EXPECT_EQ(done, Response::Cancelled);
    EXPECT_EQ(openNoteWindow(), nullptr);

    currentRow = rows.first().toLongLong();
    window.run(4, Request::Change, [&](int r) { done = r; });
    QWidget *change = openNoteWindow();
    ASSERT_TRUE(change);
    EXPECT_EQ(change->findChild<QPlainTextEdit *>(QStringLiteral("NOTE:Note"))->toPlainText(),
              QStringLiteral("Through the procedure"));
    change->findChild<QPushButton *>(QStringLiteral("Cancel"))->click();
    drain();
    EXPECT_EQ(done, Response::Cancelled);
    window.close();
}

TARVO_SUBFORM_SUITE(RegisteredSubForms);

} // namespace

} // namespace tarvo::issues::test
