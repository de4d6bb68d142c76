#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace tarvo::core::ui {

// The frame's main window: its menu (every action named after its control), the MDI area of the
// lists and the six zones of the status bar.
class FrameWindow final : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int StatusZones = 6;

    FrameWindow();

    QMdiArea *mdiArea() const { return m_mdi; }
    // The menu item or heading of a control name ("BROWSECUSTOMER", "EXTRA"); null for none.
    QAction *action(const QString &control) const;
    // Zones 2 to 6; zone 1 is the status bar's own message zone.
    void setStatusZone(int zone, const QString &text);
    QString statusZone(int zone) const;
    // While true, minimising hides the window (into the tray) instead of making it an icon.
    void setHideWhenMinimized(bool hide) { m_hideWhenMinimized = hide; }

  Q_SIGNALS:
    void commandChosen(const QString &control);
    void closeRequested();
    void resized();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void buildMenu();
    QAction *addItem(QMenu *menu, const QString &text, const QString &control);
    QMenu *addHeading(QMenu *parent, const QString &text, const QString &control);
    void fillWindowMenu(QMenu *menu);

    QMdiArea *m_mdi;
    std::array<QLabel *, StatusZones> m_zones{};
    bool m_hideWhenMinimized = false;
};

} // namespace tarvo::core::ui
