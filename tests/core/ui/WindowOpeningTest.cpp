#include "core/ui/WindowOpening.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/frame/FrameFixture.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/WindowManager.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tarvo::core::ui::test {
namespace {

// A window as a procedure builds it, with no call of its own to the translator or to the
// access library.
class SampleBrowse final : public tarvo::ui::WindowManager {
  public:
    explicit SampleBrowse(Context &context) : WindowManager(context, QStringLiteral("BrowseSample"))
    {
        auto *widget = new QWidget;
        widget->setWindowTitle(QStringLiteral("Sample window caption"));
        auto *layout = new QVBoxLayout(widget);
        prompt = new QLabel(QStringLiteral("Sample prompt:"), widget);
        insert = button(widget, "Insert", "&Insert sample");
        remove = button(widget, "Delete", "&Delete sample");
        print = button(widget, "?PRINT", "Print");
        moveUp = button(widget, "?TREEUP", "Move Up");
        exportAction = new QAction(QStringLiteral("Export sample"), widget);
        exportAction->setObjectName(QStringLiteral("Export"));
        widget->addAction(exportAction);
        layout->addWidget(prompt);
        layout->addWidget(insert);
        layout->addWidget(remove);
        layout->addWidget(print);
        layout->addWidget(moveUp);
        addRightsName(QStringLiteral("InsertPUT"));
        addRightsName(QStringLiteral("MoveUpPUT"), {QStringLiteral("?TREEUP")});
        addRightsName(QStringLiteral("ChangePUT"));
        setWindow(widget);
        setDeleteOnClose(false);
    }

    QPushButton *button(QWidget *parent, const char *name, const char *text)
    {
        auto *b = new QPushButton(QString::fromUtf8(text), parent);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    }

    QLabel *prompt = nullptr;
    QPushButton *insert = nullptr;
    QPushButton *remove = nullptr;
    QPushButton *print = nullptr;
    QPushButton *moveUp = nullptr;
    QAction *exportAction = nullptr;
};

const TranslationPair kSamplePairs[] = {
    {"Sample window caption", "Beispielfenster"},
    {"Sample prompt:", "Beispiel:"},
    {"&Insert sample", "&Beispiel einfügen"},
};

class WindowOpeningTest : public testing::Test {
  protected:
    void SetUp() override
    {
        Translator::instance().addTable(kSamplePairs);
        Services::setAccess(&m_access);
        WindowOpening::install();
        m_access.refused = {QStringLiteral("BrowseSample:?Delete"), QStringLiteral("BrowseSample:?Export"),
                            QStringLiteral("BrowseSample:?PRINT"), QStringLiteral("BrowseSample:?InsertPUT"),
                            QStringLiteral("BrowseSample:?MoveUpPUT")};
    }
    void TearDown() override
    {
        WindowOpening::uninstall();
        Services::setAccess(nullptr);
        SettingsRecord::instance().clear();
    }
    void useLanguage(const char *language)
    {
        data::Record settings(data::RecordLayout::make(parameterFile()));
        settings.setValue(QStringLiteral("Language"), QString::fromLatin1(language));
        SettingsRecord::instance().set(settings);
    }

    FakeAccess m_access;
    std::shared_ptr<Context> m_context = std::make_shared<Context>(2);
};

TEST_F(WindowOpeningTest, AWindowComesOutTranslatedAndUnderItsRightsWithoutACallOfItsOwn)
{
    useLanguage("Deutsch");
    SampleBrowse browse(*m_context);
    ASSERT_TRUE(browse.open());
    EXPECT_EQ(browse.window()->windowTitle(), QStringLiteral("Beispielfenster"));
    EXPECT_EQ(browse.prompt->text(), QStringLiteral("Beispiel:"));
    EXPECT_EQ(browse.insert->text(), QStringLiteral("&Beispiel einfügen"));
    EXPECT_TRUE(m_access.asked.contains(QStringLiteral("BrowseSample:?Insert")));
    EXPECT_TRUE(browse.insert->isEnabled());
    EXPECT_FALSE(browse.remove->isEnabled());
    EXPECT_FALSE(browse.exportAction->isEnabled());
    EXPECT_TRUE(browse.isDenied(QStringLiteral("delete")));

    // The window's own state changes (a row selected) cannot give a refused control back.
    browse.remove->setEnabled(true);
    browse.exportAction->setEnabled(true);
    EXPECT_FALSE(browse.remove->isEnabled());
    EXPECT_FALSE(browse.exportAction->isEnabled());
    browse.close();
}

TEST_F(WindowOpeningTest, AnEnglishProgramKeepsItsTextsButStillAppliesTheRights)
{
    useLanguage("English");
    SampleBrowse browse(*m_context);
    ASSERT_TRUE(browse.open());
    EXPECT_EQ(browse.window()->windowTitle(), QStringLiteral("Sample window caption"));
    EXPECT_EQ(browse.insert->text(), QStringLiteral("&Insert sample"));
    EXPECT_FALSE(browse.remove->isEnabled());
    browse.close();
}

TEST_F(WindowOpeningTest, ControlsNamedAsDeclaredAndRightsOfNoControlAreAskedUnderTheirKeys)
{
    useLanguage("English");
    SampleBrowse browse(*m_context);
    ASSERT_TRUE(browse.open());
    // "?PRINT" is asked as "BrowseSample:?PRINT", never with a doubled question mark.
    EXPECT_FALSE(m_access.asked.contains(QStringLiteral("BrowseSample:??PRINT")));
    EXPECT_FALSE(browse.print->isEnabled());
    // A tree's insert has no control: it is asked by its name and only recorded as denied; the
    // move right takes its button with it.
    EXPECT_TRUE(browse.isDenied(QStringLiteral("InsertPUT")));
    EXPECT_FALSE(browse.isDenied(QStringLiteral("ChangePUT")));
    EXPECT_TRUE(m_access.asked.contains(QStringLiteral("BrowseSample:?ChangePUT")));
    EXPECT_FALSE(browse.moveUp->isEnabled());
    browse.moveUp->setEnabled(true);
    EXPECT_FALSE(browse.moveUp->isEnabled());
    browse.close();
}

} // namespace
} // namespace tarvo::core::ui::test
