#pragma once

#include "issues/attachments/PreviewKind.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;
class QTextBrowser;

namespace tarvo::issues::ui {

class LibraryImageView;

// The preview area of the attachment form: the stored file shown by its kind (a picture, text,
// HTML, PDF, or the message that it cannot be previewed), with the display options of pictures.
class AttachmentPreview final : public QWidget {
    Q_OBJECT
  public:
    // Writes the form's temporary copy of the stored bytes; an empty path when none can be written.
    using CopyMaker = std::function<QString()>;

    explicit AttachmentPreview(CopyMaker copy, QWidget *parent = nullptr);
    ~AttachmentPreview() override;

    // Shows the stored file by the kind of its name; `option` is the display option ATT:Preview.
    void showFile(const QString &fileName, const QByteArray &bytes, int option);
    // Frees what the last showing holds (the PDF document, the decoded picture).
    void end();
    // Prints an HTML page or a PDF file after the print dialog; false when nothing was printed.
    bool print(QWidget *parent);
    PreviewKind kind() const { return m_kind; }

    // Only web and mail addresses go to the desktop; every other link of a previewed page is refused.
    static bool isOpenableAddress(const QUrl &url);

    QWidget *currentPage() const;
    QLabel *windowImage() const { return m_windowImage; }
    QGroupBox *optionsGroup() const { return m_options; }
    LibraryImageView *libraryImage() const { return m_library; }
    QPlainTextEdit *textView() const { return m_text; }
    QTextBrowser *htmlView() const { return m_html; }
    QPdfView *pdfView() const { return m_pdfView; }
    QPdfDocument *pdfDocument() const { return m_pdf; }
    QLabel *messageLabel() const { return m_message; }

  Q_SIGNALS:
    // A radio of "Preview Options" was chosen: the new display option (1, 2 or 3).
    void optionChosen(int option);

  private:
    void showWindowImage(const QByteArray &bytes, int option);
    void applyWindowOption(int option);
    QString copyPath();

    CopyMaker m_copy;
    PreviewKind m_kind = PreviewKind::None;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_windowPage = nullptr;
    QScrollArea *m_windowArea = nullptr;
    QLabel *m_windowImage = nullptr;
    QGroupBox *m_options = nullptr;
    QButtonGroup *m_optionButtons = nullptr;
    LibraryImageView *m_library = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QTextBrowser *m_html = nullptr;
    QPdfDocument *m_pdf = nullptr;
    QPdfView *m_pdfView = nullptr;
    QLabel *m_message = nullptr;
};

} // namespace tarvo::issues::ui
