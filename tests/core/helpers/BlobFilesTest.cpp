#include "core/helpers/BlobFiles.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Record.h"
#include "platform/data/RecordLayout.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace tarvo::test {

namespace {

const QString kBlob = QStringLiteral("ATTACHEDFILE");

data::Record attachmentFile()
{
    return data::Record(data::RecordLayout::make(core::attachmentFilesFile()));
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class BlobSizeTest : public ::testing::TestWithParam<int> {};

} // namespace

// Sizes at the piece boundaries: one byte over a piece, exactly two pieces.
TEST_P(BlobSizeTest, CopiesTheBlobToAFileAndBack)
{
    TempDir dir;
    data::Record out = attachmentFile();
    const QByteArray bytes = pattern(GetParam());
    out.setValue(kBlob, bytes);
    const QString path = dir.file(QStringLiteral("copy.bin"));
    writeFile(path, "old contents, longer than nothing");
    ASSERT_EQ(core::BlobToFile(out, kBlob, path), 0);

    data::Record in = attachmentFile();
    ASSERT_EQ(core::FileToBlob(in, kBlob, path), 0);
    EXPECT_EQ(in.bytes(kBlob), bytes);
}

INSTANTIATE_TEST_SUITE_P(Pieces, BlobSizeTest, ::testing::Values(1, 32768, 32769, 65536));

TEST(BlobFilesTest, EmptyNamesBlobsAndFiles)
{
    TempDir dir;
    data::Record record = attachmentFile();
    const QString path = dir.file(QStringLiteral("empty.bin"));
    EXPECT_EQ(core::BlobToFile(record, kBlob, path), 0);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(core::BlobToFile(record, kBlob, QStringLiteral("   ")), 36);

    record.setValue(kBlob, QByteArray("kept"));
    EXPECT_EQ(core::FileToBlob(record, kBlob, QString()), 36);
    writeFile(path, QByteArray());
    EXPECT_EQ(core::FileToBlob(record, kBlob, path), 36);
    EXPECT_EQ(record.bytes(kBlob), QByteArray("kept"));
    EXPECT_NE(core::FileToBlob(record, kBlob, dir.file(QStringLiteral("missing.bin"))), 0);
    EXPECT_EQ(record.bytes(kBlob), QByteArray("kept"));
    EXPECT_NE(core::BlobToFile(record, kBlob, dir.file(QStringLiteral("no/such/folder.bin"))), 0);
}

TEST(BlobFilesTest, AttachesAFileThatCannotBeWritten)
{
    TempDir dir;
    const QString readOnly = dir.file(QStringLiteral("readonly.bin"));
    writeFile(readOnly, pattern(1000));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    data::Record record = attachmentFile();
    EXPECT_EQ(core::FileToBlob(record, kBlob, readOnly), 0);
    EXPECT_EQ(record.bytes(kBlob), pattern(1000));

    // A running program cannot be opened for writing even by an administrator.
    const QString running = QCoreApplication::applicationFilePath();
    EXPECT_EQ(core::FileToBlob(record, kBlob, running), 0);
    EXPECT_EQ(record.bytes(kBlob).size(), QFile(running).size());
}

} // namespace tarvo::test
