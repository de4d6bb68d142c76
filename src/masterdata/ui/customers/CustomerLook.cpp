#include "masterdata/ui/customers/CustomerLook.h"

#include <QPainter>
#include <QPixmap>

namespace tarvo::masterdata::ui {

namespace {

// The text colour of a disabled customer or contact (00BBGGRR).
constexpr int DisabledColour = 12615808;

} // namespace

const QIcon &tagIcon()
{
    static const QIcon icon = [] {
        QPixmap pixmap(14, 14);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 128, 0), 2.5));
        painter.drawPolyline(QPolygonF({QPointF(2, 7), QPointF(6, 11), QPointF(12, 3)}));
        return QIcon(pixmap);
    }();
    return icon;
}

listext::ui::RowLook disabledLook(const QString &status)
{
    listext::ui::RowLook look;
    // Only the exact word marks a disabled row.
    if (status == QLatin1String("disabled"))
        look.colors = {DisabledColour, 0xFFFFFF, 0xFFFFFF, DisabledColour};
    return look;
}

} // namespace tarvo::masterdata::ui
