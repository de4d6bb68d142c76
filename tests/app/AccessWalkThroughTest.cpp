#include "ProgramProcess.h"
#include "access/AccessSession.h"
#include "access/LoginService.h"
#include "access/PasswordHash.h"
#include "access/RightsCheck.h"
#include "access/Vuvuzu.h"
#include "access/ui/RightsTree.h"
#include "access/ui/UpdateBenutzer.h"
#include "core/frame/ProgramLimits.h"
#include "platform/data/Connection.h"
#include "platform/data/Store.h"
#include "support/ScriptedMessages.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace tarvo {
namespace {

using access::AccessSession;
using access::UpdateBenutzer;

// An administrator's work in the access windows on a data folder, then the program started as the
// user it made, with the control probe preloaded to see which controls that user can use.
class AccessWalkThrough : public test::ProgramProcess {
  protected:
    void SetUp() override
    {
        m_data = folder(QStringLiteral("data"));
        ASSERT_EQ(tarvo({QStringLiteral("/Path"), m_data}).exitCode, 0);
        m_home.useAsConfigHome();
        access::PasswordHash::useMinimumCostForTests();
        AccessSession::reset();
        access::RightsCheck::reset();
        AccessSession::setArguments(QStringList{QStringLiteral("tarvo")});
        access::setPFAD(m_data);
        Messages::setHandler(&m_messages);
        m_messages.answer(Button::Yes); // create the store
        access::LoginService service({});
        ASSERT_EQ(
            service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")),
            access::LoginService::Start::ShowWindow);
        AccessSession::change([](access::SessionState &s) { s.masterLogin = true; });
        m_messages.clear();
    }
    void TearDown() override
    {
        access::setVuvuzu_ProgramSelect({});
        AccessSession::reset();
        access::RightsCheck::reset();
        Messages::setHandler(nullptr);
    }

    // Switches the right of the control with this key in the form's rights tree.
    static void toggle(UpdateBenutzer &form, const QString &key)
    {
        auto resources = AccessSession::repository()->resources();
        ASSERT_TRUE(resources.ok());
        qint32 id = 0;
        for (const auto &r : *resources)
            if (r.resource.compare(key, Qt::CaseInsensitive) == 0)
                id = r.resourceId;
        ASSERT_NE(id, 0) << qPrintable(key);
        QTreeWidget *tree = form.rightsTree()->tree();
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->data(0, access::RightsTree::ResourceRole).toInt() == id) {
                tree->setCurrentItem(*it);
                form.rightsTree()->toggleButton()->click();
                return;
            }
        FAIL() << "no line for " << qPrintable(key);
    }

    // The probe's lines of the running program once `wanted` is among them.
    QStringList controlsOnceShown(QProcess &process, const QString &wanted, QString &errors)
    {
        QStringList lines;
        waitUntil(process, errors, [&] {
            QFile file(m_probe);
            lines = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n')
                                                   : QStringList();
            return lines.filter(wanted).size() > 0;
        });
        return lines;
    }

    QString m_data;
    QString m_probe = m_home.file(QStringLiteral("controls.txt"));
    test::ScriptedMessages m_messages;
};

