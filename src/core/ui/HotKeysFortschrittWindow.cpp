#include "core/ui/HotKeysFortschrittWindow.h"

#include "platform/runtime/ProgramInfo.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::core::ui {

HotKeysFortschrittWindow::HotKeysFortschrittWindow(Context &context)
    : WindowManager(context, QStringLiteral("HotKeysFortschritt"))
{
    auto *widget = new QWidget;
    widget->setWindowTitle(ProgramInfo::productName());
    auto *layout = new QVBoxLayout(widget);
    m_text = new QLabel(widget);
    m_text->setObjectName(QStringLiteral("UserString"));
    m_bar = new QProgressBar(widget);
    m_bar->setObjectName(QStringLiteral("ProgressThermometer"));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_percent = new QLabel(widget);
    m_percent->setObjectName(QStringLiteral("PercentString"));
    m_percent->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_percent);
    setWindow(widget);
}

bool HotKeysFortschrittWindow::open()
{
    if (!WindowManager::open())
        return false;
    m_text->clear();
    m_percent->clear();
    m_bar->setValue(0);
    window()->show();
    return true;
}

void HotKeysFortschrittWindow::setText(const QString &text)
{
    m_text->setText(text);
}

void HotKeysFortschrittWindow::setPercent(int percent)
{
    m_bar->setValue(qBound(0, percent, 100));
    m_percent->setText(QString::number(percent) + QLatin1Char('%'));
}

QString HotKeysFortschrittWindow::text() const
{
    return m_text->text();
}

QString HotKeysFortschrittWindow::percentText() const
{
    return m_percent->text();
}

int HotKeysFortschrittWindow::barValue() const
{
    return m_bar->value();
}

} // namespace tarvo::core::ui
