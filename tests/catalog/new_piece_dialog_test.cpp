// "New Piece": a product of the user's own, refused while its grid does not fit, saved to the
// user's catalogue and chosen at once.

#include "catalogue.h"
#include "cfg_lib.h"
#include "length_box.h"
#include "modal.h"
#include "new_piece_dialog.h"
#include "piece_select.h"
#include "qt_printers.h"
#include "temp_env.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class NewPiece : public ::testing::Test {
protected:
    template <typename T> static T* child(QWidget& form, const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedConfigHome config;
};

} // namespace

TEST_F(NewPiece, AGridThatDoesNotFitOrOverlapsCannotBeSaved) {
    NewPieceDialog dialog;
    auto* save = child<QPushButton>(dialog, "save_btn");
    EXPECT_FALSE(save->isEnabled()); // no piece name yet
    child<QLineEdit>(dialog, "piece_txt")->setText("Jar 2-5/8 x 1");
    EXPECT_TRUE(dialog.problem().isEmpty()) << dialog.problem().toStdString();
    EXPECT_TRUE(save->isEnabled());

    child<QSpinBox>(dialog, "across")->setValue(4);
    EXPECT_TRUE(dialog.problem().contains("4 labels across do not fit"));
    EXPECT_EQ(child<QLabel>(dialog, "message_lbl")->text(), dialog.problem());
    EXPECT_FALSE(save->isEnabled());
    child<QSpinBox>(dialog, "across")->setValue(3);
    child<QDoubleSpinBox>(dialog, "pitch_down")->setValue(0.5);
    EXPECT_TRUE(dialog.problem().contains("overlap"));
    child<QDoubleSpinBox>(dialog, "pitch_down")->setValue(1);
    child<QSpinBox>(dialog, "down")->setValue(11);
    EXPECT_TRUE(dialog.problem().contains("11 labels down do not fit"));

    // A4 turned to landscape: the paper's sides swap.
    child<QComboBox>(dialog, "paper_cbo")->setCurrentIndex(2);
    child<QComboBox>(dialog, "orientation_cbo")->setCurrentIndex(1);
    EXPECT_NEAR(dialog.geometry().sheetWidth, 297 / 25.4, 0.001);
    EXPECT_NEAR(dialog.geometry().sheetHeight, 210 / 25.4, 0.001);
}

TEST_F(NewPiece, ASavedPieceIsInTheUserCatalogueAndChosenAtOnce) {
    QString chosen = "5160 - Address";
    bool accepted = false;
    test::whileModal<PieceSelectForm>(
        [&] { accepted = ShowPieceSelect(chosen); },
        [this](PieceSelectForm& select) {
            test::whileModal<NewPieceDialog>(
                [&] {
                    QTest::mouseClick(child<QPushButton>(select, "new_piece_btn"), Qt::LeftButton);
                },
                [](NewPieceDialog& define) {
                    child<QLineEdit>(define, "product_txt")->setText("Pantry");
                    child<QLineEdit>(define, "piece_txt")->setText("Jar 3 x 2");
                    child<QDoubleSpinBox>(define, "width")->setValue(3);
                    child<QDoubleSpinBox>(define, "height")->setValue(2);
                    child<QSpinBox>(define, "across")->setValue(2);
                    child<QSpinBox>(define, "down")->setValue(4);
                    child<QDoubleSpinBox>(define, "margin_left")->setValue(1);
                    child<QDoubleSpinBox>(define, "pitch_across")->setValue(3.5);
                    child<QDoubleSpinBox>(define, "pitch_down")->setValue(2.5);
                    child<QCheckBox>(define, "roll_chk")->setChecked(true);
                    child<QCheckBox>(define, "turned_chk")->setChecked(true);
                    QTest::mouseClick(child<QPushButton>(define, "save_btn"), Qt::LeftButton);
                });
            EXPECT_EQ(child<QLabel>(select, "piece_txt")->text(), "Jar 3 x 2");
            EXPECT_TRUE(child<QCheckBox>(select, "turned_chk")->isChecked());
            EXPECT_EQ(child<QComboBox>(select, "product_cbo")->currentText(), "Pantry");
            QTest::mouseClick(child<QPushButton>(select, "ok_btn"), Qt::LeftButton);
        });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(chosen, "Jar 3 x 2");
    EXPECT_EQ(CfgLib::CatalogRecord(chosen),
              "Pantry,3x2,8.5x11,1x0.5,3.5x2.5,2x4,Letter 8-1/2 x 11,ROLL,90");
    EXPECT_TRUE(QFile::exists(Catalogue::userPath()));
}

TEST_F(NewPiece, LengthsAreInMillimetresOrInchesAndAUnitTypedIsTaken) {
    using Unit = LengthBox::Unit;
    const struct {
        const char* text;
        Unit shown;
        double inches; // < 0: not a length (yet)
    } cases[] = {{"63.5 mm", Unit::Inches, 2.5},
                 {"6.35cm", Unit::Inches, 2.5},
                 {"2.5 in", Unit::Millimetres, 2.5},
                 {"2.5\"", Unit::Millimetres, 2.5},
                 {"2,5 inches", Unit::Millimetres, 2.5},
                 {"63.5", Unit::Millimetres, 2.5},
                 {"2.5", Unit::Inches, 2.5},
                 {"63.5 m", Unit::Inches, -1},
                 {"2 i", Unit::Inches, -1},
                 {"abc", Unit::Inches, -1},
                 {"", Unit::Inches, -1}};
    for (const auto& c : cases) {
        const std::optional<double> inches =
            LengthBox::parseInches(QString::fromUtf8(c.text), c.shown);
        EXPECT_EQ(inches.has_value(), c.inches >= 0) << c.text;
        if (inches && c.inches >= 0) {
            EXPECT_NEAR(*inches, c.inches, 1e-9) << c.text;
        }
    }

    // Typed into the dialog: a millimetre length in an inch field is not read as inches.
    NewPieceDialog dialog;
    auto* width = child<LengthBox>(dialog, "width");
    width->selectAll();
    QTest::keyClicks(width, "63.5 mm");
    width->interpretText();
    EXPECT_NEAR(dialog.geometry().pieceWidth, 2.5, 1e-6);
    // A4 is measured in millimetres; the lengths stay what they were.
    child<QComboBox>(dialog, "paper_cbo")->setCurrentIndex(2);
    EXPECT_EQ(width->unit(), Unit::Millimetres);
    EXPECT_EQ(width->text(), "63.5 mm");
    EXPECT_NEAR(dialog.geometry().sheetWidth, 210 / 25.4, 1e-6);
    EXPECT_NEAR(dialog.geometry().pieceWidth, 2.5, 1e-6);
}
