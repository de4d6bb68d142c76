#include "platform/query/MassUpdate.h"

#include "QueryFileSupport.h"
#include "platform/runtime/IniFile.h"

namespace tarvo::query {

namespace {

QString information()
{
    // The memo first, then the record's fields; Done names its allowed values.
    const QChar a(RegisteredFile::PartSeparator);
    const QChar e(RegisteredFile::EntryEnd);
    return QStringLiteral("@s255") + a + a + e + QStringLiteral("@n_7") + a + a + e + QStringLiteral("@s40") +
           a + a + e + QStringLiteral("@D6") + a + a + e + QStringLiteral("@n3") + a +
           QStringLiteral("1 to 5") + a + e + QStringLiteral("@n1") + a + a + QStringLiteral("0|1") + e;
}

} // namespace

TEST(MassUpdateTest, OffersEditorsByChoicesAndPutsOnlyChangedValues)
{
    const data::LayoutPtr layout = data::RecordLayout::make(test::taskDictionary().files.front());
    auto registered = RegisteredFile::withFieldInformation(layout, information());
    ASSERT_TRUE(registered.ok()) << registered.error().message.toStdString();
    RegisteredFile &file = registered.value();
    EXPECT_EQ(file.field(QStringLiteral("Priority"))->note, QStringLiteral("1 to 5"));
    file.removeField(QStringLiteral("TSK:ID"));

    // The choices travel through their INI file as the caller writes them.
    test::TempDir dir;
    IniFile ini(dir.path() + QStringLiteral("/MassUpdate.ini"));
    FieldChoices written;
    written.add(QStringLiteral("TSK:TITLE"), {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    written.add(QStringLiteral("TSK:PRIORITY"), {QStringLiteral("1"), QStringLiteral("5")}, true);
    ASSERT_TRUE(written.save(ini).ok());
    MassUpdate update(file, FieldChoices::load(ini));

    std::vector<std::pair<QString, FieldEditor::Kind>> kinds;
    for (const FieldEditor &e : update.editors())
        kinds.emplace_back(e.field->name, e.kind);
    using K = FieldEditor::Kind;
    EXPECT_EQ(kinds, (std::vector<std::pair<QString, K>>{{QStringLiteral("TSK:Title"), K::ComboBox},
                                                         {QStringLiteral("TSK:Due"), K::Entry},
                                                         {QStringLiteral("TSK:Priority"), K::DropList},
                                                         {QStringLiteral("TSK:Done"), K::DropList},
                                                         {QStringLiteral("TSK:Notes"), K::Entry}}));

    // A drop list takes only its choices; the ID is not offered; a typed title is fine.
    EXPECT_FALSE(update.setValue(QStringLiteral("Priority"), QStringLiteral("3")).ok());
    EXPECT_FALSE(update.setValue(QStringLiteral("ID"), QStringLiteral("3")).ok());
    EXPECT_FALSE(update.setValue(QStringLiteral("Due"), QStringLiteral("soon")).ok());
    ASSERT_TRUE(update.setValue(QStringLiteral("Priority"), QStringLiteral("5")).ok());
    ASSERT_TRUE(update.setValue(QStringLiteral("Title"), QStringLiteral("Gamma")).ok());

    data::Record record(layout);
    record.setValue(QStringLiteral("Title"), QStringLiteral("Gamma"));
    record.setValue(QStringLiteral("Priority"), 2);
    const auto changes = update.apply(record);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].name, QStringLiteral("PRIORITY"));
    EXPECT_EQ(changes[0].label, QStringLiteral("TSK:Priority"));
    EXPECT_EQ(changes[0].picture, QStringLiteral("@n3"));
    EXPECT_EQ(changes[0].oldValue, QStringLiteral("2"));
    EXPECT_EQ(changes[0].newValue, QStringLiteral("5"));
    EXPECT_EQ(record.integer(QStringLiteral("Priority")), 5);
    EXPECT_TRUE(update.apply(record).empty());
}

} // namespace tarvo::query
