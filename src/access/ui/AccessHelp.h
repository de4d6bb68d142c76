#pragma once

#include <QString>

#include <functional>

class QPushButton;
class QWidget;

namespace tarvo::access {

// The library's help. A help file ("Vuvuzu.chm", "Vuvuzud.chm") is a folder of HTML pages named
// after it ("help/Vuvuzu"), in the program's folder or beside the executable; a topic is one page
// of it, shown by the desktop's browser. A missing help file or page is said in a message.
class AccessHelp final {
  public:
    // Where the topic's page of the help file in force would be; empty when no help file is set.
    static QString page(const QString &topic);
    // Opens the topic's page; false, after a message, when there is none or the desktop refused it.
    static bool show(const QString &topic);
    // The window's "&Hilfe" button (named "Help") and its help key (F1), both opening the topic
    // that `topic` names at the moment; an empty topic opens nothing.
    static QPushButton *install(QWidget *window, std::function<QString()> topic);
};

} // namespace tarvo::access
