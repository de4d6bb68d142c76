#include "core/ui/RecordButtonCaptions.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Record.h"
#include "platform/data/RecordLayout.h"

#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarvo::core::ui {

TEST(RecordButtonCaptionsTest, OnlyOverriddenButtonsOfEveryListTakeTheSettingsCaption)
{
    data::Record settings(data::RecordLayout::make(parameterFile()));
    settings.setValue(QStringLiteral("PAR:OverrideInsert"), 1);
    settings.setValue(QStringLiteral("PAR:InsertText"), QStringLiteral("New"));
    settings.setValue(QStringLiteral("PAR:DeleteText"), QStringLiteral("Remove"));
    QWidget window;
    const char *names[] = {"Insert", "Insert:4", "Delete:4", "InsertRow"};
    for (const char *name : names) {
        auto *button = new QPushButton(QStringLiteral("&Button"), &window);
        button->setObjectName(QString::fromLatin1(name));
    }
    applyRecordButtonCaptions(&window, settings);
    const char *captions[] = {"New", "New", "&Button", "&Button"};
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(window.findChild<QPushButton *>(QString::fromLatin1(names[i]))->text(),
                  QString::fromLatin1(captions[i]))
            << names[i];
}

} // namespace tarvo::core::ui
