#pragma once

#include "listext/GraphData.h"
#include "listext/GraphOptions.h"

#include <QDialog>
#include <QRect>

#include <memory>

class QLabel;
class QScreen;
class QPushButton;

namespace tarvo::listext::ui {

class XploreClass;

// The bar chart of one column of a list: each value's count and percentage, drawn in the
// user's graph colours and font.
class GraphWindow final : public QDialog {
    Q_OBJECT
  public:
    GraphWindow(GraphData data, const QString &description, const QString &filter,
                std::unique_ptr<IniFile> ini, QWidget *parent = nullptr);
    ~GraphWindow() override;

    // Counts the column's values over the list's whole view with a progress window, then opens
    // the graph maximised (titled "Graph on" and the column's description); nullptr when there is nothing to
    // draw (the user was told why).
    static GraphWindow *run(XploreClass &list, const QString &field);

    const GraphData &data() const { return m_data; }
    const GraphOptions &options() const { return m_options; }
    QString heading() const;
    // The graph options window, then the chart again in the new colours and font.
    void changeOptions();
    // Puts an image of the window on the clipboard, without the buttons, and says so.
    void copyToClipboard();
    // Where the window stands when it is not maximised: most of the screen, centred on it.
    static QRect normalGeometry(const QScreen *screen);

  private:
    class Chart;

    GraphData m_data;
    QString m_description;
    std::unique_ptr<IniFile> m_ini;
    GraphOptions m_options;
    Chart *m_chart = nullptr;
    QList<QPushButton *> m_buttons;
};

} // namespace tarvo::listext::ui
