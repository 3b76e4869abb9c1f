#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "temp_env.h"
#include "temp_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tav;

TEST(TempFile, TheTempVariableNamesTheDirectoryAndTheSystemOneStandsIn) {
    {
        test::ScopedTempDirectory temp;
        EXPECT_EQ(tempDirectory(), temp.path());
    }
    const QByteArray saved = qgetenv("Temp");
    const bool had = qEnvironmentVariableIsSet("Temp");
    qunsetenv("Temp");
    EXPECT_EQ(tempDirectory(), QDir::tempPath());
    if (had)
        qputenv("Temp", saved);
}

TEST(TempFile, FilesAreNewEmptyAndForTheirOwnerOnly) {
    QTemporaryDir dir;
    const QString a = createExclusiveTempFile(dir.path(), "qzp");
    const QString b = createExclusiveTempFile(dir.path(), "qzp");
    EXPECT_NE(a, b);
    const QFileInfo info(a);
    EXPECT_TRUE(info.exists());
    EXPECT_EQ(info.size(), 0);
    EXPECT_EQ(info.absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(info.fileName().startsWith("qzp"));
    EXPECT_TRUE(info.fileName().endsWith(".tmp"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(info.permissions() & others, QFile::Permissions());
    EXPECT_TRUE(info.permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
}

TEST(TempFile, AMissingDirectoryIsAClearError) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone");
    const auto error = test::raisedError([&] { createExclusiveTempFile(missing, "qzp"); });
    ASSERT_TRUE(error) << "created a file in a missing directory";
    EXPECT_EQ(error->number(), ErrorNumber::PathFileAccess);
    EXPECT_TRUE(error->description().contains(missing));
}
