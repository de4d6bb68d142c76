#include "issues/CopyIssue.h"

#include "core/dictionary/TarvoStoreTest.h"

namespace tarvo::issues {

namespace {

using CopyIssueTest = test::TarvoStoreTest;

} // namespace

TEST_P(CopyIssueTest, CopiesResponsiblePersonsAndAttachmentsUnderNewNumbers)
{
    add(QStringLiteral("Bugs"), {{QStringLiteral("Description"), QStringLiteral("Other")}});
    add(QStringLiteral("Bugs"),
        {{QStringLiteral("Description"), QStringLiteral("Original")}, {QStringLiteral("PrgID"), 1}});
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), 2}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("AMY")}});
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), 2}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("BOB")}});
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), 1}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("CAT")}});
    const data::Record attachment =
        add(QStringLiteral("Attachments"),
            {{QStringLiteral("BUGID"), 2}, {QStringLiteral("Description"), QStringLiteral("log")}});
    add(QStringLiteral("AttachmentFiles"),
        {{QStringLiteral("ID"), attachment.integer(QStringLiteral("ID"))},
         {QStringLiteral("ATTACHEDFILE"), QByteArray("\x01\x02payload", 9)}});

    data::Record dropped = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 2}});
    dropped.setValue(QStringLiteral("PrgID"), 5);
    auto copied = CopyIssue(session(), dropped);
    ASSERT_TRUE(copied.ok()) << copied.error().message.toStdString();
    EXPECT_EQ(*copied, 3);

    const data::Record copy = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 3}});
    EXPECT_EQ(copy.text(QStringLiteral("Description")), QStringLiteral("Original"));
    EXPECT_EQ(copy.integer(QStringLiteral("PrgID")), 5);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 2}}).integer(QStringLiteral("PrgID")), 1);
    EXPECT_EQ(count(QStringLiteral("BugsResponsible"), {{QStringLiteral("ID"), 3}}), 2);
    EXPECT_EQ(count(QStringLiteral("BugsResponsible"), {{QStringLiteral("ID"), 2}}), 2);
    const data::Record newAttachment = one(QStringLiteral("Attachments"), {{QStringLiteral("BUGID"), 3}});
    EXPECT_NE(newAttachment.integer(QStringLiteral("ID")), attachment.integer(QStringLiteral("ID")));
    EXPECT_EQ(one(QStringLiteral("AttachmentFiles"),
                  {{QStringLiteral("ID"), newAttachment.integer(QStringLiteral("ID"))}})
                  .bytes(QStringLiteral("ATTACHEDFILE")),
              QByteArray("\x01\x02payload", 9));
    EXPECT_EQ(count(QStringLiteral("Attachments")), 2);
}

TARVO_REAL_STORE_SUITE(CopyIssueTest);

} // namespace tarvo::issues
