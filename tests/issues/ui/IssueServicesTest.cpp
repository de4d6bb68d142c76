#include "core/startup/TarvoData.h"
#include "issues/ui/BrowseBugsService.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/ContextRegistry.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>
#include <optional>

namespace tarvo::issues::ui {
namespace {

// The forms the master data call of the issue tracking, on the caller's context with the record
// that context's buffer holds.
class IssueServicesTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ContextRegistry::instance().openFirst();
        ASSERT_TRUE(core::TarvoData::open(m_dir.path()).ok());
        m_context = ContextRegistry::instance().context(ContextRegistry::FrameNumber);
        ASSERT_NE(m_context, nullptr);
        m_session = core::TarvoData::session(*m_context);
        ASSERT_NE(m_session, nullptr);
    }
    void TearDown() override { core::TarvoData::close(); }

    // The note form's window, as the user sees it; null when none is open.
    static QWidget *openNoteWindow()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("UpdateNotes") && w->isVisible())
                return w;
        return nullptr;
    }

    test::TempDir m_dir;
    test::ScriptedMessages m_messages;
    Context *m_context = nullptr;
    data::Session *m_session = nullptr;
};

TEST_F(IssueServicesTest, NoteFormCalledForAProgramStoresTheNoteUnderThatProgram)
{
    data::FileManager &programs = *m_session->file(QStringLiteral("Programs"));
    data::Record program = programs.newRecord();
    program.setValue(QStringLiteral("PRG:PrgName"), QStringLiteral("Tarvo"));
    ASSERT_TRUE(programs.insert(program).ok());
    const qint64 prgId = program.integer(QStringLiteral("PRG:ID"));

    data::FileManager &notes = *m_session->file(QStringLiteral("Notes"));
    notes.buffer() = notes.newRecord();
    notes.buffer().setValue(QStringLiteral("NOTE:PrgID"), prgId);
    m_context->setThreadRequest(Request::Insert);
    std::optional<int> response;
    BrowseBugsService service(ContextRegistry::instance());
    service.updateNotes(ContextRegistry::FrameNumber, [&response](int r) { response = r; });

    QWidget *form = openNoteWindow();
    ASSERT_NE(form, nullptr) << "the note form did not open";
    EXPECT_FALSE(response.has_value()) << "the caller is told only when the form has closed";
    form->findChild<QPlainTextEdit *>(QStringLiteral("NOTE:Note"))
        ->setPlainText(QStringLiteral("Release planned"));
    form->findChild<QPushButton *>(QStringLiteral("OK"))->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(response, std::optional<int>(Response::Completed));

    data::Record stored = notes.newRecord();
    ASSERT_TRUE(notes.fetchRow(notes.buffer().rowId(), stored).ok());
    EXPECT_EQ(stored.integer(QStringLiteral("NOTE:PrgID")), prgId);
    EXPECT_EQ(stored.integer(QStringLiteral("NOTE:ID")), 0);
}

} // namespace
} // namespace tarvo::issues::ui
