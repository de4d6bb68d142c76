#include "access/LoginService.h"

#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/PasswordChanger.h"
#include "access/PasswordHash.h"
#include "access/Vuvuzu.h"
#include "platform/data/Store.h"
#include "platform/runtime/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

#include <utility>

namespace tarvo::access::test {

namespace {

class LoginRules : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
    }

    // One dialog: prepare, one OK, closing steps. hook runs for a forced password change.
    bool login(const QString &code, const QString &password, LoginService::ChangePasswordHook hook = {})
    {
        LoginService service(std::move(hook));
        if (service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")) !=
            LoginService::Start::ShowWindow)
            return false;
        const bool ok = service.attempt(code, password);
        m_focus = service.focus();
        service.finish(ok);
        return ok;
    }

    // A hook that changes the password as the dialog would, answering the second entry.
    LoginService::ChangePasswordHook changeTo(const QString &oldPassword, const QString &newPassword)
    {
        return [=](const QString &code, bool master) {
            PasswordChanger changer(code, master);
            ASSERT_TRUE(changer.mayChange());
            changer.change(oldPassword, newPassword, [=] { return newPassword; });
        };
    }

    LoginService::Field m_focus = LoginService::Field::Code;
};

// Runs an action (once) when a message with the given text is shown, then lets the script answer:
// what another user does while the login waits for an answer.
class OnMessage final : public MessageHandler {
  public:
    OnMessage(QString text, std::function<void()> action)
        : m_previous(Messages::handler()), m_text(std::move(text)), m_action(std::move(action))
    {
        Messages::setHandler(this);
    }
    ~OnMessage() override { Messages::setHandler(m_previous); }
    OnMessage(const OnMessage &) = delete;
    OnMessage &operator=(const OnMessage &) = delete;

    int show(const MessageRequest &request) override
    {
        if (request.text == m_text && m_action)
            std::exchange(m_action, {})();
        return m_previous->show(request);
    }
    bool stop(const QString &text) override { return m_previous->stop(text); }
    void beep(MessageIcon kind) override { m_previous->beep(kind); }

  private:
    MessageHandler *m_previous;
    QString m_text;
    std::function<void()> m_action;
};

} // namespace

TEST_F(LoginRules, GoodLoginLeavesCodeFolderAndColour)
{
    addUser(QStringLiteral("Hans"), QStringLiteral("secret"));
    QDir().mkpath(programFolder() + QStringLiteral("/Hans"));
    ASSERT_TRUE(
        IniFile(programFolder() + QStringLiteral("/Hans/User.ini"))
            .setValue(QStringLiteral("User Settings"), QStringLiteral("Display color"), QStringLiteral("255"))
            .ok());

    ASSERT_TRUE(login(QStringLiteral("hans"), QStringLiteral("secret")));
    EXPECT_EQ(MAK(), QStringLiteral("Hans")); // the code as stored replaces the code as typed
    EXPECT_EQ(MAKORDNER(), programFolder() + QStringLiteral("/Hans"));
    EXPECT_EQ(FARBE(), 255);
    EXPECT_EQ(ComputerName(), QSysInfo::machineHostName().left(63));
    EXPECT_TRUE(m_messages.texts().isEmpty()) << qPrintable(m_messages.texts().join(u'\n'));
}

TEST_F(LoginRules, WrongPasswordsAreCountedPerCodeAndSurviveARestart)
{
    setOptions([](OptionsRecord &o) {
        o.disableUser = 1;
        o.noLogins = 3;
    });
    addUser(QStringLiteral("anna"), QStringLiteral("right"));
    addUser(QStringLiteral("bert"), QStringLiteral("right"));

    // Each attempt is a new dialog, as after a restart of the program.
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("wrong")));
    EXPECT_EQ(m_focus, LoginService::Field::Password);
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("wrong")));
    EXPECT_TRUE(login(QStringLiteral("bert"), QStringLiteral("right")));
    EXPECT_EQ(storedUser(QStringLiteral("anna")).inaktiv, 0);
    m_messages.clear();
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("wrong")));
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Your login failed for 3 times!")});

    EXPECT_EQ(storedUser(QStringLiteral("anna")).inaktiv, 1);
    EXPECT_EQ(storedUser(QStringLiteral("bert")).inaktiv, 0);
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("right")));
    EXPECT_TRUE(login(QStringLiteral("bert"), QStringLiteral("right")));
}

TEST_F(LoginRules, AGoodLoginResetsTheFailedCount)
{
    setOptions([](OptionsRecord &o) {
        o.disableUser = 1;
        o.noLogins = 2;
    });
    addUser(QStringLiteral("anna"), QStringLiteral("right"));
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("wrong")));
    EXPECT_TRUE(login(QStringLiteral("anna"), QStringLiteral("right")));
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("wrong")));
    EXPECT_EQ(storedUser(QStringLiteral("anna")).inaktiv, 0);
}

