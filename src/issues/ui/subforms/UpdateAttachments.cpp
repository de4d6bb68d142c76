#include "issues/ui/subforms/UpdateAttachments.h"

#include "core/services/ReportServices.h"
#include "core/services/Services.h"
#include "issues/attachments/AttachmentContent.h"
#include "issues/attachments/PreviewKind.h"
#include "issues/ui/subforms/AttachmentPreview.h"
#include "issues/ui/subforms/SubFormTexts.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

namespace {

const QString Section = QStringLiteral("UpdateAttachments");
const QString NameField = QStringLiteral("ATT:Attachment");
const QString PreviewField = QStringLiteral("ATT:Preview");

QString defaultChooser(QWidget *parent, const QString &title, const QString &folder, const QString &filters)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filters);
}

std::pair<QDateTime, qint64> entryOf(const QString &path)
{
    const QFileInfo info(path);
    return {info.lastModified(), info.size()};
}

} // namespace

UpdateAttachments::UpdateAttachments(Context &context, data::Session &session, SubFormUser user,
                                     SubFormOwner owner, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateAttachments"), session, QStringLiteral("Attachments"),
                 parent),
      m_user(std::move(user)), m_owner(owner), m_chooser(defaultChooser)
{
    build();
    onPrime([this](data::Record &attachment) {
        attachment.setValue(QStringLiteral("ATT:BUGID"), m_owner.issueId);
        attachment.setValue(QStringLiteral("ATT:PrgID"), m_owner.programId);
        attachment.setValue(QStringLiteral("ATT:Date"), DayDate::today());
        attachment.setValue(QStringLiteral("ATT:CREATEDATE"), DayDate::today());
        attachment.setValue(QStringLiteral("ATT:CREATEDBY"), m_user.initials());
    });
    onCheck([this](data::Record &attachment) {
        if (Text::clip(attachment.text(NameField)).isEmpty()) {
            Messages::beep();
            return false;
        }
        if (Text::clip(attachment.text(QStringLiteral("ATT:Description"))).isEmpty()) {
            Messages::beep();
            selectControl(m_description);
            return false;
        }
        if (!askToStoreCopy())
            return false;
        if (request() == Request::Change && (m_contentChanged || !attachment.sameValues(snapshot()))) {
            attachment.setValue(QStringLiteral("ATT:CHANGEDDATE"), DayDate::today());
            attachment.setValue(QStringLiteral("ATT:CHANGEDBY"), m_user.initials());
        }
        return true;
    });
    // The stored bytes are written in the transaction of the attachment, so both or neither stay.
    onHistory([this](const data::Record &, const data::Record &attachment) -> Result<void> {
        if (request() != Request::Insert && !m_contentChanged)
            return {};
        data::FileManager *files = this->session().file(QStringLiteral("AttachmentFiles"));
        if (!files)
            return makeError(0, QStringLiteral("The file AttachmentFiles is not declared"));
        return AttachmentContent::write(*files, attachment.integer(QStringLiteral("ATT:ID")), m_content);
    });
    connect(this, &WindowManager::closed, this, &UpdateAttachments::afterClose);
}

UpdateAttachments::~UpdateAttachments() = default;

QWidget *UpdateAttachments::buildToolbar(QWidget *parent)
{
    auto *bar = new QWidget(parent);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [bar, row](const char *name, const char *caption) {
        auto *b = new QPushButton(SubFormTexts::translated(caption), bar);
        b->setObjectName(QLatin1String(name));
        row->addWidget(b);
        return b;
    };
    m_select = button("SelectAttachment", "Select Attachment...");
    m_paste = button("PasteFromClipboard", "Paste from clipboard");
    m_open = button("OpenAttachment", "Open Attachment");
    m_save = button("SaveAttachment", "Save Attachment");
    m_print = button("Print", "Print");
    m_originalSize = button("OriginalSize", "Original Size");
    m_toWidth = button("SizeToWidth", "Size to Width");
    m_removeOriginal = new QCheckBox(SubFormTexts::translated("Remove original file after archiving"), bar);
    m_removeOriginal->setObjectName(QStringLiteral("RemoveOriginalFile"));
    row->addWidget(m_removeOriginal);
    row->addStretch(1);
    m_save->setEnabled(false);
    connect(m_select, &QPushButton::clicked, this, &UpdateAttachments::selectAttachment);
    connect(m_paste, &QPushButton::clicked, this, &UpdateAttachments::pasteFromClipboard);
    connect(m_open, &QPushButton::clicked, this, &UpdateAttachments::openAttachment);
    connect(m_save, &QPushButton::clicked, this, &UpdateAttachments::saveAttachment);
    connect(m_originalSize, &QPushButton::clicked, this, [this] { sizeToWidth(false); });
    connect(m_toWidth, &QPushButton::clicked, this, [this] { sizeToWidth(true); });
    connect(m_print, &QPushButton::clicked, this, [this] {
        if (m_preview->kind() != PreviewKind::LibraryImage) {
            (void)m_preview->print(window());
            return;
        }
        if (core::ReportServices *reports = core::Services::reports())
            reports->browseReports(context().number(), 5, nullptr, QString());
        showPreview();
    });
    connect(m_removeOriginal, &QCheckBox::toggled, this, [this](bool on) {
        (void)IniFile(m_user.userIniPath)
            .setIntValue(Section, QStringLiteral("RemoveOriginalFile"), on ? 1 : 0);
    });
    return bar;
}

