#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace tarvo::issues::ui {

struct SubFormUser;

// The texts and looks the sub-forms of an issue share.
class SubFormTexts final {
  public:
    // "Add Note..." / "Change Note..." / "View Record" for the request, translated.
    static QString caption(int request, const char *addCaption, const char *changeCaption);
    static QString translated(const char *text);
    // "Created by JDO at 03.12.2026" (or "Changed by"), the words translated.
    static QString dateLine(const char *words, const QString &initials, qint64 date);
    // PAR:COLOR of the settings record (00BBGGRR), the colour of displayed names.
    static QColor displayColour();
    static void colourText(QWidget *widget, const QColor &colour);
    // Puts the user's date and time stamp into a memo control of maxLength characters.
    static bool stamp(QWidget *control, const SubFormUser &user, qsizetype maxLength);
    // Tells the other windows and running copies that these files changed ("|Notes|").
    static void sendRefresh(const QString &files);
};

} // namespace tarvo::issues::ui