TEST_F(LoginRules, AGoodLoginKeepsWhatAnAdministratorChangedMeanwhile)
{
    const QString warning = QStringLiteral("Your Password expires in 3 days.");
    for (const bool deactivate : {false, true}) {
        const QString code = deactivate ? QStringLiteral("anna") : QStringLiteral("bert");
        addUser(code, QStringLiteral("pw"), [&](UserRecord &u) {
            u.passwortPermanent = 0;
            u.passwortAblauf = today() + 3;
        });
        EXPECT_FALSE(login(code, QStringLiteral("wrong")));
        // While the login shows its warning, an administrator edits the user.
        OnMessage administrator(warning, [&] {
            UserRecord edited = storedUser(code);
            edited.name = QStringLiteral("Edited");
            edited.inaktiv = deactivate ? 1 : 0;
            ASSERT_TRUE(AccessSession::repository()->updateUser(code, edited).ok());
        });
        m_messages.clear();
        EXPECT_EQ(login(code, QStringLiteral("pw")), !deactivate);
        EXPECT_EQ(m_messages.texts(),
                  deactivate ? (QStringList{warning, QStringLiteral("Your User account is disabled!")})
                             : QStringList{warning});
        const UserRecord stored = storedUser(code);
        EXPECT_EQ(stored.name, QStringLiteral("Edited")) << qPrintable(code);
        EXPECT_EQ(stored.inaktiv, deactivate ? 1 : 0) << qPrintable(code);
        EXPECT_EQ(stored.fehlversuche, deactivate ? 1 : 0) << qPrintable(code);
    }
}

TEST_F(LoginRules, CodesThatCannotNameAFolderAreRefused)
{
    for (const QString &code :
         {QStringLiteral("../x"), QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral(".."),
          QStringLiteral("a:b"), QStringLiteral("a*"), QStringLiteral("")}) {
        addUser(code, QStringLiteral("pw"));
        m_messages.clear();
        EXPECT_FALSE(login(code, QStringLiteral("pw"))) << qPrintable(code);
        EXPECT_EQ(m_messages.texts(), QStringList{code + QStringLiteral(" is not a valid User!")});
        EXPECT_EQ(MAKORDNER(), programFolder());
    }
    EXPECT_EQ(QDir(programFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    EXPECT_FALSE(QFileInfo::exists(m_dir.path() + QStringLiteral("/x")));
}

TEST_F(LoginRules, AccountRules)
{
    const QString host = QSysInfo::machineHostName();
    struct Case {
        const char *name;
        std::function<void(UserRecord &)> edit;
        bool ok;
        QString message;
    };
    const qint32 yesterday = today() - 1;
    const std::vector<Case> cases = {
        {"temporary until today",
         [&](UserRecord &u) {
             u.typ = 2;
             u.gueltigBis = today();
         },
         true,
         {}},
        {"temporary until yesterday",
         [&](UserRecord &u) {
             u.typ = 2;
             u.gueltigBis = yesterday;
         },
         false,
         QStringLiteral("Your User account was expired at ") +
             QLocale::system().toString(QDate::currentDate().addDays(-1), QLocale::ShortFormat) +
             QStringLiteral(" !")},
        {"temporary without a last day", [](UserRecord &u) { u.typ = 2; }, false,
         QStringLiteral("Your User account was expired at  !")},
        {"deactivated", [](UserRecord &u) { u.inaktiv = 1; }, false,
         QStringLiteral("Your User account is disabled!")},
        {"bound to this computer in small letters",
         [&](UserRecord &u) { u.computerName = host.toLower(); },
         true,
         {}},
        {"bound to another computer", [](UserRecord &u) { u.computerName = QStringLiteral("otherbox"); },
         false, QStringLiteral("You are only allowed to login to the computer OTHERBOX!")},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString code = QStringLiteral("u%1").arg(++n);
        addUser(code, QStringLiteral("pw"), c.edit);
        m_messages.clear();
        EXPECT_EQ(login(code, QStringLiteral("pw")), c.ok) << c.name;
        EXPECT_EQ(m_messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.name;
        if (!c.ok) {
            EXPECT_EQ(m_focus, LoginService::Field::Code) << c.name;
            EXPECT_TRUE(MAK().isEmpty()) << c.name;
        }
    }
}

TEST_F(LoginRules, UnknownCodeAndWrongPasswordAreRefused)
{
    addUser(QStringLiteral("anna"), QStringLiteral("right"));
    EXPECT_FALSE(login(QStringLiteral("nobody"), QStringLiteral("x")));
    EXPECT_FALSE(login(QStringLiteral("anna"), QStringLiteral("Right"))); // letters compared with their case
    EXPECT_EQ(m_messages.texts(), (QStringList{QStringLiteral("nobody is not a valid User!"),
                                               QStringLiteral("Invalid Password for User anna.")}));
}

TEST_F(LoginRules, AnExpiredPasswordMustBeChangedAndMovesTheExpiry)
{
    const auto expired = [&](UserRecord &u) {
        u.passwortPermanent = 0;
        u.passwortErneuern = 30;
        u.passwortAblauf = today();
    };
    addUser(QStringLiteral("anna"), QStringLiteral("old"), expired);
    addUser(QStringLiteral("bert"), QStringLiteral("old"), expired);

    ASSERT_TRUE(login(QStringLiteral("anna"), QStringLiteral("old"),
                      changeTo(QStringLiteral("old"), QStringLiteral("new"))));
    EXPECT_EQ(storedUser(QStringLiteral("anna")).passwortAblauf, today() + 30);
    EXPECT_TRUE(PasswordHash::verify(storedUser(QStringLiteral("anna")).passwort, QStringLiteral("new")));

    // A dialog left without a change keeps the expiry where it was and lets nobody in.
    m_messages.clear();
    EXPECT_FALSE(login(QStringLiteral("bert"), QStringLiteral("old"), [](const QString &, bool) {}));
    EXPECT_EQ(storedUser(QStringLiteral("bert")).passwortAblauf, today());
    EXPECT_EQ(m_messages.texts(),
              (QStringList{QStringLiteral("Your Password is expired.|You now have to change your Password."),
                           QStringLiteral("Password not changed!")}));
}

TEST_F(LoginRules, ExpiryWarningNamesTheDaysLeft)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"), [&](UserRecord &u) {
        u.passwortPermanent = 0;
        u.passwortAblauf = today() + 3;
    });
    EXPECT_TRUE(login(QStringLiteral("anna"), QStringLiteral("pw")));
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Your Password expires in 3 days.")});
}

