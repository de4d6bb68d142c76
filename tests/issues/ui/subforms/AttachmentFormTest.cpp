#include "SubFormFolder.h"
#include "issues/attachments/AttachmentContent.h"
#include "issues/ui/subforms/AttachmentPreview.h"
#include "issues/ui/subforms/LibraryImageView.h"
#include "issues/ui/subforms/UpdateAttachments.h"
#include "platform/data/Connection.h"
#include "platform/data/FileManager.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/IniFile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>

namespace tarvo::issues::test {

namespace {

using issues::ui::AttachmentPreview;
using issues::ui::SubFormOwner;
using issues::ui::UpdateAttachments;

// Opens nothing; remembers what it was asked to open.
class RecordingDesktop final : public Desktop {
  public:
    bool openUrl(const QUrl &url) override
    {
        urls << url;
        return true;
    }
    bool openFile(const QString &path) override
    {
        files << path;
        return accept;
    }
    QList<QUrl> urls;
    QStringList files;
    bool accept = true;
};

class AttachmentForm : public SubFormFolder {
  protected:
    void SetUp() override
    {
        SubFormFolder::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Desktop::setInstance(&desktop);
        QDir().mkpath(dir.file(QStringLiteral("temp")));
        ASSERT_TRUE(IniFile(user.userIniPath)
                        .setValue(QStringLiteral("User Settings"), QStringLiteral("AttachPath"),
                                  dir.file(QStringLiteral("temp")))
                        .ok());
        alpha = folder->programId(QStringLiteral("Alpha"));
    }
    void TearDown() override
    {
        SubFormFolder::TearDown();
        Desktop::setInstance(nullptr);
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.file(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray stored(qint64 id)
    {
        data::Record content;
        EXPECT_TRUE(AttachmentContent::read(file(QStringLiteral("AttachmentFiles")), id, content).ok());
        return content.bytes(AttachmentContent::blobField());
    }
    QPointer<UpdateAttachments> insert()
    {
        auto form = run<UpdateAttachments>(Request::Insert, user, SubFormOwner{0, alpha});
        EXPECT_TRUE(form && form->isOpen());
        return form;
    }

    // The store refuses (or takes again) every new record of stored bytes, as a full disk would.
    void refuseStoredBytes(bool refuse)
    {
        (void)file(QStringLiteral("AttachmentFiles"));
        const bool postgres = GetParam() == data::StoreKind::Postgres;
        const QString sql =
            postgres ? (refuse ? QStringLiteral("ALTER TABLE \"AttachmentFiles\" ADD CONSTRAINT refuse "
                                                "CHECK (\"ID\" < 0) NOT VALID")
                               : QStringLiteral("ALTER TABLE \"AttachmentFiles\" DROP CONSTRAINT refuse"))
                     : (refuse ? QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"AttachmentFiles\" "
                                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                               : QStringLiteral("DROP TRIGGER refuse"));
        auto conn = session().connection();
        ASSERT_TRUE(conn.ok());
        const auto done = (*conn)->execDirect(sql);
        ASSERT_TRUE(done.ok()) << done.error().message.toStdString();
    }

    RecordingDesktop desktop;
    qint64 alpha = 0;
};

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(77);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

TEST_P(AttachmentForm, BytesInEqualBytesOutThroughTheFormAndItsTemporaryCopy)
{
    const QByteArray bytes = noise(200000);
    const QString source = writeFile(QStringLiteral("trace.bin"), bytes);
    auto form = insert();
    ASSERT_TRUE(form);
    ASSERT_TRUE(form->takeFile(source));
    form->descriptionEdit()->setText(QStringLiteral("Trace"));
    ASSERT_TRUE(form->ok());
    EXPECT_EQ(response, Response::Completed);
    EXPECT_TRUE(QFile::exists(source)) << "the box was not set";
    const QVariantList ids =
        folder->column(QStringLiteral("SELECT \"ID\" FROM \"Attachments\" WHERE \"Description\" = 'Trace'"));
    ASSERT_EQ(ids.size(), 1);
    const qint64 id = ids.first().toLongLong();
    EXPECT_EQ(stored(id), bytes);
    EXPECT_EQ(
        count(QStringLiteral("Attachments"),
              QStringLiteral("\"PrgID\" = %1 AND \"CREATEDBY\" = 'JDO' AND \"Preview\" = 2").arg(alpha)),
        1);
    drain();

    pointAt(QStringLiteral("Attachments"), QStringLiteral("ID"), id);
    auto view = run<UpdateAttachments>(Request::View, user, SubFormOwner{});
    ASSERT_TRUE(view && view->isOpen());
    EXPECT_EQ(view->content(), bytes);
    const QString copy = view->temporaryCopy();
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_EQ(QFileInfo(copy).fileName(), QStringLiteral("trace.bin"));
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), bytes);
    copied.close();
    ASSERT_TRUE(view->cancel());
    EXPECT_FALSE(QFile::exists(copy)) << "the form's temporary copies go when it closes";
}

TEST_P(AttachmentForm, TheOriginalIsRemovedOnlyAfterTheAttachmentIsSaved)
{
    const QString source = writeFile(QStringLiteral("scan.txt"), QByteArray("scanned text"));
    auto form = insert();
    ASSERT_TRUE(form);
    form->removeOriginalBox()->setChecked(true);
    EXPECT_EQ(IniFile(user.userIniPath)
                  .intValue(QStringLiteral("UpdateAttachments"), QStringLiteral("RemoveOriginalFile"), 0),
              1);
    ASSERT_TRUE(form->takeFile(source));
    form->descriptionEdit()->setText(QStringLiteral("Scan"));
    EXPECT_TRUE(QFile::exists(source)) << "read is not saved";

    // The stored bytes cannot be written: the save fails and the original stays.
    refuseStoredBytes(true);
    EXPECT_FALSE(form->ok());
    EXPECT_TRUE(form->isOpen());
    EXPECT_TRUE(QFile::exists(source));
    EXPECT_EQ(count(QStringLiteral("Attachments"), QStringLiteral("\"Description\" = 'Scan'")), 0);

    refuseStoredBytes(false);
    ASSERT_TRUE(form->ok());
    EXPECT_FALSE(QFile::exists(source));
    EXPECT_EQ(count(QStringLiteral("Attachments"), QStringLiteral("\"Description\" = 'Scan'")), 1);
}

TEST_P(AttachmentForm, ATooLargeFileIsRefusedWithItsMessageAndCancelLeavesNothing)
{
    const QString big = dir.file(QStringLiteral("big.iso"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(AttachmentContent::MaxSize + 1));
    }
    const qint64 before = count(QStringLiteral("Attachments"));
    auto form = insert();
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->takeFile(big));
    EXPECT_EQ(messages.texts(),
              QStringList{
                  QStringLiteral("The attachment is too large!|Attachments can have a max. size of 16MB!")});
    EXPECT_TRUE(form->content().isEmpty());
    // No file name: OK only beeps.
    form->descriptionEdit()->setText(QStringLiteral("Image of a disc"));
    EXPECT_FALSE(form->ok());
    EXPECT_EQ(messages.beeps().size(), 1u);
    ASSERT_TRUE(form->cancel());
    EXPECT_EQ(count(QStringLiteral("Attachments")), before);
    EXPECT_EQ(count(QStringLiteral("AttachmentFiles")), 0);
}

TEST_P(AttachmentForm, ItsHelpButtonAsksForThePageOfAttachments)
{
    auto form = insert();
    ASSERT_TRUE(form);
    form->window()->findChild<QPushButton *>(QStringLiteral("Help"))->click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("The help page \"%1/help/UpdateAttachments.htm\" "
                                                           "could not be found!")
                                                .arg(QCoreApplication::applicationDirPath())});
    EXPECT_TRUE(desktop.urls.isEmpty());
    ASSERT_TRUE(form->cancel());
}

