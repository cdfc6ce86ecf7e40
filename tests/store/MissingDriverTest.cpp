// Without Qt's SQLite plug-in the store says which package brings it. This program runs alone, so that
// no other test has loaded the plug-in before its folders are taken away.
#include "../core/CoreApplicationEnvironment.h"
#include "SqliteTrainingStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);
}

TEST(MissingDriver, openingSaysWhichPackageToInstallAndMakesNoFile)
{
    QTemporaryDir pluginsElsewhere;
    QTemporaryDir data;
    QCoreApplication::setLibraryPaths({pluginsElsewhere.path()});

    SqliteTrainingStore store(data.path());
    const StoreOpening opening = store.open();
    EXPECT_FALSE(opening.opened);
    EXPECT_TRUE(opening.message.contains(QLatin1String("libqt6sql6-sqlite"))) << qPrintable(opening.message);
    EXPECT_TRUE(QDir(data.path()).isEmpty());
}
