#pragma once

#include "listext/ui/XploreClass.h"

#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace tarvo::listext::ui {

// Prints a list's shown columns as a simple table: every record of its view ("Print All", with
// totals of the columns marked for them) or the rows the list holds ("Print Page"), with the
// list's caption, the date and time on each page and the number of records below.
class ListPrinter final {
  public:
    ListPrinter(XploreClass &list, XploreClass::PrintMode mode);

    // The print preview; the pages are printed from it when the user says so.
    void preview();
    // Draws the report on the device; the number of records printed, or the read error.
    Result<qint64> render(QPagedPaintDevice &device);
    // The chosen font size for the columns' widths in characters (14 down to 6, else 4).
    static int fontSizeFor(int totalCharacters, int columns, int pageWidthPoints);

  private:
    struct Column {
        TableColumn column;
        QChar justification;
        bool total = false;
        int characters = 0;
        double sum = 0;
        bool hasSum = false;
    };

    XploreClass &m_list;
    XploreClass::PrintMode m_mode;
    std::vector<Column> m_columns;
};

} // namespace tarvo::listext::ui