TEST_F(LoginRules, TheMasterDefaultOfANewStoreMustChooseAPassword)
{
    EXPECT_EQ(AccessSession::state().options.masterMak, QStringLiteral("wkz"));
    // Without a change the default does not let anybody in.
    EXPECT_FALSE(login(QStringLiteral("wkz"), QStringLiteral("tramb"), [](const QString &, bool) {}));
    EXPECT_TRUE(login(QStringLiteral("wkz"), QStringLiteral("tramb"),
                      changeTo(QStringLiteral("tramb"), QStringLiteral("Str0ng"))));
    EXPECT_EQ(VUVUZU_GETVALUE(QStringLiteral("StatusBenutzer")), QStringLiteral("Master Login"));

    bool asked = false;
    EXPECT_FALSE(
        login(QStringLiteral("wkz"), QStringLiteral("tramb"), [&](const QString &, bool) { asked = true; }));
    EXPECT_TRUE(
        login(QStringLiteral("wkz"), QStringLiteral("Str0ng"), [&](const QString &, bool) { asked = true; }));
    EXPECT_FALSE(asked);
    // No built-in master code exists.
    EXPECT_FALSE(login(QStringLiteral("vq"), QStringLiteral("kolvin")));
}

TEST_F(LoginRules, WithoutPasswordsTheMasterCodeAloneLogsIn)
{
    setOptions([](OptionsRecord &o) { o.requirePassword = 0; });
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    EXPECT_TRUE(login(QStringLiteral("wkz"), QString()));
    EXPECT_TRUE(login(QStringLiteral("anna"), QStringLiteral("anything")));
}

TEST_F(LoginRules, AuditedLoginsAreLogged)
{
    setOptions([](OptionsRecord &o) { o.auditLogin = 1; });
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    ASSERT_TRUE(login(QStringLiteral("anna"), QStringLiteral("pw")));
    auto logins = AccessSession::repository()->logins();
    ASSERT_TRUE(logins.ok());
    ASSERT_EQ(logins->size(), 1u);
    EXPECT_EQ(logins->front().mak, QStringLiteral("anna"));
    EXPECT_EQ(logins->front().date, today());
    EXPECT_GT(logins->front().time, 0);
    EXPECT_EQ(logins->front().computer, QSysInfo::machineHostName().left(35));
}

TEST_F(LoginRules, DisabledChecksLogInWithoutAWindow)
{
    setOptions([](OptionsRecord &o) { o.disableSecCheck = 1; });
    LoginService service({});
    EXPECT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")),
              LoginService::Start::LoggedInWithoutWindow);
    EXPECT_TRUE(MAK().isEmpty());
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")), 1);
}

