#include "../AccessFixture.h"
#include "access/AccessSession.h"
#include "access/PasswordHash.h"
#include "access/Vuvuzu.h"
#include "access/ui/Vuvuzu_BrowseUsers.h"
#include "access/ui/Vuvuzu_ChangePassword.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTableWidget>
#include <QTimer>

#include <tuple>

namespace tarvo::access::test {

namespace {

class LoginWindow : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    }

    // Presses a window's button on the next turn of the event loop.
    static void later(const std::function<void()> &action) { QTimer::singleShot(0, action); }

    static QWidget *activeDialog(const char *name)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String(name))
                return w;
        return nullptr;
    }
};

// The open SQL connections to a database file.
int connectionsTo(const QString &file)
{
    int n = 0;
    for (const QString &name : QSqlDatabase::connectionNames())
        if (QSqlDatabase::database(name, false).databaseName() == file)
            ++n;
    return n;
}

// A data folder without an access store.
class NewDataFolder : public AccessFixture {};

} // namespace

TEST_F(NewDataFolder, YesCreatesTheStoreAndTheDefaultMasterGetsInOnlyWithANewPassword)
{
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo"), QStringLiteral("/User=wkz"),
                                            QStringLiteral("/Password=tramb"), QStringLiteral("/AutoLogin")});
    m_messages.answer(Button::Yes);
    bool changeOffered = false;
    QTimer::singleShot(0, [&] {
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String("Vuvuzu_ChangePassword"))
                window = w;
        auto *change = qobject_cast<Vuvuzu_ChangePassword *>(window);
        changeOffered = change != nullptr;
        ASSERT_NE(change, nullptr);
        change->setVerifier([] { return QStringLiteral("Str0ng"); });
        change->oldPasswordField()->setText(QStringLiteral("tramb"));
        change->newPasswordField()->setText(QStringLiteral("Str0ng"));
        change->findChild<QPushButton *>(QStringLiteral("OK"))->click();
    });
    EXPECT_EQ(VUVUZU_LOGIN(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")), 1);
    EXPECT_TRUE(changeOffered);
    EXPECT_TRUE(QFileInfo::exists(dataFolder() + QStringLiteral("/Vuvuzu.db")));
    EXPECT_EQ(m_messages.texts().value(0),
              QStringLiteral("The Security file \"") + dataFolder() +
                  QStringLiteral("/Vuvuzu.db\" could not be found!|Should it be created now?"));
    EXPECT_TRUE(m_messages.texts().contains(
        QStringLiteral("Your Password is expired.|You now have to change your Password.")));
    EXPECT_EQ(MAK(), QStringLiteral("wkz"));
    EXPECT_EQ(VUVUZU_GETVALUE(QStringLiteral("StatusBenutzer")), QStringLiteral("Master Login"));
    auto options = AccessSession::repository()->options();
    ASSERT_TRUE(options.ok() && options->has_value());
    EXPECT_TRUE(PasswordHash::verify((*options)->masterPassword, QStringLiteral("Str0ng")));
    EXPECT_EQ((*options)->masterAbgelaufen, 0);
}

TEST_F(LoginWindow, UnloadClosesTheStoreAndForgetsTheLogin)
{
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo"), QStringLiteral("/User=anna"),
                                            QStringLiteral("/Password=pw"), QStringLiteral("/AutoLogin")});
    ASSERT_EQ(VUVUZU_LOGIN(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")), 1);
    const QString store = dataFolder() + QStringLiteral("/Vuvuzu.db");
    ASSERT_GT(connectionsTo(store), 0);
    ASSERT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")), 0); // anna holds no rights

    VUVUZU_UNLOAD();
    EXPECT_EQ(connectionsTo(store), 0);
    EXPECT_TRUE(MAK().isEmpty());
    EXPECT_TRUE(PFAD().isEmpty());
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")), 1);
}

TEST_F(LoginWindow, SwitchesLogInWithoutAClick)
{
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo"), QStringLiteral("/user=anna"),
                                            QStringLiteral("/PASSWORD=pw"), QStringLiteral("/AutoLogin")});
    EXPECT_EQ(VUVUZU_LOGIN(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")), 1);
    EXPECT_EQ(MAK(), QStringLiteral("anna"));
    EXPECT_EQ(MAKORDNER(), programFolder() + QStringLiteral("/anna"));
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_F(LoginWindow, AFailedAutoLoginShowsTheWindow)
{
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo"), QStringLiteral("/User=anna"),
                                            QStringLiteral("/Password=bad"), QStringLiteral("/AutoLogin")});
    bool shown = false;
    later([&] {
        QWidget *window = activeDialog("Vuvuzu_Login");
        shown = window != nullptr;
        if (window)
            window->findChild<QPushButton *>(QStringLiteral("Cancel2"))->click();
    });
    EXPECT_EQ(VUVUZU_LOGIN(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Invalid Password for User anna.")});
    EXPECT_TRUE(MAK().isEmpty());
    EXPECT_EQ(MAKORDNER(), programFolder());
}

TEST_F(LoginWindow, TypingAndPressingLogin)
{
    later([&] {
        QWidget *window = activeDialog("Vuvuzu_Login");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Tarvo"));
        window->findChild<QLineEdit *>(QStringLiteral("MAK2"))->setText(QStringLiteral("ANNA"));
        window->findChild<QLineEdit *>(QStringLiteral("Passwort2"))->setText(QStringLiteral("pw"));
        window->findChild<QPushButton *>(QStringLiteral("OK2"))->click();
    });
    EXPECT_EQ(VUVUZU_LOGIN(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")), 1);
    EXPECT_EQ(MAK(), QStringLiteral("anna"));
}

TEST_F(LoginWindow, OneEnterIsOneAttempt)
{
    setOptions([](OptionsRecord &o) {
        o.disableUser = 1;
        o.noLogins = 2;
    });
    addUser(QStringLiteral("bert"), QStringLiteral("pw"));
    // Tarvo's own page, and the plain page of any other security file.
    for (const auto &[securityFile, suffix, code] :
         {std::tuple{"Tarvo.sec", "2", "anna"}, std::tuple{"Other.sec", "", "bert"}}) {
        m_messages.clear();
        int refusals = -1;
        later([&] {
            QWidget *window = activeDialog("Vuvuzu_Login");
            ASSERT_NE(window, nullptr);
            const auto field = [&](const char *name) {
                return window->findChild<QLineEdit *>(QLatin1String(name) + QLatin1String(suffix));
            };
            field("MAK")->setText(QLatin1String(code));
            field("Passwort")->setText(QStringLiteral("wrong"));
            // Enter in either field, as a user types it: the key goes to the field and on to the window.
            for (const char *name : {"MAK", "Passwort"}) {
                field(name)->setFocus();
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(field(name), &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(field(name), &release);
            }
            refusals = int(m_messages.texts().size());
            window->findChild<QPushButton *>(QStringLiteral("Cancel") + QLatin1String(suffix))->click();
        });
        EXPECT_EQ(VUVUZU_LOGIN(QLatin1String(securityFile), QStringLiteral("English"), QStringLiteral("4.1")),
                  0);
        // Two attempts, one per Enter, reach the limit of two.
        EXPECT_EQ(refusals, 2) << securityFile << ": " << qPrintable(m_messages.texts().join(u'\n'));
        EXPECT_EQ(m_messages.texts().value(0),
                  QStringLiteral("Invalid Password for User ") + QLatin1String(code) + QStringLiteral("."));
        EXPECT_EQ(m_messages.texts().value(1), QStringLiteral("Your login failed for 2 times!"));
        EXPECT_EQ(storedUser(QLatin1String(code)).fehlversuche, 2) << securityFile;
    }
}

TEST_F(LoginWindow, ForcedChangeCannotBeCancelled)
{
    Vuvuzu_ChangePassword dialog(QStringLiteral("anna"), false, true);
    dialog.setVerifier([] { return QStringLiteral("fresh"); });
    dialog.show();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    dialog.oldPasswordField()->setText(QStringLiteral("pw"));
    dialog.newPasswordField()->setText(QStringLiteral("fresh"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(PasswordHash::verify(storedUser(QStringLiteral("anna")).passwort, QStringLiteral("fresh")));
}

TEST_F(LoginWindow, UserPickerReturnsTheChosenOrTheGivenCode)
{
    addUser(QStringLiteral("bert"), QStringLiteral("pw"), [](UserRecord &u) { u.inaktiv = 1; });
    later([] {
        auto *picker = qobject_cast<Vuvuzu_BrowseUsers *>(activeDialog("Vuvuzu_BrowseUsers"));
        ASSERT_NE(picker, nullptr);
        picker->list()->selectRow(1); // deactivated users are listed and can be chosen
        picker->findChild<QPushButton *>(QStringLiteral("Select"))->click();
    });
    EXPECT_EQ(VUVUZU_BROWSEUSERS(QStringLiteral("ab")), QStringLiteral("bert"));

    later([] {
        activeDialog("Vuvuzu_BrowseUsers")->findChild<QPushButton *>(QStringLiteral("Close"))->click();
    });
    EXPECT_EQ(VUVUZU_BROWSEUSERS(QStringLiteral("ab")), QStringLiteral("ab"));
}

TEST_F(LoginWindow, ProgramSelectIsATypedRegistration)
{
    EXPECT_EQ(Vuvuzu_ProgramSelect(1, QString()), QString());
    setVuvuzu_ProgramSelect([](int request, const QString &current) -> QString {
        return QStringLiteral("Tarvo") + QChar(0xB0) + QString::number(request) + current;
    });
    EXPECT_EQ(Vuvuzu_ProgramSelect(1, QString()),
              QStringLiteral("Tarvo") + QChar(0xB0) + QStringLiteral("1"));
    setVuvuzu_ProgramSelect({});
    EXPECT_EQ(Vuvuzu_ProgramSelect(1, QString()), QString());
}

} // namespace tarvo::access::test
