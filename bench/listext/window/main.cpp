// tarvo-listext-window: the issue list with the browse extension over a data folder, to try the
// filters, sorting, layouts, graph, printing and exports by hand. Not installed.
//   tarvo-listext-window --folder DIR [--ini FILE]
#include "common/BenchFolder.h"
#include "listext/IssueColumns.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/XploreClass.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <exception>

using namespace tarvo;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The issue list with the browse extension."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("A data folder."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("ini"),
                      QStringLiteral("The user's INI file (User.ini in the current folder)."),
                      QStringLiteral("file"), QStringLiteral("User.ini")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-listext-window: --folder is required\n");
        return 2;
    }
    try {
        bench::BenchFolder folder(parser.value(QStringLiteral("folder")));
        listext::ViewRowSource source(folder.file(QStringLiteral("Bugs")), QStringLiteral("BUG:KeyID"));

        QWidget window;
        window.setWindowTitle(QStringLiteral("Issues"));
        auto *layout = new QVBoxLayout(&window);
        auto *list = new QTableView(&window);
        list->setObjectName(QStringLiteral("Browse"));
        list->verticalHeader()->hide();
        auto *status = new QLabel(&window);
        layout->addWidget(list);
        layout->addWidget(status);

        listext::ui::XploreClass xplore(list, source, bench::issueListColumns(), 0x2E1FFEF7);
        xplore.setLayoutStore(IniFile(QDir::current().absoluteFilePath(parser.value(QStringLiteral("ini")))),
                              QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
        xplore.setAsciiFileName(QDir::temp().filePath(QStringLiteral("tarvo_Output.csv")));
        xplore.setHtmlFileName(QDir::temp().filePath(QStringLiteral("tarvo_Output.html")));
        xplore.setFileOpener([status](const QString &path) {
            status->setText(QStringLiteral("Written: ") + path);
            return true;
        });
        xplore.buildPopup();
        xplore.restoreLayout();
        xplore.restoreSort();
        auto showCount = [&]() {
            const auto n = source.count();
            status->setText(QStringLiteral("%1 issues  %2").arg(n ? n.value() : -1).arg(source.filter()));
        };
        QObject::connect(&xplore, &listext::ui::XploreClass::filterApplied, &window, showCount);
        if (auto r = xplore.model()->reload(); !r) {
            std::fprintf(stderr, "tarvo-listext-window: %s\n", qPrintable(r.error().message));
            return 1;
        }
        showCount();
        window.resize(1200, 700);
        window.show();
        const int code = app.exec();
        (void)xplore.saveLayout();
        return code;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-listext-window: %s\n", e.what());
        return 1;
    }
}
