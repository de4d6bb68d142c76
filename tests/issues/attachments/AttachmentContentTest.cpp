#include "issues/attachments/AttachmentContent.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/dictionary/TarvoStoreTest.h"
#include "core/helpers/BlobFiles.h"
#include "platform/data/RecordLayout.h"
#include "support/TempDir.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>

namespace tarvo::issues {

namespace {

using AttachmentContentStore = test::TarvoStoreTest;

QByteArray everyByteAndNoise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(1234);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i < 256 ? i : int(random.bounded(256)));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_P(AttachmentContentStore, BytesInEqualBytesOut)
{
    test::TempDir dir;
    const QByteArray original = everyByteAndNoise(3 * 32768 + 17);
    const QString source = dir.file(QStringLiteral("in.bin"));
    ASSERT_TRUE(writeFile(source, original));

    data::FileManager &files = fm(QStringLiteral("AttachmentFiles"));
    data::Record file;
    ASSERT_TRUE(AttachmentContent::read(files, 7, file).ok());
    EXPECT_EQ(file.rowId(), 0);
    ASSERT_TRUE(AttachmentContent::readFile(file, source).ok());
    ASSERT_TRUE(AttachmentContent::write(files, 7, file).ok());

    // A second write under the same number replaces the bytes instead of adding a record.
    data::Record again;
    ASSERT_TRUE(AttachmentContent::read(files, 7, again).ok());
    EXPECT_EQ(again.bytes(AttachmentContent::blobField()), original);
    again.setValue(AttachmentContent::blobField(), QByteArray(original + QByteArray("tail")));
    ASSERT_TRUE(AttachmentContent::write(files, 7, again).ok());
    EXPECT_EQ(count(QStringLiteral("AttachmentFiles"), {{QStringLiteral("ID"), 7}}), 1);

    data::Record stored;
    ASSERT_TRUE(AttachmentContent::read(files, 7, stored).ok());
    const QString out = dir.file(QStringLiteral("out.bin"));
    ASSERT_EQ(core::BlobToFile(stored, AttachmentContent::blobField(), out), 0);
    EXPECT_EQ(readFile(out), QByteArray(original + QByteArray("tail")));
}

TARVO_REAL_STORE_SUITE(AttachmentContentStore);

TEST(AttachmentContent, AFileAboveTheLimitIsRefusedWithItsMessageAndStoresNothing)
{
    test::TempDir dir;
    const QString big = dir.file(QStringLiteral("big.bin"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(AttachmentContent::MaxSize + 1));
    }
    const QString limit = dir.file(QStringLiteral("limit.bin"));
    {
        QFile file(limit);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(AttachmentContent::MaxSize));
    }
    data::Record file(data::RecordLayout::make(core::attachmentFilesFile()));
    file.setValue(AttachmentContent::blobField(), QByteArray("kept"));

    const auto refused = AttachmentContent::readFile(file, big);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, AttachmentContent::TooLarge);
    EXPECT_EQ(refused.error().message,
              QStringLiteral("The attachment is too large!|Attachments can have a max. size of 16MB!"));
    EXPECT_EQ(file.bytes(AttachmentContent::blobField()), QByteArray("kept"));

    ASSERT_TRUE(AttachmentContent::readFile(file, limit).ok());
    EXPECT_EQ(file.bytes(AttachmentContent::blobField()).size(), AttachmentContent::MaxSize);
}

TEST(AttachmentContent, APastedPictureBecomesPngAndNoPictureStoresNothing)
{
    QImage picture(1500, 7, QImage::Format_ARGB32);
    picture.fill(QColor(10, 200, 30));
    const auto png = AttachmentContent::encodePng(picture);
    ASSERT_TRUE(png.ok());
    const QImage back = QImage::fromData(*png, "PNG");
    ASSERT_EQ(back.size(), picture.size());
    EXPECT_EQ(QColor(back.pixel(1499, 6)), QColor(10, 200, 30));

    const auto none = AttachmentContent::encodePng(QImage());
    ASSERT_FALSE(none.ok());
}

} // namespace tarvo::issues
