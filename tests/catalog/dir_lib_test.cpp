#include "dir_lib.h"
#include "qt_printers.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tav;

TEST(DirLib, SystemDirectoryIsTheOverrideTrimmedWithOneSeparator) {
    const QByteArray saved = qgetenv(DirLib::SystemDirectoryVariable);
    qputenv(DirLib::SystemDirectoryVariable, "  /opt/labels/  ");
    EXPECT_EQ(DirLib::SystemDirectory(), "/opt/labels/");
    qputenv(DirLib::SystemDirectoryVariable, "/opt/labels");
    EXPECT_EQ(DirLib::SystemDirectory(), "/opt/labels/");
    qunsetenv(DirLib::SystemDirectoryVariable);
    EXPECT_TRUE(DirLib::SystemDirectory().endsWith("/mailpiece/"));
    if (!saved.isEmpty())
        qputenv(DirLib::SystemDirectoryVariable, saved);
}

TEST(DirLib, FileExistsOnlyForFilesThatOpen) {
    test::ScopedTempDirectory temp;
    const QString path = QDir(temp.path()).filePath("a.cfg");
    EXPECT_FALSE(DirLib::FileExists(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(DirLib::FileExists(path));
    EXPECT_FALSE(DirLib::FileExists(temp.path())); // a directory is no file
    EXPECT_FALSE(DirLib::FileExists(QString()));
}

TEST(DirLib, DeleteFileAndWaitRemovesTheFileAndEndsWhenItCannot) {
    test::ScopedTempDirectory temp;
    const QString path = DirLib::MakeTempFileName();
    ASSERT_TRUE(DirLib::FileExists(path));
    DirLib::DeleteFileAndWait(path);
    EXPECT_FALSE(QFileInfo::exists(path));

    // A file that cannot be deleted: the wait gives up instead of hanging the caller.
    DirLib::DeleteFileAndWait("/proc/self/status");
    EXPECT_TRUE(DirLib::FileExists("/proc/self/status"));
}

TEST(DirLib, MakeTempFileNameCreatesAnEmptyFileWithAThreeLetterPrefixInTemp) {
    test::ScopedTempDirectory temp;
    const QString plain = DirLib::MakeTempFileName();
    const QString cut = DirLib::MakeTempFileName("qzpLONG");
    EXPECT_TRUE(QFileInfo(plain).fileName().startsWith("tmp"));
    EXPECT_TRUE(QFileInfo(cut).fileName().startsWith("qzp"));
    // Cut to three letters: as long as the name with the three-letter default. (The random part
    // may itself start with an "L", so the letters after "qzp" prove nothing.)
    EXPECT_EQ(QFileInfo(cut).fileName().size(), QFileInfo(plain).fileName().size());
    EXPECT_EQ(QFileInfo(plain).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_EQ(QFileInfo(plain).size(), 0);
    EXPECT_EQ(temp.fileNames().size(), 2);
}
