#pragma once

#include <QDialog>

#include <array>

class QComboBox;

namespace tarvo::listext::ui {

class XploreClass;

// Sets one column's four default colours (normal and selected text and background) from the
// sixteen named colours or "None", applied to the list at once.
class ColumnColorsWindow final : public QDialog {
    Q_OBJECT
  public:
    ColumnColorsWindow(XploreClass &list, const QString &field, QWidget *parent = nullptr);

    // The drop lists: normal background, selected background, normal text, selected text.
    QComboBox *dropList(int i) const { return m_drops.at(i); }
    void reset();

  private:
    void choose(int drop, const QString &name);

    XploreClass &m_list;
    QString m_field;
    std::array<QComboBox *, 4> m_drops{};
};

} // namespace tarvo::listext::ui
