#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/LoginService.h"
#include "access/Vuvuzu.h"

namespace tarvo::access::test {

class UserValues : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        addUser(QStringLiteral("hm"), QStringLiteral("pw"), [](UserRecord &u) {
            u.anrede = QStringLiteral("Mr.");
            u.zusatz = QStringLiteral("Hans");
            u.name = QStringLiteral("Müller");
            u.email = QStringLiteral("hm@example.org");
            u.telefon = QStringLiteral("123");
            u.typ = 3;
            u.userLong1 = 7;
            u.userByte = {1, 1, 1, 0, 0, 1, 1, 0, 1};
        });
        addUser(QStringLiteral("Maximilian"), QStringLiteral("pw"), [](UserRecord &u) {
            u.anrede = QStringLiteral("Mrs.");
            u.name = QStringLiteral("Berg");
        });
        addUser(QStringLiteral("off"), QStringLiteral("pw"), [](UserRecord &u) { u.inaktiv = 1; });
        addUser(QStringLiteral("tmp"), QStringLiteral("pw"), [&](UserRecord &u) {
            u.typ = 2;
            u.gueltigBis = today() - 1;
        });
        addUser(QStringLiteral("tmp0"), QStringLiteral("pw"), [](UserRecord &u) { u.typ = 2; });
        LoginService service({});
        ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QString()),
                  LoginService::Start::ShowWindow);
        ASSERT_TRUE(service.attempt(QStringLiteral("hm"), QStringLiteral("pw")));
        service.finish(true);
    }
};

TEST_F(UserValues, Keys)
{
    const QChar dot(0xB7), degree(0xB0);
    const struct {
        const char *key;
        QString code;
        QString expected;
    } cases[] = {
        {"ADMIN_VORHANDEN", {}, "1"},
        {"is_admin", {}, "1"},
        {"StatusBenutzer", {}, QStringLiteral("Hans Müller ") + dot + QStringLiteral(" (hm)")},
        {"USER", "maximilian", "Berg"},
        {"USER", "nobody", ""},
        {"USER", "", ""},
        {"ALLUSERS", {}, "hm|Maximilian|tmp0"},
        {"allmakusernames",
         {},
         QStringLiteral("Mr.|hm|Hans Müller") + degree + QStringLiteral("Mrs.|Maximilian| Berg") + degree +
             QStringLiteral("|tmp0| Name of tmp0")},
        {"USERVALID", "", "1"},
        {"USERVALID", "off", "0"},
        {"USERVALID", "tmp", "0"},
        {"USERVALID", "tmp0", "1"},
        {"USERVALID", "nobody", "0"},
        {"BEN:USERLONG1", {}, "7"},
        {"BEN:UserByte1", {}, "1"},
        {"BEN:USERBYTE4", {}, "0"},
        {"BEN:TELEFON", {}, QStringLiteral("123").leftJustified(35)},
        {"BEN:EMail", {}, QStringLiteral("hm@example.org").leftJustified(100)},
        {"BEN:EMail", "HM", "hm@example.org"},
        {"BEN:EMail", "Maximilian", ""},
        {"BEN:EMail", "nobody", ""},
        {"WORKFLOWOPTIONS", "hm", "11001101"},
        {"WORKFLOWOPTIONS", "nobody", ""},
        {"NO SUCH KEY", {}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VUVUZU_GETVALUE(QString::fromLatin1(c.key), c.code), c.expected)
            << c.key << " " << qPrintable(c.code);
}

TEST_F(UserValues, LookupsUseTheWholeCode)
{
    // "Max" shares its first three characters with "Maximilian" but is another user.
    addUser(QStringLiteral("Max"), QStringLiteral("pw"),
            [](UserRecord &u) { u.email = QStringLiteral("max@example.org"); });
    EXPECT_EQ(VUVUZU_GETVALUE(QStringLiteral("BEN:EMail"), QStringLiteral("Maximilian")), QString());
    EXPECT_EQ(VUVUZU_GETVALUE(QStringLiteral("BEN:EMail"), QStringLiteral("Max")),
              QStringLiteral("max@example.org"));
}

} // namespace tarvo::access::test
