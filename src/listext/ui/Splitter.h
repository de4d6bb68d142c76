#pragma once

#include <QObject>
#include <QPointer>
#include <QSplitter>

#include <vector>

namespace tarvo::listext::ui {

// Bars that the user drags to share a window's space between the controls on either side. Each
// bar is the handle of a QSplitter; the controls before and after it are the splitter's panes.
// A window derives from it to save a bar's position when a drag ends.
class Splitter : public QObject {
    Q_OBJECT
  public:
    // Placements of a control: above or below a horizontal bar, left or right of a vertical one.
    enum Placement { Above = 1, Below = 2, Left = 3, Right = 4 };
    // Reposition modes: a drag step, the end of a drag, placed by program.
    enum Mode { DragStep = 0, DragEnd = 1, ByProgram = 2 };

    // No pane gets smaller than the edge buffer (pixels) while a bar moves.
    explicit Splitter(int edgeBuffer = 0, QObject *parent = nullptr);
    ~Splitter() override;

    // The bar between the splitter's first and second pane (or the handle given); the bar's
    // handle number, 1 for the first bar added. Without redrawing, the panes follow only when
    // the drag ends.
    int addBar(QSplitter *splitter, bool redrawWhileMoving = true, int handleIndex = 1);
    // Puts a control on one side of a bar.
    void addControl(int bar, QWidget *control, Placement placement);
    // Places a bar by program (at window start, at the stored position); 0 leaves it as designed.
    void moveBar(int bar, int position);
    int barPosition(int bar) const;
    int barCount() const { return static_cast<int>(m_bars.size()); }
    QSplitter *bar(int handle) const;
    bool isMoving() const { return m_moving != 0; }

  protected:
    // A drag step: the bar is at this position now.
    virtual void trackMouse(int bar, int position);
    virtual void dragBegan(int bar) { (void)bar; }
    // The window saves the bar's position here.
    virtual void dragEnded(int bar) { (void)bar; }
    virtual void reposition(int bar, int mode);

    bool eventFilter(QObject *watched, QEvent *event) override;

  Q_SIGNALS:
    void barMoved(int bar, int position);
    void barReleased(int bar, int position);

  private:
    struct Bar {
        QPointer<QSplitter> splitter;
        int handleIndex = 1;
        bool redraw = true;
    };
    int barOfHandle(QObject *handle) const;

    std::vector<Bar> m_bars;
    int m_edgeBuffer = 0;
    int m_moving = 0;
};

} // namespace tarvo::listext::ui
