#pragma once

#include "issues/attachments/TempCopies.h"
#include "issues/ui/subforms/SubFormUser.h"
#include "platform/data/Record.h"
#include "platform/ui/UpdateForm.h"

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tarvo::issues::ui {

class AttachmentPreview;

// The form of one attachment of an issue or a program: the file itself kept in the data store
// beside its description, chosen, dropped or pasted from the clipboard, previewed, opened with
// its program through a temporary copy and stored back after it was edited there.
class UpdateAttachments final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    // The file dialog, replaceable so that tests choose without one.
    using FileChooser = std::function<QString(QWidget *parent, const QString &title, const QString &folder,
                                              const QString &filters)>;

    UpdateAttachments(Context &context, data::Session &session, SubFormUser user, SubFormOwner owner,
                      QObject *parent = nullptr);
    ~UpdateAttachments() override;

    bool open() override;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // The toolbar's commands.
    void selectAttachment();
    // Takes a file (chosen or dropped): its name into ATT:Attachment, its bytes into the store
    // when the form is saved; false (the user told) when it cannot be read or is too large.
    bool takeFile(const QString &path);
    void pasteFromClipboard();
    void openAttachment();
    void saveAttachment();
    void stamp();
    // "Original Size" (false) or "Size to Width" (true) of a library picture.
    void sizeToWidth(bool on);

    // The stored bytes as the form holds them now (what OK will store).
    QByteArray content() const;
    // The temporary copy of the stored bytes, written when needed; empty when it cannot be written.
    QString temporaryCopy();

    AttachmentPreview *preview() const { return m_preview; }
    QCheckBox *removeOriginalBox() const { return m_removeOriginal; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QPushButton *pasteButton() const { return m_paste; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *printButton() const { return m_print; }
    QLabel *createdLine() const { return m_created; }
    QLabel *changedLine() const { return m_changed; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void build();
    QWidget *buildToolbar(QWidget *parent);
    void showPreview();
    void colourNotesTab();
    bool readContent();
    bool askToStoreCopy();
    void afterClose(int response);
    QString baseFolder() const;

    SubFormUser m_user;
    SubFormOwner m_owner;
    FileChooser m_chooser;
    data::Record m_content;
    bool m_contentChanged = false;
    std::unique_ptr<TempCopies> m_copies;
    QString m_copyPath;
    bool m_copyCurrent = false;
    std::optional<std::pair<QDateTime, qint64>> m_openedEntry;
    // Files read with "Remove original file after archiving": deleted once the attachment is saved.
    QStringList m_sourcesToRemove;

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_date = nullptr;
    QLabel *m_attachment = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    AttachmentPreview *m_preview = nullptr;
    QCheckBox *m_removeOriginal = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_paste = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_originalSize = nullptr;
    QPushButton *m_toWidth = nullptr;
    QLabel *m_created = nullptr;
    QLabel *m_changed = nullptr;
};

} // namespace tarvo::issues::ui
