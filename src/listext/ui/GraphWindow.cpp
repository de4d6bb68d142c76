#include "listext/ui/GraphWindow.h"

#include "listext/ColourNames.h"
#include "listext/ui/ColourValue.h"
#include "listext/ui/FontStyle.h"
#include "listext/ui/GraphOptionsWindow.h"
#include "listext/ui/ProgressPacer.h"
#include "listext/ui/TextContrast.h"
#include "listext/ui/XploreClass.h"
#include "platform/runtime/Messages.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvo::listext::ui {

// The drawing surface: bars on a base line 50 pixels above the bottom, each with its count and
// percentage below it and its value written upwards on it.
class GraphWindow::Chart final : public QWidget {
  public:
    explicit Chart(GraphWindow *owner) : QWidget(owner), m_owner(owner)
    {
        setObjectName(QStringLiteral("Chart"));
        setMinimumSize(320, 200);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        const GraphData &data = m_owner->m_data;
        const GraphOptions &o = m_owner->m_options;
        const auto &cats = data.categories();
        const int n = static_cast<int>(cats.size());
        if (n == 0)
            return;
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const int w = width();
        const int h = height();
        const int base = h - 50;
        const GraphBarLayout l = graphBarLayout(w, n);
        const qint64 largest = std::max<qint64>(data.largestCount(), 1);
        QFont font(o.fontName, std::max(o.fontSize, 1));
        applyFontStyle(font, o.fontStyle);
        p.setFont(font);
        p.setPen(colourOf(o.fontColor, Qt::black));
        p.drawText(l.firstX - 70, base + 4, 70, 16, Qt::AlignLeft, QStringLiteral("Count"));
        p.drawText(l.firstX - 70, base + 20, 70, 16, Qt::AlignLeft, QStringLiteral("Percent"));
        const QFontMetrics fm(font);
        const QColor fontColour = colourOf(o.fontColor, Qt::black);
        for (int i = 0; i < n; ++i) {
            const int x = l.firstX + i * (l.barWidth + l.gap);
            const int bar = static_cast<int>(cats[i].count * (h - 50 - 30) / largest);
            const auto colourValue = ColourNames::value(o.colours.value(i % 8));
            const QRect barRect(x, base - bar + 2, l.barWidth, bar);
            const QColor barColour = colourOf(colourValue.value_or(0), Qt::black);
            p.fillRect(barRect, barColour);
            p.setPen(fontColour);
            p.drawText(x, base + 4, l.barWidth, 16, Qt::AlignCenter, QString::number(cats[i].count));
            const QString percent = l.barWidth + l.gap < 26 ? QString::number(qRound(cats[i].percent))
                                                            : QString::number(cats[i].percent, 'f', 1);
            p.drawText(x, base + 20, l.barWidth, 16, Qt::AlignCenter, percent);
            // The part of the value written on its bar takes a colour that stands out from the bar;
            // the part above it stays in the user's font colour on the white ground.
            const QString label = barLabel(cats[i].name);
            const int textWidth = fm.horizontalAdvance(label);
            const auto drawLabel = [&](const QRegion &clip, const QColor &colour) {
                p.save();
                p.setClipRegion(clip);
                p.setPen(colour);
                p.translate(x + l.barWidth / 2 + fm.height() / 2, base - 6);
                p.rotate(-90);
                p.drawText(0, 0, textWidth + 4, fm.height(), Qt::AlignLeft, label);
                p.restore();
            };
            drawLabel(QRegion(barRect), readableTextColour(barColour, fontColour));
            drawLabel(QRegion(rect()).subtracted(QRegion(barRect)), fontColour);
        }
        p.fillRect(l.firstX, base, n * (l.barWidth + l.gap) - l.gap + 1, 4, Qt::black);
    }

  private:
    GraphWindow *m_owner;
};

