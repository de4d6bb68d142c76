// Preloaded into the real program by the process tests: twice a second it writes every named
// control of the program's windows with its state to the file named in TARVO_CONTROL_PROBE_FILE,
// one line each: the object names from the window down, "/"-joined, a tab, and "on" or "off";
// a named list or tree adds a line for each of its top rows, its path, "#", the row's text and
// a tab with "row", and one for each row under a top row, "#", the top row's text, "/", its text.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace {

QString pathOf(const QObject *object)
{
    QStringList names;
    for (const QObject *o = object; o; o = o->parent())
        if (!o->objectName().isEmpty())
            names.prepend(o->objectName());
    return names.join(u'/');
}

void writeControls()
{
    if (!qobject_cast<QApplication *>(qApp))
        return;
    QStringList lines;
    for (QWidget *widget : QApplication::allWidgets()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            lines << pathOf(widget) + u'\t' + QLatin1String(widget->isEnabled() ? "on" : "off");
        if (auto *view = qobject_cast<QAbstractItemView *>(widget);
            view && view->model() && !view->objectName().isEmpty())
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
                const QModelIndex top = view->model()->index(r, 0, view->rootIndex());
                lines << pathOf(view) + u'#' + top.data().toString() + QStringLiteral("\trow");
                for (int c = 0; c < view->model()->rowCount(top); ++c)
                    lines << pathOf(view) + u'#' + top.data().toString() + u'/' +
                                 view->model()->index(c, 0, top).data().toString() + QStringLiteral("\trow");
            }
        for (QAction *action : widget->findChildren<QAction *>(Qt::FindDirectChildrenOnly))
            if (!action->objectName().isEmpty())
                lines << pathOf(action) + u'\t' + QLatin1String(action->isEnabled() ? "on" : "off");
    }
    lines.sort();
    QSaveFile file(qEnvironmentVariable("TARVO_CONTROL_PROBE_FILE"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(lines.join(u'\n').toUtf8());
        file.commit();
    }
}

void startProbe()
{
    if (qEnvironmentVariableIsEmpty("TARVO_CONTROL_PROBE_FILE"))
        return;
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, &writeControls);
    timer->start(500);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
