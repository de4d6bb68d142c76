#include "core/ui/ControlChangeMonitor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

#include <functional>
#include <gtest/gtest.h>

using namespace tarvo::core::ui;

namespace {

// Remembers each change with the old content it saw.
class RecordingMonitor final : public ControlChangeMonitor {
  public:
    struct Change {
        QString label;
        QString oldContent;
    };
    std::vector<Change> changes;

  protected:
    void changed(Entry &entry) override { changes.push_back({entry.label, entry.content}); }
};

template <typename T> T *make(QWidget *window, const char *name)
{
    auto *control = new T(window);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

struct KindCase final {
    const char *kind;
    std::function<QObject *(QWidget *)> create; // a field control named "BUG:Field"
    std::function<void(QObject *)> change;
    std::function<void(QObject *)> changeBack;
};

class MonitorPerKind : public testing::TestWithParam<KindCase> {};

TEST_P(MonitorPerKind, ReportsOnlyRealChangesWithTheOldContent)
{
    QWidget window;
    QObject *control = GetParam().create(&window);
    RecordingMonitor monitor;
    monitor.init(&window);
    ASSERT_TRUE(monitor.isMonitored(control));
    const QString original = ControlChangeMonitor::contentOf(control);

    monitor.checkControl(control);
    EXPECT_TRUE(monitor.changes.empty()) << "accepted without a change";

    GetParam().change(control);
    GetParam().changeBack(control);
    monitor.checkControl(control);
    EXPECT_TRUE(monitor.changes.empty()) << "changed and back";

    GetParam().change(control);
    monitor.checkControl(control);
    ASSERT_EQ(monitor.changes.size(), 1u);
    EXPECT_EQ(monitor.changes[0].label, "BUG:Field");
    EXPECT_EQ(monitor.changes[0].oldContent, original);
    EXPECT_NE(monitor.controls().front().content, original) << "the new content is recorded afterwards";

    monitor.checkControl(control);
    EXPECT_EQ(monitor.changes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MonitorPerKind,
    testing::Values(KindCase{"LineEdit", [](QWidget *w) { return make<QLineEdit>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QLineEdit *>(c)->setText("new"); },
                             [](QObject *c) { static_cast<QLineEdit *>(c)->setText(""); }},
                    KindCase{"TextEdit", [](QWidget *w) { return make<QTextEdit>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QTextEdit *>(c)->setPlainText("a\nb"); },
                             [](QObject *c) { static_cast<QTextEdit *>(c)->clear(); }},
                    KindCase{"PlainTextEdit", [](QWidget *w) { return make<QPlainTextEdit>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QPlainTextEdit *>(c)->setPlainText("text"); },
                             [](QObject *c) { static_cast<QPlainTextEdit *>(c)->clear(); }},
                    KindCase{"ComboBox",
                             [](QWidget *w) {
                                 auto *combo = make<QComboBox>(w, "BUG:Field");
                                 combo->addItems({"Low", "High"});
                                 return combo;
                             },
                             [](QObject *c) { static_cast<QComboBox *>(c)->setCurrentIndex(1); },
                             [](QObject *c) { static_cast<QComboBox *>(c)->setCurrentIndex(0); }},
                    KindCase{"CheckBox", [](QWidget *w) { return make<QCheckBox>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QCheckBox *>(c)->setChecked(true); },
                             [](QObject *c) { static_cast<QCheckBox *>(c)->setChecked(false); }},
                    KindCase{"RadioButton", [](QWidget *w) { return make<QRadioButton>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QRadioButton *>(c)->setChecked(true); },
                             [](QObject *c) {
                                 auto *radio = static_cast<QRadioButton *>(c);
                                 radio->setAutoExclusive(false);
                                 radio->setChecked(false);
                                 radio->setAutoExclusive(true);
                             }},
                    KindCase{"ButtonGroup",
                             [](QWidget *w) {
                                 auto *group = new QButtonGroup(w);
                                 group->setObjectName("BUG:Field");
                                 for (int id = 1; id <= 3; ++id)
                                     group->addButton(new QRadioButton(w), id);
                                 group->button(1)->setChecked(true);
                                 return group;
                             },
                             [](QObject *c) { static_cast<QButtonGroup *>(c)->button(3)->setChecked(true); },
                             [](QObject *c) { static_cast<QButtonGroup *>(c)->button(1)->setChecked(true); }},
                    KindCase{"SpinBox", [](QWidget *w) { return make<QSpinBox>(w, "BUG:Field"); },
                             [](QObject *c) { static_cast<QSpinBox *>(c)->setValue(7); },
                             [](QObject *c) { static_cast<QSpinBox *>(c)->setValue(0); }},
                    KindCase{"DateEdit",
                             [](QWidget *w) {
                                 auto *edit = make<QDateEdit>(w, "BUG:Field");
                                 edit->setDate(QDate(2005, 2, 1));
                                 return edit;
                             },
                             [](QObject *c) { static_cast<QDateEdit *>(c)->setDate(QDate(2006, 3, 4)); },
                             [](QObject *c) { static_cast<QDateEdit *>(c)->setDate(QDate(2005, 2, 1)); }}),
    [](const testing::TestParamInfo<KindCase> &info) { return std::string(info.param.kind); });

TEST(ControlChangeMonitor, MonitorsOnlyFieldControls)
{
    QWidget window;
    auto *field = make<QLineEdit>(&window, "BUG:Description");
    auto *local = make<QLineEdit>(&window, "LocalText");
    auto *prompt = make<QLabel>(&window, "BUG:Prompt");
    auto *button = make<QPushButton>(&window, "BUG:Button");
    auto *spin = make<QSpinBox>(&window, "BUG:Count"); // its inner line edit is no field
    RecordingMonitor monitor;
    monitor.init(&window);
    EXPECT_TRUE(monitor.isMonitored(field));
    EXPECT_TRUE(monitor.isMonitored(spin));
    EXPECT_FALSE(monitor.isMonitored(local));
    EXPECT_FALSE(monitor.isMonitored(prompt));
    EXPECT_FALSE(monitor.isMonitored(button));
    EXPECT_EQ(monitor.controls().size(), 2u);
    EXPECT_FALSE(monitor.controls().front().customFlag);

    local->setText("changed");
    monitor.checkControl(local);
    monitor.checkControl(nullptr);
    EXPECT_TRUE(monitor.changes.empty());

    monitor.kill();
    EXPECT_TRUE(monitor.controls().empty());
    field->setText("changed");
    monitor.checkControl(field);
    EXPECT_TRUE(monitor.changes.empty()) << "after kill nothing is monitored";
}

TEST(ControlChangeMonitor, LongTextIsComparedWholeButStoredCut)
{
    QWidget window;
    auto *edit = make<QPlainTextEdit>(&window, "BUG:Text");
    const QString longText(20000, 'a');
    edit->setPlainText(longText);
    RecordingMonitor monitor;
    monitor.init(&window);
    EXPECT_EQ(monitor.controls().front().content.size(), ControlChangeMonitor::MaxStoredContent);

    edit->setPlainText(longText.left(19999) + 'b'); // differs only beyond the stored part
    monitor.checkControl(edit);
    ASSERT_EQ(monitor.changes.size(), 1u);
    EXPECT_EQ(monitor.changes[0].oldContent, QString(15000, 'a'));
}

TEST(ControlChangeMonitor, ChecksumIsCrc32OfTheContentAndAZeroByte)
{
    // CRC-32 of the single byte 0, and of "a" followed by 0.
    EXPECT_EQ(ControlChangeMonitor::contentCRC(""), 0xD202EF8Du);
    EXPECT_NE(ControlChangeMonitor::contentCRC("a"), ControlChangeMonitor::contentCRC("b"));
}

} // namespace
