#include "core/ui/frame/FrameWindow.h"

#include "platform/runtime/TranslationTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace tarvo::core::ui {

FrameWindow::FrameWindow() : m_mdi(new QMdiArea)
{
    setObjectName(QStringLiteral("TARVO"));
    // The title is a row of the translation table, so that a German interface translates it too.
    setWindowTitle(QString::fromUtf8(kFrameTitleWithSlogan));
    setFont(QFont(QStringLiteral("Tahoma"), font().pointSize()));
    m_mdi->setObjectName(QStringLiteral("MDIAREA"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    // The toolbars are switched in the Extra menu only, so their switches stay the truth.
    setContextMenuPolicy(Qt::NoContextMenu);
    buildMenu();
    for (int zone = 2; zone <= StatusZones; ++zone) {
        auto *label = new QLabel;
        label->setObjectName(QStringLiteral("STATUSZONE%1").arg(zone));
        label->setContentsMargins(6, 0, 6, 0);
        statusBar()->addPermanentWidget(label);
        m_zones[std::size_t(zone - 1)] = label;
    }
    resize(1000, 680);
}

QAction *FrameWindow::action(const QString &control) const
{
    return findChild<QAction *>(control);
}

void FrameWindow::setStatusZone(int zone, const QString &text)
{
    if (zone == 1)
        statusBar()->showMessage(text);
    else if (zone >= 2 && zone <= StatusZones)
        m_zones[std::size_t(zone - 1)]->setText(text);
}

QString FrameWindow::statusZone(int zone) const
{
    if (zone == 1)
        return statusBar()->currentMessage();
    return zone >= 2 && zone <= StatusZones ? m_zones[std::size_t(zone - 1)]->text() : QString();
}

QAction *FrameWindow::addItem(QMenu *menu, const QString &text, const QString &control)
{
    QAction *item = menu->addAction(text);
    item->setObjectName(control);
    connect(item, &QAction::triggered, this, [this, control]() { Q_EMIT commandChosen(control); });
    return item;
}

QMenu *FrameWindow::addHeading(QMenu *parent, const QString &text, const QString &control)
{
    QMenu *menu = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
    menu->setObjectName(control + QStringLiteral("MENU"));
    menu->menuAction()->setObjectName(control);
    return menu;
}

void FrameWindow::buildMenu()
{
    QMenu *file = addHeading(nullptr, QStringLiteral("&File"), QStringLiteral("FILE"));
    addItem(file, QStringLiteral("&Exit"), QStringLiteral("FILEEXIT"));

    QMenu *edit = addHeading(nullptr, QStringLiteral("&Edit"), QStringLiteral("EDIT"));
    addItem(edit, QStringLiteral("Cut"), QStringLiteral("EDITCUT"))->setShortcut(QKeySequence::Cut);
    addItem(edit, QStringLiteral("Copy"), QStringLiteral("EDITCOPY"))->setShortcut(QKeySequence::Copy);
    addItem(edit, QStringLiteral("Paste"), QStringLiteral("EDITPASTE"))->setShortcut(QKeySequence::Paste);

    QMenu *browse = addHeading(nullptr, QStringLiteral("&Browse"), QStringLiteral("BROWSE"));
    addItem(browse, QStringLiteral("&Customer"), QStringLiteral("BROWSECUSTOMER"));
    addItem(browse, QStringLiteral("EMail &Notification"), QStringLiteral("EXTRAEMAILEVENTS"));
    addItem(browse, QStringLiteral("EMail &Templates"), QStringLiteral("EXTRAEMAILTEMPLATES"));
    addItem(browse, QStringLiteral("&Mass EMails"), QStringLiteral("FILEMASSEMAILS"));
    addItem(browse, QStringLiteral("&Generate Release Notes"), QStringLiteral("FILEGENERATERELEASENOTES"));

    QMenu *extra = addHeading(nullptr, QStringLiteral("E&xtra"), QStringLiteral("EXTRA"));
    addItem(extra, QStringLiteral("&Options"), QStringLiteral("EXTRAOPTIONS"));
    addItem(extra, QStringLiteral("&User Settings"), QStringLiteral("EXTRAUSERSETTINGS"));
    addItem(extra, QStringLiteral("&Security-System"), QStringLiteral("EXTRASECURITYSYSTEM"));
    addItem(extra, QStringLiteral("&Change Password"), QStringLiteral("EXTRACHANGEPASSWORD"));
    addItem(extra, QStringLiteral("Reset &window positions"), QStringLiteral("VERSCHIEDENESINIDATEILÖSCHEN"));
    QMenu *toolbars = addHeading(extra, QStringLiteral("Tool&bars"), QStringLiteral("EXTRATOOLBARS"));
    for (const auto &[text, control] :
         {std::pair{"&Standard", "TOOLSTANDARD"}, std::pair{"&Navigation", "TOOLNAVIGATION"},
          std::pair{"&Update", "TOOLUPDATE"}, std::pair{"&Options", "TOOLOPTIONS"},
          std::pair{"&Help", "TOOLHELP"}})
        addItem(toolbars, QString::fromUtf8(text), QString::fromUtf8(control))->setCheckable(true);
    toolbars->addSeparator();
    addItem(toolbars, QStringLiteral("&Rearrange"), QStringLiteral("EXTRATOOLBARSREARRANGE"));
    addItem(extra, QStringLiteral("Systemroutinen"), QStringLiteral("EXTRASYSTEMROUTINEN"));

    QMenu *window = addHeading(nullptr, QStringLiteral("&Window"), QStringLiteral("WINDOW"));
    connect(window, &QMenu::aboutToShow, this, [this, window]() { fillWindowMenu(window); });

    QMenu *help = addHeading(nullptr, QStringLiteral("&Help"), QStringLiteral("HELP"));
    addItem(help, QStringLiteral("&Contents"), QStringLiteral("HELPCONTENTS"))
        ->setShortcut(QKeySequence::HelpContents);
    addItem(help, QStringLiteral("Send &Feedback"), QStringLiteral("HELPSENDFEEDBACK"));
    addItem(help, QStringLiteral("Tarvo on the &web"), QStringLiteral("HELPTARVOWEB"));
    addItem(help, QStringLiteral("&Tip of the Day"), QStringLiteral("HELPTIPOFTHEDAY"));
    addItem(help, QStringLiteral("&Key Features"), QStringLiteral("HELPKEYFEATURES"));
    QMenu *documentation =
        addHeading(help, QStringLiteral("&Documentation"), QStringLiteral("HELPDOCUMENTATION"));
    addItem(documentation, QStringLiteral("&Getting Started"),
            QStringLiteral("HELPDOCUMENTATIONGETTINGSTARTED"));
    addItem(documentation, QStringLiteral("&Administrator's Guide"),
            QStringLiteral("HELPDOCUMENTATIONADMINISTRATORSGUIDE"));
    addItem(help, QStringLiteral("&About Tarvo..."), QStringLiteral("HELPABOUTTARVO"));
}

void FrameWindow::fillWindowMenu(QMenu *menu)
{
    menu->clear();
    menu->addAction(QStringLiteral("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows);
    menu->addAction(QStringLiteral("&Tile"), m_mdi, &QMdiArea::tileSubWindows);
    const QList<QMdiSubWindow *> children = m_mdi->subWindowList();
    if (!children.isEmpty())
        menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow *child : children) {
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(child->windowTitle()));
        item->setCheckable(true);
        item->setChecked(child == m_mdi->activeSubWindow());
        connect(item, &QAction::triggered, m_mdi, [this, child]() { m_mdi->setActiveSubWindow(child); });
    }
}

void FrameWindow::closeEvent(QCloseEvent *event)
{
    // The frame closes through its own sequence, which ends by hiding this window.
    event->ignore();
    Q_EMIT closeRequested();
}

void FrameWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_hideWhenMinimized && isMinimized())
        QTimer::singleShot(0, this, [this]() {
            if (isMinimized())
                hide();
        });
}

void FrameWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Q_EMIT resized();
}

} // namespace tarvo::core::ui
