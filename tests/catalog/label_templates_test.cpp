// The template library of the free label designers, read from the real files of glabels-data
// through the same API as the shipped catalogue.

#include "catalogue.h"
#include "cfg_lib.h"
#include "label_templates.h"
#include "piece_lookup.h"
#include "program_run.h"
#include "qt_printers.h"
#include "sheet_limits.h"
#include "tav_sheet_cls.h"
#include "temp_env.h"
#include "template_cache.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

using namespace tav;

namespace {

class LabelTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(QString::fromLatin1(LabelTemplates::DefaultDirectory)))
            GTEST_SKIP() << "glabels-data is not installed";
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR, true};
};

std::unique_ptr<TavSheetCls> sheetOf(const QString& piece) {
    auto sheet = std::make_unique<TavSheetCls>();
    sheet->setPieceName(piece);
    CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), *sheet);
    return sheet;
}

} // namespace

TEST_F(LabelTemplatesTest, TheLibraryImportsAndSkipsTheSameTemplatesEveryTime) {
    const LabelTemplates::Import& import = Catalogue::current().templates();
    EXPECT_EQ(import.templates, 1756);
    EXPECT_EQ(import.imported, 1400);
    EXPECT_EQ(import.skipped.value("round, oval or CD labels"), 270);
    EXPECT_EQ(import.skipped.value("several layouts on one sheet"), 26);
    EXPECT_EQ(import.skipped.value("a grid that does not fit its paper"), 15);
    EXPECT_EQ(import.skipped.value("an alias of a template that is not there"), 1);
    // Avery parts the shipped catalogue has are its own, not the library's.
    EXPECT_EQ(import.alreadyShipped, 44);
    EXPECT_TRUE(Catalogue::current().pieces("Avery 5160").isEmpty());
    EXPECT_EQ(CfgLib::CatalogProduct("5160 - Address"), "Address Labels");
}

TEST_F(LabelTemplatesTest, AShippedPieceIsFoundWithoutTheLibraryAndALibraryPieceWithIt) {
    // The catalogue without the library holds the shipped pieces only...
    const QString shipped = "5160 - Address";
    const QString library = Catalogue::current().pieces("Avery 15160").value(0);
    ASSERT_FALSE(library.isEmpty());
    EXPECT_FALSE(Catalogue::own().record(shipped).isEmpty());
    EXPECT_TRUE(Catalogue::own().record(library).isEmpty());
    EXPECT_TRUE(Catalogue::own().templates().pieces.empty());
    // ...and a lookup by name finds both, each as the whole catalogue has it.
    for (const QString& piece : {shipped, library})
        EXPECT_EQ(Catalogue::recordOf(piece), Catalogue::current().record(piece))
            << piece.toStdString();
}

TEST_F(LabelTemplatesTest, APieceIsFoundByTheNamesPeopleTypeForIt) {
    const QString address = "5160 - Address";
    const QString dymo = "Dymo 11352 - Return Address Labels 25 x 54 mm";
    const QString easyPeel = Catalogue::current().pieces("Avery 15160").value(0);
    const std::pair<const char*, QString> found[] = {
        {"5160 - Address", address}, {" 5160 - address ", address},
        {"5160", address},           {"Avery 5160", address},
        {"avery 15160", easyPeel},   {"15160", easyPeel},
        {"Dymo 11352", dymo},        {"11352", dymo},
        {"5160 - Addr", address},
    };
    for (const auto& [text, piece] : found) {
        const PieceMatch match = findPiece(QString::fromUtf8(text));
        EXPECT_EQ(match.piece, piece) << text;
        EXPECT_TRUE(match.candidates.isEmpty()) << text;
    }
    // Nothing, or too much, names no piece: the caller hears which matched.
    for (const char* text : {"", "Avery 5160x", "Size 99 - Envelope"})
        EXPECT_EQ(findPiece(QString::fromUtf8(text)).piece, QString()) << text;
    const PieceMatch several = findPiece("516");
    EXPECT_TRUE(several.piece.isEmpty());
    EXPECT_TRUE(several.candidates.contains(address));
    EXPECT_TRUE(several.candidates.contains("5161 - Address"));
}

TEST_F(LabelTemplatesTest, WellKnownSheetsHaveTheirGeometry) {
    // 30 address labels of 2-5/8 x 1 in on US Letter.
    const QStringList address = Catalogue::current().pieces("Avery 15160");
    ASSERT_EQ(address.size(), 1);
    EXPECT_EQ(address.at(0), "Avery 15160 - Address Labels 2.625 x 1 in");
    auto sheet = sheetOf(address.at(0));
    EXPECT_FLOAT_EQ(sheet->PieceWidth(), 2.625f);
    EXPECT_FLOAT_EQ(sheet->PieceHeight(), 1.0f);
    EXPECT_EQ(sheet->NumAcross(), 3);
    EXPECT_EQ(sheet->NumDown(), 10);
    EXPECT_FLOAT_EQ(sheet->Width(), 8.5f);
    EXPECT_FLOAT_EQ(sheet->Marginleft(), 0.15625f);
    EXPECT_FLOAT_EQ(sheet->PiecePitchAcross(), 2.78125f);
}