TEST_F(AccessWalkThrough, EachUserGetsExactlyTheRightsAndProgramsTheAdministratorGave)
{
    ASSERT_EQ(tarvo({QStringLiteral("/C")}).exitCode, 0); // the program's tables
    {
        auto store = data::Store::forFolder(m_data);
        ASSERT_TRUE(store.ok());
        auto connection = (*store)->connection();
        ASSERT_TRUE(connection.ok());
        ASSERT_TRUE((*connection)
                        ->execDirect(QStringLiteral("INSERT INTO Programs (ID, P, Sort, PrgName) VALUES "
                                                    "(1, 0, 1, 'Tarvo Desktop'), (2, 0, 2, 'Tarvo Server')"))
                        .ok());
        (*store)->releaseConnection();
    }
    access::setVuvuzu_ProgramSelect(
        [](int, const QString &) { return QStringLiteral("Tarvo Desktop\u00B01"); });

    // eva may not add issues nor open the customers and is limited to one program; otto may do
    // everything.
    struct Expected {
        QString code;
        bool limited;
        QString issueInsert, customerMenu;
        QStringList programs;
    };
    const Expected users[] = {{QStringLiteral("eva"),
                               true,
                               QStringLiteral("off"),
                               QStringLiteral("off"),
                               {QStringLiteral("Tarvo Desktop")}},
                              {QStringLiteral("otto"),
                               false,
                               QStringLiteral("on"),
                               QStringLiteral("on"),
                               {QStringLiteral("Tarvo Desktop"), QStringLiteral("Tarvo Server")}}};
    for (const Expected &user : users) {
        UpdateBenutzer form(UpdateBenutzer::Insert, QString());
        ASSERT_TRUE(form.isReady());
        form.findChild<QLineEdit *>(QStringLiteral("NAME"))->setText(user.code);
        form.codeField()->setText(user.code);
        form.passwordField()->setText(QStringLiteral("Pass-") + user.code);
        form.rightsTree()->fill();
        m_messages.answer(Button::Yes);
        form.rightsTree()->grantAll();
        if (user.limited) {
            toggle(form, QStringLiteral("BrowseBugs:?Insert"));
            toggle(form, QStringLiteral("TARVO:?BrowseCustomer"));
            form.findChild<QPushButton *>(QStringLiteral("InsertProgram"))->click();
        }
        form.accept();
        ASSERT_EQ(form.result(), QDialog::Accepted) << qPrintable(m_messages.texts().join(u'\n'));
    }
    // The limit as the frame reads it for its program filter.
    const auto limits = core::ProgramLimits::read(m_data, QStringLiteral("eva"));
    ASSERT_TRUE(limits.ok()) << qPrintable(limits.ok() ? QString() : limits.error().message);
    EXPECT_EQ(*limits, QStringList{QStringLiteral("Tarvo Desktop\u00B01")});
    EXPECT_EQ(core::ProgramLimits::build(*limits), QStringLiteral("|1|"));

    for (const Expected &user : users) {
        QFile::remove(m_probe);
        const auto process =
            startTarvo({QStringLiteral("/User"), user.code, QStringLiteral("/Password"),
                        QStringLiteral("Pass-") + user.code, QStringLiteral("/AutoLogin")},
                       {{QStringLiteral("LD_PRELOAD"), QStringLiteral(TARVO_CONTROL_PROBE)},
                        {QStringLiteral("TARVO_CONTROL_PROBE_FILE"), m_probe},
                        {QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0")}});
        QString errors;
        const QStringList controls =
            controlsOnceShown(*process, QStringLiteral("?ULTRATREE#Programs/"), errors);
        errors = terminate(*process, errors).errors;
        // The state of the control whose path ends so.
        const auto state = [&](const QString &end) {
            const QStringList found = controls.filter(end + u'\t');
            return found.isEmpty() ? QStringLiteral("missing") : found.constFirst().section(u'\t', 1);
        };
        const std::string dump = user.code.toStdString() + ":\n" + controls.join(u'\n').toStdString() + "\n" +
                                 errors.toStdString();
        EXPECT_EQ(state(QStringLiteral("/?VSPLIT/Insert")), user.issueInsert) << dump;
        EXPECT_EQ(state(QStringLiteral("/TOOLBAR:INSERT")), user.issueInsert) << dump;
        EXPECT_EQ(state(QStringLiteral("/BROWSEMENU/BROWSECUSTOMER")), user.customerMenu) << dump;
        // What stays granted stays usable.
        EXPECT_EQ(state(QStringLiteral("/EXTRAMENU/EXTRAOPTIONS")), QStringLiteral("on")) << dump;
        EXPECT_EQ(state(QStringLiteral("/?TAB6/Insert:2")), QStringLiteral("on")) << dump;
        // The issue browse's program tree shows only the programs the user is limited to.
        QStringList programs;
        for (const QString &line : controls.filter(QStringLiteral("/?ULTRATREE#Programs/")))
            programs << line.section(u'\t', 0, 0).section(QStringLiteral("#Programs/"), 1);
        EXPECT_EQ(programs, user.programs) << dump;
    }
}

} // namespace
} // namespace tarvo
