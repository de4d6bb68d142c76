#pragma once

#include <QImage>
#include <QWidget>

class QScrollBar;

namespace tarvo::issues::ui {

// A decoded picture drawn at its own size or scaled to the region's width, moved vertically by
// its scroll bar (0 to 100) or by grabbing and dragging it. The picture is decoded and scaled
// once per load; scrolling and resizing only draw it again.
class LibraryImageView final : public QWidget {
    Q_OBJECT
  public:
    explicit LibraryImageView(QWidget *parent = nullptr);

    // Decodes the bytes by the file name's extension (PNG, JPEG, BMP, PCX); false, and nothing
    // drawn, when they cannot be decoded.
    bool load(const QByteArray &bytes, const QString &fileName, bool sizeToWidth);
    void clear();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage &picture() const { return m_picture; }
    int offset() const { return m_offset; }
    QScrollBar *scrollBar() const { return m_bar; }
    QWidget *region() const { return m_region; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    int range() const;
    int drawnHeight(int regionWidth) const;
    void scrollTo(int position);
    void paintRegion();

    QWidget *m_region = nullptr;
    QScrollBar *m_bar = nullptr;
    QImage m_picture;
    QImage m_scaled;
    bool m_sizeToWidth = false;
    int m_offset = 0;
    bool m_dragging = false;
    int m_lastRow = 0;
};

} // namespace tarvo::issues::ui
