#include "masterdata/options/TextList.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "platform/runtime/Text.h"

namespace tarvo::test {

using masterdata::TextList;

class TextListTest : public TarvoStoreTest {
  protected:
    QStringList texts(const TextList &list)
    {
        auto rows = list.entries();
        EXPECT_TRUE(rows.ok());
        QStringList out;
        for (const data::Record &r : rows.value())
            out << Text::clip(r.text(list.textField()));
        return out;
    }
};
TARVO_REAL_STORE_SUITE(TextListTest);

TEST_P(TextListTest, EntriesAreAddedOnceAndDeletedInTheirOrder)
{
    struct Case {
        TextList::Kind kind;
        QStringList shown;
    };
    for (const Case &c : std::vector<Case>{
             {TextList::Kind::Reproducible, {"Always", "Once", "Sometimes"}},
             {TextList::Kind::Resolution, {"Always", "Once", "Sometimes"}},
             {TextList::Kind::ContractTypes, {"Always", "Once", "Sometimes"}},
             {TextList::Kind::Descriptions, {"Sometimes", "Always", "Once"}},
         }) {
        TextList list(session(), c.kind);
        SCOPED_TRACE(list.label().toStdString());
        for (const char *text : {"Sometimes", "Always", "Once"})
            ASSERT_TRUE(list.insert(text));
        EXPECT_EQ(texts(list), c.shown);
        EXPECT_FALSE(list.insert("Always")) << "a text is in the list once";
        EXPECT_EQ(texts(list), c.shown);
        ASSERT_TRUE(list.remove(list.entries().value().front()));
        EXPECT_EQ(texts(list), c.shown.mid(1));
    }
}

} // namespace tarvo::test
