#include "issues/ui/subforms/AttachmentPreview.h"

#include "issues/ui/subforms/LibraryImageView.h"
#include "issues/ui/subforms/SubFormTexts.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Messages.h"

#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

AttachmentPreview::AttachmentPreview(CopyMaker copy, QWidget *parent)
    : QWidget(parent), m_copy(std::move(copy))
{
    setObjectName(QStringLiteral("Preview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages, 1);

    m_windowPage = new QWidget;
    auto *windowLayout = new QVBoxLayout(m_windowPage);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    m_windowArea = new QScrollArea(m_windowPage);
    m_windowImage = new QLabel;
    m_windowImage->setObjectName(QStringLiteral("Image"));
    m_windowImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_windowArea->setWidget(m_windowImage);
    m_windowArea->setAlignment(Qt::AlignCenter);
    windowLayout->addWidget(m_windowArea, 1);
    m_options = new QGroupBox(SubFormTexts::translated("Preview Options"), m_windowPage);
    m_options->setObjectName(QStringLiteral("PreviewOptions"));
    auto *optionLayout = new QHBoxLayout(m_options);
    m_optionButtons = new QButtonGroup(this);
    int option = 1;
    for (const char *caption : {"Stretched", "Centered", "Tiled"}) {
        auto *radio = new QRadioButton(SubFormTexts::translated(caption), m_options);
        radio->setObjectName(QString::fromLatin1(caption));
        m_optionButtons->addButton(radio, option++);
        optionLayout->addWidget(radio);
    }
    windowLayout->addWidget(m_options);
    connect(m_optionButtons, &QButtonGroup::idClicked, this, [this](int chosen) {
        if (window()->isMinimized())
            return;
        applyWindowOption(chosen);
        Q_EMIT optionChosen(chosen);
    });
    m_pages->addWidget(m_windowPage);

    m_library = new LibraryImageView;
    m_pages->addWidget(m_library);

    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("TextViewer"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pages->addWidget(m_text);

    m_html = new QTextBrowser;
    m_html->setObjectName(QStringLiteral("HtmlViewer"));
    m_html->setOpenLinks(false);
    connect(m_html, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (isOpenableAddress(url))
            (void)Desktop::instance().openUrl(url);
        else
            Messages::beep();
    });
    m_pages->addWidget(m_html);

    m_pdf = new QPdfDocument(this);
    m_pdfView = new QPdfView;
    m_pdfView->setObjectName(QStringLiteral("PdfViewer"));
    m_pdfView->setDocument(m_pdf);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pages->addWidget(m_pdfView);

    m_message = new QLabel(SubFormTexts::translated(noPreviewText().toUtf8().constData()));
    m_message->setObjectName(QStringLiteral("NoPreview"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_pages->addWidget(m_message);
}

AttachmentPreview::~AttachmentPreview() = default;

bool AttachmentPreview::isOpenableAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

QWidget *AttachmentPreview::currentPage() const
{
    return m_pages->currentWidget();
}

QString AttachmentPreview::copyPath()
{
    return m_copy ? m_copy() : QString();
}

void AttachmentPreview::showFile(const QString &fileName, const QByteArray &bytes, int option)
{
    end();
    m_kind = previewKindOf(fileName);
    switch (m_kind) {
    case PreviewKind::WindowImage:
        showWindowImage(bytes, option);
        m_pages->setCurrentWidget(m_windowPage);
        break;
    case PreviewKind::LibraryImage:
        m_pages->setCurrentWidget(m_library);
        (void)m_library->load(bytes, fileName, option == 2);
        break;
    case PreviewKind::Text: {
        m_pages->setCurrentWidget(m_text);
        QFile file(copyPath());
        m_text->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
        break;
    }
    case PreviewKind::Html: {
        m_pages->setCurrentWidget(m_html);
        const QString path = copyPath();
        if (path.isEmpty())
            m_html->clear();
        else
            m_html->setSource(QUrl::fromLocalFile(path));
        break;
    }
    case PreviewKind::Pdf: {
        m_pages->setCurrentWidget(m_pdfView);
        const QString path = copyPath();
        if (!path.isEmpty())
            m_pdf->load(path);
        break;
    }
    case PreviewKind::None:
        m_pages->setCurrentWidget(m_message);
        break;
    }
}

void AttachmentPreview::showWindowImage(const QByteArray &bytes, int option)
{
    QPixmap picture;
    picture.loadFromData(bytes);
    m_windowImage->setPixmap(picture);
    if (QAbstractButton *radio = m_optionButtons->button(option))
        radio->setChecked(true);
    applyWindowOption(option);
}

void AttachmentPreview::applyWindowOption(int option)
{
    // Every display is switched off first; an unknown option leaves none on.
    m_windowImage->setScaledContents(false);
    m_windowArea->setWidgetResizable(false);
    m_windowImage->setAutoFillBackground(false);
    m_windowImage->setPalette(QPalette());
    const QPixmap picture = m_windowImage->pixmap();
    if (option == 1) {
        m_windowImage->setScaledContents(true);
        m_windowArea->setWidgetResizable(true);
    } else if (option == 2) {
        m_windowImage->resize(picture.size());
    } else if (option == 3) {
        m_windowArea->setWidgetResizable(true);
        QPalette tiles = m_windowImage->palette();
        tiles.setBrush(QPalette::Window, QBrush(picture));
        m_windowImage->setPalette(tiles);
        m_windowImage->setAutoFillBackground(true);
    }
}

bool AttachmentPreview::print(QWidget *parent)
{
    if (m_kind != PreviewKind::Html && m_kind != PreviewKind::Pdf)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (m_kind == PreviewKind::Html) {
        m_html->document()->print(&printer);
        return true;
    }
    QPainter painter;
    if (m_pdf->pageCount() <= 0 || !painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    for (int i = 0; i < m_pdf->pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        const QSizeF points = m_pdf->pagePointSize(i);
        if (points.width() <= 0 || points.height() <= 0)
            continue;
        const QSize size = points.scaled(page.size(), Qt::KeepAspectRatio).toSize();
        painter.drawImage(QPoint(0, 0), m_pdf->render(i, size));
    }
    return painter.end();
}

void AttachmentPreview::end()
{
    m_library->clear();
    m_pdf->close();
    m_html->clear();
    m_text->clear();
}

} // namespace tarvo::issues::ui
