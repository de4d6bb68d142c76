#include "masterdata/programs/ProgramChoice.h"

#include "core/dictionary/TarvoDictionary.h"
#include "masterdata/programs/AccessButtonCaptions.h"
#include "platform/data/Record.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvo::masterdata {

TEST(ProgramChoiceTest, TheAccessSystemsValueReadsAndWritesBack)
{
    struct Case {
        QString value;
        QString name;
        qint64 id;
        QString text;
    };
    const Case cases[] = {
        {QStringLiteral("Tarvo\u00b012"), QStringLiteral("Tarvo"), 12, QStringLiteral("Tarvo\u00b012")},
        {QStringLiteral("Tarvo   \u00b07  "), QStringLiteral("Tarvo   "), 7, QStringLiteral("Tarvo\u00b07")},
        {QStringLiteral("A\u00b0B\u00b03"), QStringLiteral("A"), 0, QStringLiteral("A\u00b00")},
        {QString(), QString(), 0, QStringLiteral("\u00b00")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        const ProgramChoice choice = ProgramChoice::parse(c.value);
        EXPECT_EQ(choice.name, c.name);
        EXPECT_EQ(choice.id, c.id);
        EXPECT_EQ(choice.text(), c.text);
        EXPECT_EQ(choice.isProgram(), c.id > 0);
    }
}

TEST(AccessButtonCaptionsTest, OnlyAnOverriddenCaptionIsHandedOn)
{
    test::TempDir dir;
    const data::LayoutPtr layout = data::RecordLayout::make(core::parameterFile());
    data::Record settings(layout);
    settings.setValue(QStringLiteral("PAR:OverrideInsert"), 1);
    settings.setValue(QStringLiteral("PAR:InsertText"), QStringLiteral("New"));
    settings.setValue(QStringLiteral("PAR:OverrideChange"), 2);
    settings.setValue(QStringLiteral("PAR:ChangeText"), QStringLiteral("Edit"));
    settings.setValue(QStringLiteral("PAR:DeleteText"), QStringLiteral("Remove"));
    IniFile ini(dir.path() + QStringLiteral("/Vuvuzu.ini"));
    ASSERT_TRUE(ini.setValue(QStringLiteral("Vuvuzu"), QStringLiteral("Delete"), QStringLiteral("old")).ok());
    ASSERT_TRUE(writeAccessButtonCaptions(ini, settings).ok());
    IniFile reread(ini.path());
    EXPECT_EQ(reread.value(QStringLiteral("Vuvuzu"), QStringLiteral("Insert"), QStringLiteral("?")),
              QStringLiteral("New"));
    for (const char *key : {"Change", "Delete"}) {
        EXPECT_TRUE(reread.contains(QStringLiteral("Vuvuzu"), QString::fromLatin1(key)));
        EXPECT_EQ(reread.value(QStringLiteral("Vuvuzu"), QString::fromLatin1(key), QStringLiteral("?")),
                  QString());
    }
}

} // namespace tarvo::masterdata
