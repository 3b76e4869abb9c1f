// The user's own catalogue: pieces saved there are read after the shipped ones, add to them or
// replace them by name, and stay across runs.

#include "catalogue.h"
#include "cfg_lib.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "temp_env.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace tav;

namespace {

class UserCatalogue : public ::testing::Test {
protected:
    const QString laser = QString::fromLatin1(CfgLib::LaserSection);
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedConfigHome config;
};

} // namespace

TEST_F(UserCatalogue, SavedPiecesAreAddedOrReplaceTheShippedOnes) {
    EXPECT_EQ(Catalogue::userPath(), config.path() + "/mailpiece/vardo.cfg");
    const QString record = "My Labels,3x2,8.5x11,0.5x0.5,3.5x2.5,2x4,Letter,CUT";
    Catalogue::saveUserPiece(laser, "My Labels", "Jar 3 x 2", record);
    ASSERT_TRUE(QFile::exists(Catalogue::userPath()));
    EXPECT_EQ(Catalogue::current().pieces("My Labels"), QStringList{"Jar 3 x 2"});
    EXPECT_EQ(CfgLib::CatalogRecord("Jar 3 x 2"), record);
    EXPECT_EQ(CfgLib::CatalogProduct("Jar 3 x 2"), "My Labels");
    // After the shipped products.
    EXPECT_EQ(Catalogue::current().products(laser).front().name, "Address Labels");
    EXPECT_EQ(Catalogue::current().products(laser).back().name, "My Labels");

    // A second piece keeps the first; a shipped name is replaced by the user's definition.
    Catalogue::saveUserPiece(laser, "My Labels", "Jar 2 x 1",
                             "My Labels,2x1,8.5x11,0.5x0.5,2.5x1.5,3x7,Letter,CUT");
    const QString mine = "Address Labels,2.5x1,8.5x11,0.2x0.5,2.75x1,3x10,Letter,CUT";
    Catalogue::saveUserPiece(laser, "Address Labels", "5160 - Address", mine);
    EXPECT_EQ(Catalogue::current().pieces("My Labels").size(), 2);
    EXPECT_EQ(CfgLib::CatalogRecord("5160 - Address"), mine);
    EXPECT_EQ(Catalogue::current().pieces("Address Labels").count("5160 - Address"), 1);
}

TEST_F(UserCatalogue, UnusableNamesAndUnwritableFilesAreRefused) {
    for (const char* name : {"", "a,b", "[x]", "k=v"}) {
        EXPECT_EQ(test::raisedNumber([&] {
                      Catalogue::saveUserPiece(laser, "P", QLatin1String(name),
                                               "P,1x1,8.5x11,0x0,1x1,1x1,Letter,CUT");
                  }),
                  ErrorNumber::InvalidArgument)
            << "saved " << name;
    }
    qputenv("XDG_CONFIG_HOME", "/proc/mailpiece-cannot-be-here");
    EXPECT_THROW(Catalogue::saveUserPiece(laser, "P", "Q", "P,1x1,8.5x11,0x0,1x1,1x1,Letter,CUT"),
                 TavError);
}

TEST_F(UserCatalogue, TwoWritersAtOnceLoseNoPiece) {
    const auto save = [this](char writer) {
        for (int i = 1; i <= 20; ++i)
            Catalogue::saveUserPiece(laser, "Mine",
                                     QStringLiteral("%1%2 - Label").arg(QLatin1Char(writer)).arg(i),
                                     "Mine,1x1,8.5x11,0x0,1x1,1x1,Letter,CUT");
    };
    std::thread first(save, 'a');
    std::thread second(save, 'b');
    first.join();
    second.join();
    EXPECT_EQ(Catalogue::current().pieces("Mine").size(), 40);
}
