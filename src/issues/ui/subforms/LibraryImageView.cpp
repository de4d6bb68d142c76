#include "issues/ui/subforms/LibraryImageView.h"

#include "issues/attachments/PreviewScroll.h"
#include "platform/image/PcxImage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace tarvo::issues::ui {

LibraryImageView::LibraryImageView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_region = new QWidget(this);
    m_region->setObjectName(QStringLiteral("ImageRegion"));
    m_region->setCursor(Qt::OpenHandCursor);
    m_region->installEventFilter(this);
    m_bar = new QScrollBar(Qt::Vertical, this);
    m_bar->setObjectName(QStringLiteral("ImageScroll"));
    m_bar->setRange(0, 100);
    m_bar->setSingleStep(1);
    m_bar->setPageStep(20);
    layout->addWidget(m_region, 1);
    layout->addWidget(m_bar);
    connect(m_bar, &QScrollBar::valueChanged, this, &LibraryImageView::scrollTo);
}

bool LibraryImageView::load(const QByteArray &bytes, const QString &fileName, bool sizeToWidth)
{
    clear();
    m_sizeToWidth = sizeToWidth;
    const QString name = fileName.toUpper();
    if (name.contains(QLatin1String(".PCX"))) {
        if (auto decoded = image::PcxImage::decode(bytes))
            m_picture = *decoded;
    } else {
        const char *format = name.contains(QLatin1String(".PNG")) ? "PNG"
                             : name.contains(QLatin1String(".JPG")) || name.contains(QLatin1String(".JPEG"))
                                 ? "JPEG"
                                 : "BMP";
        m_picture = QImage::fromData(bytes, format);
    }
    if (m_picture.isNull())
        return false;
    m_picture = m_picture.convertToFormat(QImage::Format_RGB888);
    if (m_sizeToWidth) {
        const int width = std::max(1, m_region->width());
        const int height = PreviewScroll::scaledHeight(m_picture.width(), m_picture.height(), width);
        if (height > 0)
            m_scaled = m_picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    m_region->update();
    return true;
}

void LibraryImageView::clear()
{
    m_picture = QImage();
    m_scaled = QImage();
    m_offset = 0;
    const QSignalBlocker block(m_bar);
    m_bar->setValue(0);
    m_region->update();
}

int LibraryImageView::drawnHeight(int regionWidth) const
{
    if (m_sizeToWidth)
        return PreviewScroll::scaledHeight(m_picture.width(), m_picture.height(), regionWidth);
    return m_picture.height();
}

int LibraryImageView::range() const
{
    return PreviewScroll::range(drawnHeight(m_region->width()), m_region->height());
}

void LibraryImageView::scrollTo(int position)
{
    m_offset = PreviewScroll::offsetAt(position, range());
    m_region->update();
}

void LibraryImageView::paintRegion()
{
    QPainter painter(m_region);
    painter.fillRect(m_region->rect(), m_region->palette().window());
    if (m_picture.isNull())
        return;
    if (m_sizeToWidth) {
        const QImage &source = m_scaled.isNull() ? m_picture : m_scaled;
        const int width = m_region->width();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, m_offset, width, drawnHeight(width)), source);
    } else {
        painter.drawImage(QPoint(0, m_offset), m_picture);
    }
}

bool LibraryImageView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_region)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        paintRegion();
        return true;
    case QEvent::Resize:
        // Scaled to the new width without decoding again; the offset stays within the picture.
        m_offset = PreviewScroll::dragged(m_offset, 0, range());
        return false;
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_lastRow = int(mouse->position().y());
        m_region->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_dragging)
            return false;
        const int row = int(mouse->position().y());
        const int moved = PreviewScroll::dragged(m_offset, row - m_lastRow, range());
        m_lastRow = row;
        if (moved != m_offset) {
            m_offset = moved;
            const QSignalBlocker block(m_bar);
            m_bar->setValue(PreviewScroll::positionAt(m_offset, range()));
            m_region->update();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        m_region->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}

} // namespace tarvo::issues::ui
