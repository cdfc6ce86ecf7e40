#include "files/DataFolder.h"
#include "start/ProgramIdentity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using Kind = DataFolder::Kind;

// Program folders laid out as an installation, a build tree or a copy would leave them.
class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString folder(const QString& relative) const
    {
        QDir().mkpath(m_root.filePath(relative));
        return m_root.filePath(relative);
    }

    void touch(const QString& relative) const
    {
        QDir().mkpath(QFileInfo(m_root.filePath(relative)).absolutePath());
        QFile file(m_root.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_root;
    const QString m_perUser = QStringLiteral("/home/someone/.local/share/korvalin");
};
} // namespace

TEST_F(DataFolderTest, installedLayout_isToldByTheDesktopEntryBesideTheBinFolder)
{
    const QString entry = QStringLiteral("/share/applications/" DESKTOP_ID ".desktop");
    touch(QStringLiteral("usr") + entry);
    touch(QStringLiteral("opt/korvalin") + entry);
    touch(QStringLiteral("stick/share/applications/org.other.Program.desktop"));
    const struct
    {
        const char* programFolder;
        bool installed;
    } cases[] = {
        {"usr/bin", true},
        {"opt/korvalin/bin", true}, // any prefix
        {"build", false},
        {"stick/bin", false}, // a bin folder, but not this program's installation
        {"usr/bin/subfolder", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runsFromInstalledLayout(folder(QString::fromLatin1(c.programFolder))), c.installed)
            << c.programFolder;
    EXPECT_EQ(installedDesktopEntryFromProgramFolder(), QStringLiteral("..") + entry);
}

TEST_F(DataFolderTest, choice_followsTheLayoutUnlessAFolderIsChosen)
{
    touch(QStringLiteral("usr/share/applications/" DESKTOP_ID ".desktop"));
    const QString installed = folder(QStringLiteral("usr/bin"));
    const QString buildTree = folder(QStringLiteral("work/build"));
    const QString chosen = folder(QStringLiteral("chosen"));
    const struct
    {
        const char* what;
        QString programFolder;
        QString chosenFolder;
        QString perUserFolder;
        Kind kind;
        QString path;
    } cases[] = {
        {"installed", installed, {}, m_perUser, Kind::PerUser, m_perUser},
        {"build tree", buildTree, {}, m_perUser, Kind::BesideProgram, buildTree},
        {"installed, --data-dir", installed, chosen, m_perUser, Kind::Chosen, chosen},
        {"build tree, --data-dir", buildTree, chosen + QStringLiteral("/./"), m_perUser, Kind::Chosen, chosen},
        {"installed, no per-user folder known", installed, {}, {}, Kind::BesideProgram, installed},
    };
    for (const auto& c : cases) {
        const DataFolder result = chooseDataFolder(c.programFolder, c.chosenFolder, c.perUserFolder);
        EXPECT_EQ(result.kind, c.kind) << c.what;
        EXPECT_EQ(result.path, c.path) << c.what;
    }
}

TEST_F(DataFolderTest, relativeChosenFolder_isTakenFromTheWorkingFolder)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_root.path()));
    const DataFolder result = chooseDataFolder(folder(QStringLiteral("build")), QStringLiteral("drafts"), m_perUser);
    QDir::setCurrent(previous);
    EXPECT_EQ(result.path, QDir(m_root.path()).filePath(QStringLiteral("drafts")));
}
