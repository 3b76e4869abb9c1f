#include "ini_lib.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;
using namespace tav::IniLib;

namespace {

class IniLibTest : public ::testing::Test {
protected:
    QString write(const QByteArray& content) {
        const QString path = dir.filePath("test.cfg");
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(IniLibTest, NumberedListsWithGapsPlainKeysAndBackticks) {
    const QString file = write("[Gaps]\nPiece(1)=A\nPiece(3)=C, with a note\n"
                               "[Plain]\nPiece=Only\n"
                               "[Both]\nPiece=Only\nPiece(1)=A\n"
                               "[Tick]\nproduct(1)=`\n");
    EXPECT_EQ(ProfileGetList(file, "Gaps", "Piece", 200),
              (QStringList{"A", QString(), "C, with a note"}));
    EXPECT_EQ(ProfileGetList(file, "Plain", "Piece", 200), QStringList{"Only"});
    EXPECT_EQ(ProfileGetList(file, "Both", "Piece", 200), QStringList{"A"});
    EXPECT_EQ(ProfileGetList(file, "Tick", "product", 100), QStringList{QString()});
    EXPECT_TRUE(ProfileGetList(file, "Missing", "Piece", 200).isEmpty());
    // The file read once and indexed lists the same.
    const Profile profile(file);
    for (const char* section : {"Gaps", "Plain", "Both", "Tick", "Missing"})
        EXPECT_EQ(profile.list(QLatin1String(section), "Piece", 200),
                  ProfileGetList(file, QLatin1String(section), "Piece", 200))
            << section;
}

TEST_F(IniLibTest, NamesIgnoreCaseTheFirstMatchWinsAndValuesAreTrimmedAndCut) {
    const QString file = write("\xEF\xBB\xBF[details]\r\n"
                               "KEY =  first  \r\n"
                               "key=second\r\n"
                               "no equals sign here\r\n"
                               "; key=comment\r\n"
                               "long=" +
                               QByteArray(300, 'x') +
                               "\r\n"
                               "[DETAILS]\nkey=third\nother=x\n");
    EXPECT_EQ(ProfileGetString(file, "Details", "key"), "first");
    EXPECT_EQ(ProfileGetString(file, "Details", "long").size(), MaxValueLength);
    // The first section of a name is the one searched.
    EXPECT_EQ(ProfileGetString(file, "Details", "other"), QString());
    EXPECT_EQ(ProfileGetValue(file, "Details", "gone", "fallback"), "fallback");
    EXPECT_EQ(ProfileGetString(dir.filePath("missing.cfg"), "a", "b"), QString());
    EXPECT_EQ(ProfileGetString(QString(), "a", "b"), QString());
    // The file read once and indexed answers the same.
    const Profile profile(file);
    for (const char* key : {"key", " KEY ", "long", "other", "gone"})
        EXPECT_EQ(profile.value("Details", QLatin1String(key)),
                  ProfileGetString(file, "Details", QLatin1String(key)))
            << key;
    EXPECT_EQ(Profile(dir.filePath("missing.cfg")).value("a", "b"), QString());
}

TEST_F(IniLibTest, TextThatIsNoProfileGivesEmptyValues) {
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 131 + 7) % 256));
    const QString file = write(noise + "\n[x]\nk=v\n\0\0\0");
    EXPECT_EQ(ProfileGetString(file, "zz", "k"), QString());
    EXPECT_EQ(ProfileLookup(QByteArray("[unclosed\nk=v"), "unclosed", "k"), "v");
}

TEST(IniLibNumbers, MeasuresAndCounts) {
    EXPECT_EQ(ToNumber("."), 0.0);
    EXPECT_EQ(ToNumber("abc"), 0.0);
    EXPECT_EQ(ToNumber("2,5"), 0.0);
    EXPECT_EQ(ToNumber("nan"), 0.0);
    EXPECT_EQ(ToNumber("inf"), 0.0);
    EXPECT_EQ(ToNumber(" 2.625 "), 2.625);
    EXPECT_EQ(ToNumber("1e9"), 1e9);
    EXPECT_EQ(ToNumber("-0"), 0.0);
    EXPECT_EQ(ToCount("2.5"), 2);
    EXPECT_EQ(ToCount("3.5"), 4);
    EXPECT_EQ(ToCount("x"), 0);
    EXPECT_EQ(ToCount("-32768"), -32768);
    for (const char* big : {"32768", "1e9", "-40000"}) {
        EXPECT_EQ(test::raisedNumber([&] { ToCount(QString::fromLatin1(big)); }),
                  ErrorNumber::Overflow)
            << big;
    }
}