GraphWindow::GraphWindow(GraphData data, const QString &description, const QString &filter,
                         std::unique_ptr<IniFile> ini, QWidget *parent)
    : QDialog(parent), m_data(std::move(data)), m_description(description.trimmed()), m_ini(std::move(ini))
{
    setObjectName(QStringLiteral("GraphWindow"));
    setWindowTitle(QStringLiteral("Graph on ") + m_description);
    setAttribute(Qt::WA_DeleteOnClose);
    m_options = m_ini ? GraphOptions::readForGraph(*m_ini) : GraphOptions::readForGraph(IniFile(QString()));
    auto *layout = new QVBoxLayout(this);
    auto *head = new QLabel(heading(), this);
    head->setObjectName(QStringLiteral("Heading"));
    auto *filterLine = new QLabel(QStringLiteral("Filter: ") + filter, this);
    filterLine->setObjectName(QStringLiteral("Filter"));
    m_chart = new Chart(this);
    layout->addWidget(head);
    layout->addWidget(filterLine);
    layout->addWidget(m_chart, 1);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    auto *opts = new QPushButton(QStringLiteral("&Options"), this);
    opts->setObjectName(QStringLiteral("Options"));
    opts->setToolTip(QStringLiteral("Change Colors and/or Font"));
    auto *output = new QPushButton(QStringLiteral("&Output"), this);
    output->setObjectName(QStringLiteral("Output"));
    output->setToolTip(QStringLiteral("Copies an Window Image to the ClipBoard"));
    m_buttons = {ok, opts, output};
    for (auto *b : m_buttons)
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(opts, &QPushButton::clicked, this, &GraphWindow::changeOptions);
    connect(output, &QPushButton::clicked, this, &GraphWindow::copyToClipboard);
}

GraphWindow::~GraphWindow() = default;

// Large enough that the counts and percentages under fifty bars do not run into each other,
// and within the screen with room for its frame, where no window manager maximises it or once
// the user restores it.
QRect GraphWindow::normalGeometry(const QScreen *screen)
{
    const QSize least(800, 560);
    if (!screen)
        return QRect(QPoint(0, 0), least);
    const QRect available = screen->availableGeometry();
    const QSize size = (available.size() * 0.85).expandedTo(least).boundedTo(available.size());
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(available.center());
    return geometry;
}

QString GraphWindow::heading() const
{
    return QString::number(m_data.records()) + QStringLiteral(" Categories of Field: ") + m_description;
}

void GraphWindow::changeOptions()
{
    if (m_ini) {
        GraphOptionsWindow window(*m_ini, this);
        window.exec();
        m_options = GraphOptions::readForGraph(*m_ini);
    }
    m_chart->update();
}

void GraphWindow::copyToClipboard()
{
    for (auto *b : m_buttons)
        b->hide();
    QGuiApplication::clipboard()->setImage(grab().toImage());
    QTimer::singleShot(1000, this, [this]() {
        for (auto *b : m_buttons)
            b->show();
    });
    // Nothing on the screen changes, so the user is told where the picture went.
    Messages::show(QStringLiteral("The picture of the graph is on the clipboard."), QStringLiteral("Xplore"),
                   MessageIcon::Information);
}

GraphWindow *GraphWindow::run(XploreClass &list, const QString &field)
{
    const ColumnDefinition *d = list.model()->definition(field);
    if (!d)
        return nullptr;
    RowSource &source = list.model()->source();
    const qint64 total = std::max<qint64>(list.recordCount(), 1);
    QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, 100, list.list());
    // Modal, so that nothing but Cancel changes the list while its rows are read.
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    ProgressPacer pacer(total);
    bool cancelAsked = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &progress,
                     [&cancelAsked]() { cancelAsked = true; });
    auto rows = tableRows(source, {TableColumn{d->field, d->header, d->picture}});
    auto counted = GraphData::count(*rows, 0, d->kind(), d->description, [&](qint64 n, const QString &value) {
        if (pacer.due()) {
            progress.setValue(pacer.percent(n));
            progress.setWindowTitle(QStringLiteral("Record=") + QString::number(n) + QStringLiteral(" - ") +
                                    value.trimmed());
            QCoreApplication::processEvents();
        }
        if (cancelAsked) {
            cancelAsked = false;
            Messages::beep();
            if (Messages::show(QStringLiteral("Are you sure you want to quit this Graphing Procedure?"),
                               QStringLiteral("Xplore"), MessageIcon::Question,
                               Button::Yes | Button::No) == Button::Yes)
                return false;
            progress.show();
        }
        return true;
    });
    progress.reset();
    if (!counted) {
        if (counted.error().code != GraphData::ErrorCancelled)
            Messages::show(counted.error().message, QStringLiteral("Xplore"));
        return nullptr;
    }
    std::unique_ptr<IniFile> ini = list.iniFile() ? std::make_unique<IniFile>(*list.iniFile()) : nullptr;
    auto *window = new GraphWindow(std::move(counted.value()), d->description, source.filter(),
                                   std::move(ini), list.list() ? list.list()->window() : nullptr);
    window->setGeometry(GraphWindow::normalGeometry(window->screen()));
    window->showMaximized();
    return window;
}

} // namespace tarvo::listext::ui
