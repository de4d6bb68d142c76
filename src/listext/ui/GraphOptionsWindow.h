#pragma once

#include "listext/GraphOptions.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace tarvo::listext::ui {

// Orders the sixteen graph colours (the top eight colour the bars) and picks the graph's font;
// whatever way it closes, it stores the colours and the font in "XplorePreferences".
class GraphOptionsWindow final : public QDialog {
    Q_OBJECT
  public:
    GraphOptionsWindow(IniFile ini, QWidget *parent = nullptr);

    QListWidget *colourList() const { return m_list; }
    const GraphOptions &options() const { return m_options; }
    void moveUp();
    void moveDown();
    void reset();
    // The rows' order becomes the colours' order.
    void takeOrder();
    void done(int result) override;

  private:
    void fill();
    void showSample();

    IniFile m_ini;
    GraphOptions m_options;
    QListWidget *m_list = nullptr;
    QLabel *m_sample = nullptr;
};

} // namespace tarvo::listext::ui
