#include "access/SecurityImport.h"

#include "AccessFixture.h"
#include "access/AccessSession.h"

#include <QFile>

namespace tarvo::access::test {

namespace {

const char *kCatalogue = "\"Demo\",\"Demo program\",\"\",\"APPLICATION\"\n"
                         "\"BrowseThings\",\"Things\",\"\",\"PROCEDURE\"\n"
                         "\"BrowseThings:?Insert\",\"Insert\",\"list\",\"BUTTON\"\n"
                         "\"BrowseThings:?Delete\",\"Delete\",\"list\",\"BUTTON\"\n"
                         "\"UpdateThing\",\"Thing form\",\"\",\"FUNCTION\"\n"
                         "\"UpdateThing:?OK\",\"Save, \"\"really\"\"\",\"\",\"BUTTON\"\n";

class Import : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
    }

    Result<void> importText(const QByteArray &text)
    {
        QFile file(programFolder() + QStringLiteral("/Demo.sec"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        return SecurityImport::run(*AccessSession::repository(), QStringLiteral("Demo.sec"));
    }

    std::vector<ResourceRecord> resources() { return AccessSession::repository()->resources().value(); }
    std::vector<ProcRecord> procs() { return AccessSession::repository()->procs().value(); }
    std::vector<qint32> grants(const QString &code)
    {
        return AccessSession::repository()->grants(code).value();
    }
    const ResourceRecord *find(const std::vector<ResourceRecord> &all, const QString &key)
    {
        for (const auto &r : all)
            if (r.resource == key)
                return &r;
        return nullptr;
    }
};

} // namespace

TEST_F(Import, ReplacesTheCatalogueAndGrantsNewControlsToEveryUser)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    addUser(QStringLiteral("Maximilian"), QStringLiteral("pw"));
    ASSERT_TRUE(importText(kCatalogue).ok());

    const auto all = resources();
    ASSERT_EQ(all.size(), 3u);
    ASSERT_EQ(procs().size(), 2u); // the shipped catalogue is gone; APPLICATION never arrives
    const ResourceRecord *ok = find(all, QStringLiteral("UpdateThing:?OK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->proc, QStringLiteral("UpdateThing"));
    EXPECT_EQ(ok->description, QStringLiteral("Save, \"really\""));
    // Grants go to the whole code, so a code longer than three characters gets them too.
    EXPECT_EQ(grants(QStringLiteral("Maximilian")).size(), 3u);
    EXPECT_EQ(grants(QStringLiteral("anna")).size(), 3u);

    // Again with a changed description: same numbers, no new grants.
    ASSERT_TRUE(importText(QByteArray(kCatalogue).replace("\"Insert\",\"list\"", "\"Add\",\"list\"")).ok());
    const auto again = resources();
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(find(again, QStringLiteral("BrowseThings:?Insert"))->resourceId,
              find(all, QStringLiteral("BrowseThings:?Insert"))->resourceId);
    EXPECT_EQ(find(again, QStringLiteral("BrowseThings:?Insert"))->description, QStringLiteral("Add"));
    EXPECT_EQ(grants(QStringLiteral("anna")).size(), 3u);
}

TEST_F(Import, UnreadableEmptyOrCutShortFilesChangeNothing)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    const auto before = resources();
    const auto proceduresBefore = procs().size();
    ASSERT_GT(before.size(), 100u);
    ASSERT_TRUE(AccessSession::repository()->grant(QStringLiteral("anna"), before.front().resourceId).ok());

    const QByteArray full(kCatalogue);
    const QByteArray texts[] = {
        QByteArray(), QByteArray("\n\n"), QByteArray("\"Demo\",\"x\",\"\",\"APPLICATION\"\n"),
        full.left(full.size() - 12), full.left(full.indexOf("\"BrowseThings:?Delete\"") + 10)};
    for (const auto &text : texts) {
        m_messages.clear();
        EXPECT_FALSE(importText(text).ok()) << text.constData();
        ASSERT_EQ(m_messages.texts().size(), 1);
        EXPECT_TRUE(m_messages.texts().front().contains(QStringLiteral("is empty or incomplete")));
        EXPECT_EQ(resources().size(), before.size());
        EXPECT_EQ(procs().size(), proceduresBefore);
        EXPECT_EQ(grants(QStringLiteral("anna")).size(), 1u);
    }
    m_messages.clear();
    EXPECT_FALSE(SecurityImport::run(*AccessSession::repository(), QStringLiteral("Missing.sec")).ok());
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().front().startsWith(QStringLiteral("The Security file \"")));
    EXPECT_EQ(resources().size(), before.size());
}

TEST_F(Import, AControlBeforeAnyProcedureGoesToTheLastProcedure)
{
    ASSERT_TRUE(importText("\"BrowseThings\",\"Things\",\"\",\"PROCEDURE\"\n").ok());
    ASSERT_TRUE(
        importText(
            "\"Lost:?Button\",\"Lost\",\"\",\"BUTTON\"\n\"BrowseThings\",\"Things\",\"\",\"PROCEDURE\"\n")
            .ok());
    const auto all = resources();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all.front().proc, QStringLiteral("BrowseThings"));
}

} // namespace tarvo::access::test