TEST_F(LoginRules, LanguageAndInformationString)
{
    LoginService service({});
    ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("Deutsch"),
                              QStringLiteral("4.1") + QChar(0xB0) + QStringLiteral("204")),
              LoginService::Start::ShowWindow);
    EXPECT_EQ(service.version(), QStringLiteral("4.1"));
    EXPECT_EQ(service.charset(), 204);
    EXPECT_EQ(AccessSession::state().helpFile, QStringLiteral("Vuvuzud.chm"));
    EXPECT_EQ(translateVuvuzu(QStringLiteral("Passwort ändern")), QStringLiteral("Passwort ändern"));
    ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English (UK)"), QString()),
              LoginService::Start::ShowWindow);
    EXPECT_EQ(AccessSession::state().helpFile, QStringLiteral("Vuvuzu.chm"));
    EXPECT_EQ(translateVuvuzu(QStringLiteral("Passwort ändern")), QStringLiteral("Change Password"));
}

class NewStore : public AccessFixture {};

TEST_F(NewStore, AnsweringNoCreatesNothing)
{
    m_messages.answer(Button::No);
    LoginService service({});
    EXPECT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QString()),
              LoginService::Start::NobodyLoggedIn);
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("The Security file \"") + dataFolder() +
                          QStringLiteral("/Vuvuzu.db\" could not be found!|Should it be created now?")});
    EXPECT_FALSE(QFileInfo::exists(dataFolder() + QStringLiteral("/Vuvuzu.db")));
}

TEST_F(NewStore, AnsweringYesCreatesTheCatalogue)
{
    createStore();
    EXPECT_TRUE(QFileInfo::exists(dataFolder() + QStringLiteral("/Vuvuzu.db")));
    auto resources = AccessSession::repository()->resources();
    ASSERT_TRUE(resources.ok());
    EXPECT_GT(resources->size(), 100u);
}

// A "Vuvuzu.db" that is there but holds no access store: emptied by a disk fault or by anybody
// who can write to the share, or not ours at all.
struct StoreFile final {
    const char *name;
    std::function<void(const QString &folder, const QString &file)> make;
    bool isAStoreToMake; // else it is refused with its error, without the question
};

void PrintTo(const StoreFile &file, std::ostream *out)
{
    *out << file.name;
}

void writeFile(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

void runSql(const QString &file, const QString &sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("maker"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << qPrintable(q.lastError().text());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
}

QByteArray contents(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(missing)");
}

class ExistingStoreFile : public AccessFixture, public ::testing::WithParamInterface<StoreFile> {};

TEST_P(ExistingStoreFile, IsAskedForOrRefusedAndNeverWrittenWithoutYes)
{
    const QString file = dataFolder() + QStringLiteral("/Vuvuzu.db");
    GetParam().make(dataFolder(), file);
    const QByteArray before = contents(file);
    const QString question = QStringLiteral("The Security file \"") + dataFolder() +
                             QStringLiteral("/Vuvuzu.db\" could not be found!|Should it be created now?");

    m_messages.answer(Button::No);
    {
        LoginService service({});
        EXPECT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QString()),
                  LoginService::Start::NobodyLoggedIn);
    }
    AccessSession::reset();
    setPFAD(dataFolder());
    EXPECT_EQ(contents(file), before);
    if (!GetParam().isAStoreToMake) {
        ASSERT_EQ(m_messages.texts().size(), 1);
        EXPECT_NE(m_messages.texts().front(), question);
        return;
    }
    EXPECT_EQ(m_messages.texts(), QStringList{question});

    // Yes makes the store in the file, with the default master access.
    createStore();
    auto options = AccessSession::repository()->options();
    ASSERT_TRUE(options.ok() && options->has_value());
    EXPECT_EQ((*options)->masterMak, QStringLiteral("wkz"));
}

const StoreFile kStoreFiles[] = {
    {"Emptied", [](const QString &, const QString &file) { writeFile(file, {}); }, true},
    {"SqliteWithoutTables",
     [](const QString &, const QString &file) { runSql(file, QStringLiteral("PRAGMA user_version = 7")); },
     true},
    {"OursWithoutTheAccessTables",
     [](const QString &folder, const QString &) {
         auto store = data::Store::forFolder(folder, QStringLiteral("Vuvuzu"));
         ASSERT_TRUE(store.ok());
         ASSERT_TRUE((*store)->connection().ok());
     },
     true},
    {"Foreign",
     [](const QString &, const QString &file) { runSql(file, QStringLiteral("CREATE TABLE Invoices(x)")); },
     false},
    {"Damaged", [](const QString &, const QString &file) { writeFile(file, QByteArray(4096, 'x')); }, false},
};

INSTANTIATE_TEST_SUITE_P(Vuvuzu, ExistingStoreFile, ::testing::ValuesIn(kStoreFiles),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace tarvo::access::test