TEST_P(AttachmentForm, AStoredNameNeverLeadsTheTemporaryCopyOutOfItsFolder)
{
    const QString temp = QDir(dir.file(QStringLiteral("temp"))).canonicalPath() + QLatin1Char('/');
    for (const char *hostile : {"../../x", "/etc/passwd", "..\\..\\boot.ini", ".."}) {
        SCOPED_TRACE(hostile);
        auto form = insert();
        ASSERT_TRUE(form);
        ASSERT_TRUE(form->takeFile(writeFile(QStringLiteral("plain.txt"), QByteArray("plain"))));
        form->record().setValue(QStringLiteral("ATT:Attachment"), QString::fromLatin1(hostile));
        const QString copy = form->temporaryCopy();
        ASSERT_FALSE(copy.isEmpty());
        EXPECT_TRUE(QFileInfo(copy).canonicalFilePath().startsWith(temp)) << copy.toStdString();
        ASSERT_TRUE(form->cancel());
        drain();
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/x")));
}

TEST_P(AttachmentForm, AnEditedCopyIsAskedAboutAndStoredBack)
{
    auto form = insert();
    ASSERT_TRUE(form);
    ASSERT_TRUE(form->takeFile(writeFile(QStringLiteral("notes.txt"), QByteArray("first"))));
    form->descriptionEdit()->setText(QStringLiteral("Notes"));
    form->openAttachment();
    ASSERT_EQ(desktop.files.size(), 1);
    EXPECT_TRUE(form->saveButton()->isEnabled());
    QFile copy(desktop.files.first());
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
    copy.write("edited in its program");
    copy.close();
    messages.answer(Button::Yes);
    ASSERT_TRUE(form->ok());
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Attachment has been changed!|Do you want to save the changes?")});
    const QVariantList ids =
        folder->column(QStringLiteral("SELECT \"ID\" FROM \"Attachments\" WHERE \"Description\" = 'Notes'"));
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(stored(ids.first().toLongLong()), QByteArray("edited in its program"));
}

TEST_P(AttachmentForm, APastedPictureIsStoredAsPngAndAnEmptyClipboardKeepsTheBytes)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 10));
    QGuiApplication::clipboard()->setImage(picture);
    auto form = insert();
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->pasteButton()->isEnabled());
    form->pasteFromClipboard();
    EXPECT_EQ(form->record().text(QStringLiteral("ATT:Attachment")), QStringLiteral("Clipboard.png"));
    const QImage pasted = QImage::fromData(form->content(), "PNG");
    ASSERT_EQ(pasted.size(), QSize(64, 48));
    EXPECT_EQ(QColor(pasted.pixel(63, 47)), QColor(200, 40, 10));

    QGuiApplication::clipboard()->clear();
    const QByteArray before = form->content();
    form->pasteFromClipboard();
    EXPECT_EQ(form->content(), before);
    form->descriptionEdit()->setText(QStringLiteral("Pasted"));
    ASSERT_TRUE(form->ok());
    const QVariantList ids =
        folder->column(QStringLiteral("SELECT \"ID\" FROM \"Attachments\" WHERE \"Description\" = 'Pasted'"));
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(stored(ids.first().toLongLong()), before);
}