TEST_F(LabelTemplatesTest, EveryGridFitsItsPaper) {
    int pieces = 0;
    for (const char* section : {CfgLib::LaserSection, CfgLib::DotMatrixSection})
        for (const Catalogue::Product& product :
             Catalogue::current().products(QString::fromLatin1(section)))
            for (const QString& piece : product.pieces) {
                const auto sheet = sheetOf(piece);
                ASSERT_TRUE(sheetGeometryProblem(*sheet).isEmpty()) << piece.toStdString();
                constexpr float kSlack = 0.011f;
                EXPECT_LE(sheet->Marginleft() +
                              (sheet->NumAcross() - 1) * sheet->PiecePitchAcross() +
                              sheet->PieceWidth(),
                          sheet->Width() + kSlack)
                    << piece.toStdString();
                EXPECT_LE(sheet->MarginTop() + (sheet->NumDown() - 1) * sheet->PiecePitchDown() +
                              sheet->PieceHeight(),
                          sheet->Height() + kSlack)
                    << piece.toStdString();
                ++pieces;
            }
    EXPECT_GT(pieces, 1400); // the shipped pieces and the library's
}

TEST(LabelTemplates, UnitsAndOddTemplatesOfAFileOfOurOwn) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& text) {
        test::writeFile(dir, name, text);
    };
    write("paper-sizes.xml",
          "<Glabels-paper-sizes><Paper-size id=\"A4\" _name=\"A4\" width=\"210mm\" "
          "height=\"297mm\"/></Glabels-paper-sizes>");
    write("own-templates.xml",
          "<Glabels-templates>"
          "<Template brand=\"Own\" part=\"1\" size=\"A4\" _description=\"Points\">"
          "<Label-rectangle width=\"144\" height=\"2.54cm\"><Layout nx=\"2\" ny=\"3\" "
          "x0=\"1pc\" y0=\"10mm\" dx=\"2.5in\" dy=\"1in\"/></Label-rectangle></Template>"
          "<Template brand=\"Own\" part=\"2\" equiv=\"1\"/>"
          "<Template brand=\"Own\" part=\"6\" size=\"A4\" _description=\"Aliased\">"
          "<Alias brand=\"Other\" part=\"66\"/><Label-rectangle width=\"1in\" height=\"1in\">"
          "<Layout nx=\"1\" ny=\"1\" x0=\"1in\" y0=\"1in\" dx=\"1in\" dy=\"1in\"/>"
          "</Label-rectangle></Template>"
          "<Template brand=\"Own\" part=\"3\" size=\"A4\"><Label-round radius=\"1in\">"
          "<Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"0\" dy=\"0\"/></Label-round>"
          "</Template>"
          "<Template brand=\"Own\" part=\"4\" size=\"A4\"><Label-rectangle width=\"1in\" "
          "height=\"1in\"><Layout nx=\"20\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"1in\" dy=\"1in\"/>"
          "</Label-rectangle></Template>"
          "<Template brand=\"Own\" part=\"5\" size=\"Tabloid\"><Label-rectangle width=\"1in\" "
          "height=\"1in\"><Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"1in\" dy=\"1in\"/>"
          "</Label-rectangle></Template>"
          // Labels that would print on one another: a negative pitch, a pitch under the width.
          "<Template brand=\"Own\" part=\"7\" size=\"A4\"><Label-rectangle width=\"60mm\" "
          "height=\"1in\"><Layout nx=\"3\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"-70mm\" dy=\"1in\"/>"
          "</Label-rectangle></Template>"
          "<Template brand=\"Own\" part=\"8\" size=\"A4\"><Label-rectangle width=\"1in\" "
          "height=\"1in\"><Layout nx=\"1\" ny=\"4\" x0=\"0\" y0=\"0\" dx=\"0\" dy=\"0.5in\"/>"
          "</Label-rectangle></Template>"
          "</Glabels-templates>");
    write("broken-templates.xml", "<Glabels-templates><Template");
    // An entity of a kilobyte used a hundred thousand times would be a hundred megabytes.
    QByteArray expanding = "<!DOCTYPE t [<!ENTITY k \"" + QByteArray(1000, 'x') +
                           "\">]><Glabels-templates><Template brand=\"" +
                           QByteArray("&k;").repeated(100000) + "\"/></Glabels-templates>";
    write("entity-templates.xml", expanding);
    const LabelTemplates::Import import = LabelTemplates::readDirectory(dir.path());
    EXPECT_EQ(import.templates, 9);
    ASSERT_EQ(import.pieces.size(), 4u);
    EXPECT_EQ(import.pieces[0].piece, "Own 1 - Points 50.8 x 25.4 mm");
    // 144 pt = 2 in, 1 pc = 1/6 in, 10 mm.
    EXPECT_EQ(import.pieces[0].record,
              "Own 1,2x1,8.26772x11.69291,0.16667x0.3937,2.5x1,2x3,A4,CUT");
    // An alias, either way, is the same sheet under another name.
    EXPECT_EQ(import.pieces[1].product, "Own 2");
    EXPECT_EQ(import.pieces[2].piece, "Other 66 - Aliased 25.4 x 25.4 mm");
    EXPECT_EQ(import.pieces[3].product, "Own 6");
    EXPECT_EQ(import.skipped.value("round, oval or CD labels"), 1);
    EXPECT_EQ(import.skipped.value("a grid that does not fit its paper"), 1);
    EXPECT_EQ(import.skipped.value("a paper size that is not known"), 1);
    EXPECT_EQ(import.skipped.value("a file that cannot be read"), 1);
    EXPECT_EQ(import.skipped.value("a pitch smaller than its label"), 2);
    EXPECT_EQ(import.skipped.value("a file that declares entities"), 1);
    // A broken file is no template: the sentence counts what was imported, never less than 0.
    EXPECT_TRUE(LabelTemplates::summary(import).contains(": 4 imported, 0 left"))
        << LabelTemplates::summary(import).toStdString();
}