void UpdateAttachments::build()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("UpdateAttachments"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(buildToolbar(window));

    m_tabs = new QTabWidget(window);
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("?Tab:1"));
    auto *generalLayout = new QVBoxLayout(general);
    auto *fields = new QFormLayout;
    m_description = new QLineEdit(general);
    m_description->setObjectName(QStringLiteral("ATT:Description"));
    m_date = new QLineEdit(general);
    m_date->setObjectName(QStringLiteral("ATT:Date"));
    fields->addRow(SubFormTexts::translated("Description:"), m_description);
    fields->addRow(SubFormTexts::translated("Date:"), m_date);
    generalLayout->addLayout(fields);
    m_preview = new AttachmentPreview([this] { return temporaryCopy(); }, general);
    generalLayout->addWidget(m_preview, 1);
    connect(m_preview, &AttachmentPreview::optionChosen, this,
            [this](int option) { record().setValue(PreviewField, option); });
    m_tabs->addTab(general, SubFormTexts::translated("General"));

    auto *notes = new QWidget;
    notes->setObjectName(QStringLiteral("?Tab:2"));
    auto *notesLayout = new QFormLayout(notes);
    m_attachment = new QLabel(notes);
    m_attachment->setObjectName(QStringLiteral("ATT:Attachment"));
    m_attachment->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notesLayout->addRow(SubFormTexts::translated("Attachment:"), m_attachment);
    m_notes = new QPlainTextEdit(notes);
    m_notes->setObjectName(QStringLiteral("ATT:Notes"));
    notesLayout->addRow(m_notes);
    auto *stampButton = new QPushButton(SubFormTexts::translated("Date && Time Stamp"), notes);
    stampButton->setObjectName(QStringLiteral("DateTimeStamp"));
    notesLayout->addRow(stampButton);
    connect(stampButton, &QPushButton::clicked, this, &UpdateAttachments::stamp);
    m_tabs->addTab(notes, SubFormTexts::translated("Notes"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { colourNotesTab(); });
    layout->addWidget(m_tabs, 1);

    m_created = new QLabel(window);
    m_created->setObjectName(QStringLiteral("CreatedLine"));
    m_changed = new QLabel(window);
    m_changed->setObjectName(QStringLiteral("ChangedLine"));
    auto *bottom = new QHBoxLayout;
    auto *lines = new QVBoxLayout;
    lines->addWidget(m_created);
    lines->addWidget(m_changed);
    bottom->addLayout(lines, 1);
    auto *buttons = new QDialogButtonBox(window);
    auto *ok = buttons->addButton(SubFormTexts::translated("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(SubFormTexts::translated("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    auto *help = buttons->addButton(SubFormTexts::translated("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("Help"));
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    window->resize(760, 580);
    setWindow(window);
    setHelp(help, QStringLiteral("UpdateAttachments.htm"));

    field(QStringLiteral("ATT:Description"), m_description);
    field(QStringLiteral("ATT:Date"), m_date).picture(QStringLiteral("@D017B"));
    field(NameField, m_attachment);
    field(QStringLiteral("ATT:Notes"), m_notes);
    setButtons(ok, cancel);
}

QString UpdateAttachments::baseFolder() const
{
    const QString attachPath =
        IniFile(m_user.userIniPath).value(QStringLiteral("User Settings"), QStringLiteral("AttachPath"));
    return TempCopies::baseFolder(attachPath,
                                  m_user.dataFolder.isEmpty() ? QDir::tempPath() : m_user.dataFolder);
}

bool UpdateAttachments::open()
{
    if (isOpen())
        return true;
    const int request = context().threadRequest();
    window()->setWindowTitle(SubFormTexts::caption(request, "Add Attachment...", "Change Attachment..."));
    if (!UpdateForm::open())
        return false;
    if (request == Request::Delete)
        return true;
    if (!readContent()) {
        (void)cancel();
        return false;
    }
    const data::Record &attachment = record();
    {
        const QSignalBlocker block(m_removeOriginal);
        m_removeOriginal->setChecked(
            IniFile(m_user.userIniPath).intValue(Section, QStringLiteral("RemoveOriginalFile"), 0) != 0);
    }
    m_created->setText(SubFormTexts::dateLine("Created by", attachment.text(QStringLiteral("ATT:CREATEDBY")),
                                              attachment.integer(QStringLiteral("ATT:CREATEDATE"))));
    const bool changeLine =
        request != Request::Insert && !Text::clip(attachment.text(QStringLiteral("ATT:CHANGEDBY"))).isEmpty();
    m_changed->setVisible(changeLine);
    if (changeLine)
        m_changed->setText(SubFormTexts::dateLine("Changed by",
                                                  attachment.text(QStringLiteral("ATT:CHANGEDBY")),
                                                  attachment.integer(QStringLiteral("ATT:CHANGEDDATE"))));
    m_paste->setEnabled(!isViewOnly() && QGuiApplication::clipboard()->mimeData() &&
                        QGuiApplication::clipboard()->mimeData()->hasImage());
    SubFormTexts::colourText(m_attachment, SubFormTexts::displayColour());
    if (isViewOnly())
        for (QPushButton *b : {m_select, m_paste, m_save})
            b->setEnabled(false);
    colourNotesTab();
    showPreview();
    return true;
}

bool UpdateAttachments::readContent()
{
    data::FileManager *files = session().file(QStringLiteral("AttachmentFiles"));
    if (!files)
        return false;
    const qint64 id = record().integer(QStringLiteral("ATT:ID"));
    if (request() == Request::Insert) {
        m_content = files->newRecord();
        m_content.setValue(QStringLiteral("ATF:ID"), id);
        return true;
    }
    auto read = AttachmentContent::read(*files, id, m_content);
    if (!read)
        files->report(tarvo::ui::UpdateForm::MessageDatabase, read.error());
    return read.ok();
}

QByteArray UpdateAttachments::content() const
{
    return m_content.isValid() ? m_content.bytes(AttachmentContent::blobField()) : QByteArray();
}

void UpdateAttachments::colourNotesTab()
{
    const bool filled = !Text::clip(m_notes->toPlainText()).isEmpty();
    m_tabs->tabBar()->setTabTextColor(1, filled ? QColor(0x00, 0x80, 0x00) : QColor(Qt::black));
}

void UpdateAttachments::showPreview()
{
    const data::Record &attachment = record();
    m_preview->showFile(Text::clip(attachment.text(NameField)), content(),
                        int(attachment.integer(PreviewField)));
    const PreviewKind kind = m_preview->kind();
    m_print->setEnabled(kind == PreviewKind::LibraryImage || kind == PreviewKind::Html ||
                        kind == PreviewKind::Pdf);
    m_originalSize->setEnabled(kind == PreviewKind::LibraryImage);
    m_toWidth->setEnabled(kind == PreviewKind::LibraryImage);
}

void UpdateAttachments::selectAttachment()
{
    IniFile ini(m_user.userIniPath);
    const QString filters =
        QStringLiteral("All Files (*.*);;PDF (*.pdf);;JPG (*.jpg);;GIF (*.gif);;BMP (*.bmp);;"
                       "PCX (*.pcx);;HTML (*.htm *.html);;DOC (*.doc);;XLS (*.xls);;TXT (*.txt)");
    const QString chosen = m_chooser(window(), SubFormTexts::translated("Select Attachment..."),
                                     ini.value(Section, QStringLiteral("LastFolder")), filters);
    if (chosen.isEmpty())
        return;
    (void)ini.setValue(Section, QStringLiteral("LastFolder"), QFileInfo(chosen).absolutePath());
    (void)takeFile(chosen);
}

bool UpdateAttachments::takeFile(const QString &path)
{
    if (!takeControls())
        return false;
    // The file is read before its name is taken, so a refused file leaves the attachment as it was.
    data::Record read = m_content;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto stored = AttachmentContent::readFile(read, path);
    QApplication::restoreOverrideCursor();
    if (!stored) {
        if (stored.error().code == AttachmentContent::TooLarge)
            Messages::show(SubFormTexts::translated(AttachmentContent::tooLargeText().toUtf8().constData()),
                           QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        else
            Messages::stop(stored.error().message);
        return false;
    }
    m_content = read;
    m_contentChanged = true;
    const bool fromCopy = !m_copyPath.isEmpty() && QFileInfo(path) == QFileInfo(m_copyPath);
    if (fromCopy) {
        // The copy is ours: with the box set it goes at once, and the next use writes a new one.
        if (m_removeOriginal->isChecked()) {
            m_copies->remove(m_copyPath);
            m_copyPath.clear();
            m_copyCurrent = false;
        }
    } else {
        record().setValue(NameField, QDir::toNativeSeparators(path));
        m_copyCurrent = false;
        // The user's own file goes only once the attachment is safely saved.
        if (m_removeOriginal->isChecked())
            m_sourcesToRemove << path;
    }
    showRecord();
    showPreview();
    return true;
}

void UpdateAttachments::pasteFromClipboard()
{
    if (!takeControls())
        return;
    record().setValue(NameField, QStringLiteral("Clipboard.png"));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasImage()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto png = AttachmentContent::encodePng(qvariant_cast<QImage>(data->imageData()));
        QApplication::restoreOverrideCursor();
        if (png) {
            m_content.setValue(AttachmentContent::blobField(), *png);
            m_contentChanged = true;
            m_copyCurrent = false;
        } else if (png.error().code == AttachmentContent::TooLarge) {
            Messages::show(SubFormTexts::translated(AttachmentContent::tooLargeText().toUtf8().constData()),
                           QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        } else {
            Messages::show(QStringLiteral("Error: ") + png.error().message,
                           QStringLiteral("ISWritePNG Error"), MessageIcon::Exclamation);
        }
    }
    showRecord();
    showPreview();
}

QString UpdateAttachments::temporaryCopy()
{
    const QString name = Text::clip(record().text(NameField));
    if (name.isEmpty()) {
        Messages::beep();
        return {};
    }
    if (m_copyCurrent && !m_copyPath.isEmpty() && QFileInfo::exists(m_copyPath))
        return m_copyPath;
    if (!m_copies)
        m_copies = std::make_unique<TempCopies>(baseFolder(), m_user.mak);
    if (!m_copyPath.isEmpty())
        m_copies->remove(m_copyPath);
    m_copyPath.clear();
    m_copyCurrent = false;
    auto written = m_copies->write(content(), name);
    if (!written)
        return {};
    m_copyPath = *written;
    m_copyCurrent = true;
    return m_copyPath;
}

void UpdateAttachments::openAttachment()
{
    const QString path = temporaryCopy();
    if (path.isEmpty())
        return;
    if (Desktop::instance().openFile(path)) {
        m_openedEntry = entryOf(path);
        m_save->setEnabled(!isViewOnly());
        return;
    }
    Messages::show(SubFormTexts::translated(
                       "No program is associated with this file type. Please specify a file type for") +
                       QLatin1Char(' ') + path + QLatin1Char('.'),
                   QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

void UpdateAttachments::saveAttachment()
{
    m_save->setEnabled(false);
    if (!m_copyPath.isEmpty())
        (void)takeFile(m_copyPath);
    else
        showPreview();
}

bool UpdateAttachments::askToStoreCopy()
{
    if (!m_save->isEnabled() || !m_openedEntry || m_copyPath.isEmpty() || !QFileInfo::exists(m_copyPath))
        return true;
    if (entryOf(m_copyPath) == *m_openedEntry)
        return true;
    const int answer = Messages::show(
        SubFormTexts::translated("Attachment has been changed!|Do you want to save the changes?"),
        QStringLiteral("Tarvo"), MessageIcon::Question, Button::Yes | Button::No | Button::Cancel,
        Button::Yes);
    if (answer == Button::Cancel)
        return false;
    if (answer == Button::Yes) {
        m_save->setEnabled(false);
        return takeFile(m_copyPath);
    }
    return true;
}

void UpdateAttachments::stamp()
{
    if (!takeControls())
        return;
    (void)SubFormTexts::stamp(m_notes, m_user, 4096);
    colourNotesTab();
}

void UpdateAttachments::sizeToWidth(bool on)
{
    if (window()->isMinimized())
        return;
    record().setValue(PreviewField, on ? 2 : 1);
    showPreview();
}

void UpdateAttachments::afterClose(int response)
{
    m_preview->end();
    if (m_copies)
        m_copies->removeAll();
    if (response == Response::Completed) {
        QStringList kept;
        for (const QString &source : std::as_const(m_sourcesToRemove))
            if (QFile::exists(source) && !QFile::remove(source))
                kept << QDir::toNativeSeparators(source);
        if (!kept.isEmpty())
            Messages::show(
                QStringLiteral("The attachment is saved, but its original file could not be removed:|") +
                    kept.join(QLatin1Char('|')),
                QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    }
    m_sourcesToRemove.clear();
    if (response == Response::Completed || request() == Request::Delete)
        SubFormTexts::sendRefresh(QStringLiteral("|Attachments|"));
}

bool UpdateAttachments::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && !isViewOnly()) {
        if (event->type() == QEvent::DragEnter) {
            auto *drag = static_cast<QDragEnterEvent *>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QList<QUrl> urls = drop->mimeData()->urls();
            if (!urls.isEmpty() && urls.first().isLocalFile()) {
                drop->acceptProposedAction();
                (void)takeFile(urls.first().toLocalFile());
                return true;
            }
        }
    }
    return UpdateForm::eventFilter(watched, event);
}

} // namespace tarvo::issues::ui
