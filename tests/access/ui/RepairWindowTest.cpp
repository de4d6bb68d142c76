#include "../AccessFixture.h"
#include "access/ui/Vuvuzu_TPSFIX.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace tarvo::access::test {

namespace {

// A data file "Tarvo.db" beside the access store, made by the test.
class RepairWindow : public AccessFixture {
  protected:
    QString makeFile(int rows)
    {
        const QString file = dataFolder() + QStringLiteral("/Tarvo.db");
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("repair-window"));
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(QStringLiteral("CREATE TABLE Bugs (ID INTEGER PRIMARY KEY, Title TEXT)")));
            for (int i = 1; i <= rows; ++i)
                EXPECT_TRUE(q.exec(QStringLiteral("INSERT INTO Bugs VALUES (%1, '%2')")
                                       .arg(i)
                                       .arg(QString(200, QLatin1Char('a' + i % 26)))));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("repair-window"));
        return file;
    }
};

} // namespace

TEST_F(RepairWindow, ASoundFileShowsNoErrorsAndStartWaitsForAnotherFile)
{
    const QString file = makeFile(0);

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

TEST_F(RepairWindow, ARebuiltFileIsReportedWithTheHintToRestartTheProgram)
{
    const QString file = makeFile(400);
    {
        // A table page in the middle of the file becomes garbage.
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(qint64(f.size() / 2 / 4096) * 4096));
        ASSERT_EQ(f.write(QByteArray(4096, '\x5a')), 4096);
    }
    Vuvuzu_TPSFIX window;
    window.fileField()->setText(file);
    window.startButton()->click();
    EXPECT_FALSE(window.log()->isHidden());
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("The file was rebuilt.|Please restart the program "
                                         "before you go on working, so that it uses the "
                                         "rebuilt file.")});
}

} // namespace tarvo::access::test