TARVO_SUBFORM_SUITE(AttachmentForm);

QByteArray pictureBytes(const char *format)
{
    QImage picture(40, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

QByteArray pcxBytes()
{
    // 2 x 1, 24-bit, run-length: red then blue.
    QByteArray file(128, '\0');
    file[0] = char(0x0A);
    file[1] = 5;
    file[2] = 1;
    file[3] = 8;
    file[8] = 1;
    file[65] = 3;
    file[66] = 2;
    file += QByteArray::fromHex("C1FF00"
                                "0000"
                                "00C1FF");
    return file;
}

QByteArray pdfBytes(const QString &path)
{
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        painter.drawText(100, 100, QStringLiteral("Attached"));
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(AttachmentPreview, ShowsEachKindOnItsOwnPage)
{
    tarvo::test::TempDir dir;
    QString copyOf;
    QByteArray copyBytes;
    AttachmentPreview preview([&] {
        const QString path = dir.file(copyOf);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(copyBytes) == copyBytes.size() ? path
                                                                                            : QString();
    });
    preview.resize(400, 200);
    auto show = [&](const char *name, const QByteArray &bytes, int option = 2) {
        copyOf = QString::fromLatin1(name);
        copyBytes = bytes;
        preview.showFile(copyOf, bytes, option);
    };

    show("shot.png", pictureBytes("PNG"));
    ASSERT_EQ(preview.currentPage(), preview.libraryImage());
    EXPECT_EQ(preview.libraryImage()->picture().size(), QSize(40, 300));
    show("scan.PCX", pcxBytes(), 1);
    ASSERT_TRUE(preview.libraryImage()->hasPicture());
    EXPECT_EQ(QColor(preview.libraryImage()->picture().pixel(0, 0)), QColor(Qt::red));
    show("broken.pcx", QByteArray("not a picture"));
    EXPECT_EQ(preview.currentPage(), preview.libraryImage());
    EXPECT_FALSE(preview.libraryImage()->hasPicture()) << "nothing drawn, no message";
    show("icon.gif", pictureBytes("PNG"), 2);
    EXPECT_EQ(preview.currentPage()->findChild<QLabel *>(QStringLiteral("Image")), preview.windowImage());
    show("readme.txt", QByteArray("line one\nline two"));
    EXPECT_EQ(preview.currentPage(), preview.textView());
    EXPECT_EQ(preview.textView()->toPlainText(), QStringLiteral("line one\nline two"));
    show("page.html", QByteArray("<html><body><a href='https://example.org'>site</a></body></html>"));
    EXPECT_EQ(preview.currentPage(), preview.htmlView());
    EXPECT_TRUE(preview.htmlView()->toPlainText().contains(QStringLiteral("site")));
    show("manual.pdf", pdfBytes(dir.file(QStringLiteral("source.pdf"))));
    EXPECT_EQ(preview.currentPage(), preview.pdfView());
    EXPECT_EQ(preview.pdfDocument()->pageCount(), 1);
    show("scan.tif", QByteArray("II*"));
    EXPECT_EQ(preview.currentPage(), preview.messageLabel());
    EXPECT_EQ(
        preview.messageLabel()->text(),
        QStringLiteral("Only .HTML .PDF .ICO .BMP .GIF .JPG .WMF .PCX .PNG .TXT files can be previewed!"));
}

TEST(AttachmentPreview, OpensOnlyWebAndMailAddresses)
{
    const std::pair<const char *, bool> cases[] = {
        {"https://example.org/a", true},
        {"http://example.org", true},
        {"mailto:ann@example.org", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://example.org", false},
        {"relative/page.html", false},
        {"http://", false},
        {"mailto:", false},
    };
    for (const auto &[address, openable] : cases)
        EXPECT_EQ(AttachmentPreview::isOpenableAddress(QUrl(QString::fromLatin1(address))), openable)
            << address;
}

} // namespace

} // namespace tarvo::issues::test
