#include "access/ui/ImportProgress.h"

#include "access/SecurityImport.h"
#include "access/ui/WindowTranslation.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tarvo::access {

ImportProgress::ImportProgress(QWidget *parent)
    : QDialog(parent), m_bar(new QProgressBar(this)), m_percent(new QLabel(QStringLiteral("0%"), this))
{
    setObjectName(QStringLiteral("ImportSec"));
    setWindowTitle(QStringLiteral("Vuvuzussystem"));
    auto *text = new QLabel(QStringLiteral("Vuvuzusinformationen werden importiert..."), this);
    m_bar->setObjectName(QStringLiteral("Progress"));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_percent->setObjectName(QStringLiteral("Percent"));
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    auto *row = new QHBoxLayout();
    row->addWidget(m_bar, 1);
    row->addWidget(m_percent);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    translateWindow(this);
    setMinimumWidth(360);
}

void ImportProgress::step(int percent)
{
    m_bar->setValue(percent);
    m_percent->setText(QString::number(percent) + u'%');
    // The import holds a transaction: paint at once instead of running the event loop, whose
    // timers could write into it.
    if (isVisible())
        repaint();
}

Result<void> ImportProgress::import(AccessRepository &repository, const QString &securityFile,
                                    QWidget *parent)
{
    ImportProgress window(parent);
    window.show();
    // Lays the window out and paints it without running the event loop, which would start the
    // timers and queued calls of other windows in the middle of the caller's work.
    QCoreApplication::sendPostedEvents(&window);
    window.repaint();
    return SecurityImport::run(repository, securityFile, [&window](int percent) { window.step(percent); });
}

} // namespace tarvo::access
