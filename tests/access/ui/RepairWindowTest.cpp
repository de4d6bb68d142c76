#include "../AccessFixture.h"
#include "access/ui/Vuvuzu_TPSFIX.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace tarvo::access::test {

namespace {
class RepairWindow : public AccessFixture {};
} // namespace

TEST_F(RepairWindow, ASoundFileShowsNoErrorsAndStartWaitsForAnotherFile)
{
    const QString file = dataFolder() + QStringLiteral("/Tarvo.db");
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("repair-window"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE Bugs (ID INTEGER PRIMARY KEY)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("repair-window"));

    Vuvuzu_TPSFIX window;
    window.show();
    window.startButton()->click(); // no file: nothing happens
    EXPECT_TRUE(window.startButton()->isEnabled());
    EXPECT_TRUE(window.log()->isHidden());
    EXPECT_TRUE(window.noErrors()->isHidden());

    window.fileField()->setText(file);
    window.startButton()->click();
    EXPECT_TRUE(m_messages.texts().isEmpty()) << qPrintable(m_messages.texts().join(u'\n'));
    EXPECT_FALSE(window.noErrors()->isHidden());
    EXPECT_FALSE(window.startButton()->isEnabled());
    Q_EMIT window.fileField()->textEdited(file); // typed by the user
    EXPECT_TRUE(window.startButton()->isEnabled());

    window.fileField()->setText(dataFolder() + QStringLiteral("/None.db"));
    window.startButton()->click();
    EXPECT_EQ(m_messages.texts().size(), 1);
}

} // namespace tarvo::access::test