TEST(LabelTemplates, PipesUnderTemplateNamesAreNotWaitedFor) {
    QTemporaryDir dir;
    for (const char* name : {"paper-sizes.xml", "fifo-templates.xml"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QLatin1String(name))).constData(), 0600),
                  0);
    const LabelTemplates::Import import = LabelTemplates::readDirectory(dir.path());
    EXPECT_EQ(import.templates, 0);
    EXPECT_TRUE(import.pieces.empty());
}

TEST(TemplateCache, AWarmStartReadsNoXmlAndAnythingChangedOrDamagedIsReadAgain) {
    QTemporaryDir dir;
    QTemporaryDir cacheHome;
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    const auto templates = [](const char* description) {
        return QByteArray("<Glabels-templates><Template brand=\"Own\" part=\"1\" size=\"Other\" "
                          "width=\"8.5in\" height=\"11in\" _description=\"") +
               description +
               "\"><Label-rectangle width=\"2in\" height=\"1in\"><Layout nx=\"2\" ny=\"3\" "
               "x0=\"0.5in\" y0=\"0.5in\" dx=\"2.5in\" dy=\"1in\"/></Label-rectangle></Template>"
               "</Glabels-templates>";
    };
    const QString file = dir.filePath("own-templates.xml");
    const auto rewrite = [&](const char* description, bool keepTime) {
        const QDateTime time = QFileInfo(file).lastModified();
        test::writeFile(dir, "own-templates.xml", templates(description));
        if (keepTime) {
            QFile same(file);
            ASSERT_TRUE(same.open(QIODevice::ReadWrite));
            ASSERT_TRUE(same.setFileTime(time, QFileDevice::FileModificationTime));
        }
    };
    const auto description = [&](const QSet<QString>& shipped = {}) {
        const LabelTemplates::Import import = TemplateCache::read(dir.path(), shipped);
        return import.pieces.size() == 1 ? import.pieces[0].piece.section(" - ", 1)
                                         : QStringLiteral("%1 pieces").arg(import.pieces.size());
    };
    rewrite("First", false);
    EXPECT_EQ(description(), "First 50.8 x 25.4 mm");
    ASSERT_TRUE(QFileInfo::exists(TemplateCache::path()));

    // Same name, size and time: the kept import is used, the file is not read.
    rewrite("Other", true);
    EXPECT_EQ(description(), "First 50.8 x 25.4 mm");
    // A file of another time, other shipped products, a damaged or foreign cache: read again.
    rewrite("Third", false);
    EXPECT_EQ(description(), "Third 50.8 x 25.4 mm");
    EXPECT_EQ(description({"1"}), "Third 50.8 x 25.4 mm");
    for (const QByteArray& damage :
         {QByteArray(), QByteArray("MPTC\0\0\0\1", 8), QByteArray(4096, '\xff')}) {
        rewrite(damage.isEmpty() ? "Fourth" : "Fifth", false);
        QFile cache(TemplateCache::path());
        ASSERT_TRUE(cache.open(QIODevice::ReadWrite));
        const QByteArray kept = cache.readAll();
        cache.resize(0);
        cache.write(damage.isEmpty() ? kept.left(kept.size() - 3) : damage);
        cache.close();
        EXPECT_EQ(description(),
                  damage.isEmpty() ? "Fourth 50.8 x 25.4 mm" : "Fifth 50.8 x 25.4 mm");
    }
    // A cache that cannot be written costs the reading, nothing else.
    qputenv("XDG_CACHE_HOME", file.toLocal8Bit());
    EXPECT_EQ(description(), "Fifth 50.8 x 25.4 mm");
    qputenv("XDG_CACHE_HOME", previous);
}
