#include "files/FolderAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
class FolderAccessTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_root;
};
} // namespace

TEST_F(FolderAccessTest, writableFolder_isWritableAndKeepsNothingOfTheCheck)
{
    const FolderAccess access = checkFolderWritable(m_root.path());
    EXPECT_TRUE(access.writable);
    EXPECT_TRUE(access.reason.isEmpty());
    EXPECT_TRUE(entries(m_root.path()).isEmpty()) << entries(m_root.path()).join(u' ').toStdString();
}

TEST_F(FolderAccessTest, missingFolder_isMadeWithItsParents)
{
    const QString folder = m_root.filePath(QStringLiteral("a/b/korvalin"));
    EXPECT_TRUE(checkFolderWritable(folder).writable);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(FolderAccessTest, folderBelowAPlainFile_isRefusedWithTheReason)
{
    QFile blocker(m_root.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const FolderAccess access = checkFolderWritable(m_root.filePath(QStringLiteral("blocker/data")));
    EXPECT_FALSE(access.writable);
    EXPECT_EQ(access.reason, QStringLiteral("Cannot create the folder %1: Not a directory")
                                 .arg(m_root.filePath(QStringLiteral("blocker/data"))));
}

TEST_F(FolderAccessTest, readOnlyFolder_isRefusedWithTheReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders; the install test covers this as another user";
    const QString folder = m_root.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const FolderAccess access = checkFolderWritable(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(access.writable);
    EXPECT_EQ(access.reason, QStringLiteral("Cannot create a file in %1: Permission denied").arg(folder));
}
