#include "cfg_lib.h"
#include "modal.h"
#include "piece_select.h"
#include "program_run.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

const QByteArray kCatalog =
    "[Laser/InkJet Products]\n"
    "product(1)=Labels, with a note\n"
    "product(2)=Envelopes\n"
    "product(3)=Coming Soon\n"
    "[Dot Matrix Products]\n"
    "product(1)=Forms\n"
    "[Labels]\n"
    "Piece(1)=5160 - Address\n"
    "Piece(2)=5161 - Address\n"
    "Piece(3)=Roll - Address\n"
    "[Envelopes]\n"
    "Piece(1)=Size 10 - Envelope\n"
    "[Forms]\n"
    "Piece(1)=Cont 1 - Label\n"
    "[Details]\n"
    "5160 - Address=Labels,2.625x1,8.5x11,0.1875x0.5,2.75x1,3x10,Letter,CUT\n"
    "5161 - Address=Labels,4x1,8.5x11,0.15625x0.5,4.1875x1,2x10,Letter,CUT\n"
    "Roll - Address=Labels,1.1x3.5,1.1x3.5,0x0,1.1x3.5,1x1,Other,ROLL,90\n"
    "Size 10 - Envelope=Envelopes,9.5x4.125,9.5x4.125,0x0,9.5x4.125,1x1,"
    "Envelope #10,CUT\n"
    "Cont 1 - Label=Forms,3.5x0.9375,4x11,0.25x0.03125,3.5x1,1x11,"
    "Continuous,cont\n";

class PieceSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(dir, QString::fromLatin1(CfgLib::CatalogFileName), kCatalog);
    }

    // Opens the dialog on `name`, runs `action` in it, and returns the result and the name.
    std::pair<bool, QString> select(QString name,
                                    const std::function<void(PieceSelectForm&)>& action) {
        bool result = false;
        EXPECT_TRUE(
            test::whileModal<PieceSelectForm>([&] { result = ShowPieceSelect(name); }, action));
        return {result, name};
    }

    template <typename T> static T* child(QWidget& form, const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void press(QWidget& form, const char* button) {
        QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
    }
    static QStringList listed(QWidget& form) {
        QStringList texts;
        auto* list = child<QListWidget>(form, "piece_lst");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    QTemporaryDir dir;
    test::ScopedCatalog catalog{dir.path().toLocal8Bit()};
    test::ScopedRecordingSink messages;
};

} // namespace

TEST_F(PieceSelectTest, PreselectsThePieceItsProductAndPaperKind) {
    const auto [ok, name] = select("Size 10 - Envelope", [](PieceSelectForm& form) {
        EXPECT_EQ(form.windowTitle(), "Piece Selection");
        EXPECT_TRUE(child<QRadioButton>(form, "paper_opt1")->isChecked());
        EXPECT_EQ(child<QComboBox>(form, "product_cbo")->currentText(), "Envelopes");
        EXPECT_EQ(child<QListWidget>(form, "piece_lst")->currentItem()->text(),
                  "Size 10 - Envelope");
        EXPECT_EQ(child<QLabel>(form, "type_txt")->text(), "Envelope");
        EXPECT_EQ(child<QLabel>(form, "size_txt")->text(), "9.5x4.125");
        EXPECT_EQ(child<QLabel>(form, "layout_txt")->text(), "1x1");
        EXPECT_EQ(child<QLabel>(form, "page_size_txt")->text(), "Envelope #10");
        EXPECT_TRUE(child<QPushButton>(form, "new_piece_btn")->isEnabled());
        press(form, "ok_btn");
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(name, "Size 10 - Envelope");
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(PieceSelectTest, ContinuousRecordsSelectTheSecondPaperKindAndCaseIsIgnored) {
    select("  cont 1 - LABEL ", [](PieceSelectForm& form) {
        EXPECT_TRUE(child<QRadioButton>(form, "paper_opt2")->isChecked());
        EXPECT_EQ(child<QComboBox>(form, "product_cbo")->currentText(), "Forms");
        EXPECT_EQ(child<QListWidget>(form, "piece_lst")->currentRow(), 0);
        press(form, "cancel_btn");
    });
}

TEST_F(PieceSelectTest, ChoosingAnotherPaperKindProductAndPieceWithTheMouseAndKeys) {
    const auto [ok, name] = select("5160 - Address", [](PieceSelectForm& form) {
        // A paper kind refills both lists but keeps the chosen piece.
        QTest::mouseClick(child<QRadioButton>(form, "paper_opt2"), Qt::LeftButton);
        EXPECT_EQ(child<QComboBox>(form, "product_cbo")->currentText(), "Forms");
        EXPECT_EQ(listed(form), QStringList{"Cont 1 - Label"});
        EXPECT_EQ(form.pieceName(), "5160 - Address");

        QTest::mouseClick(child<QRadioButton>(form, "paper_opt1"), Qt::LeftButton);
        auto* products = child<QComboBox>(form, "product_cbo");
        products->setFocus();
        QTest::keyClick(products, Qt::Key_Down); // Labels -> Envelopes
        EXPECT_EQ(listed(form), QStringList{"Size 10 - Envelope"});
        EXPECT_EQ(form.pieceName(), "Size 10 - Envelope");

        QTest::keyClick(products, Qt::Key_Up); // back to Labels
        auto* pieces = child<QListWidget>(form, "piece_lst");
        const QRect second = pieces->visualItemRect(pieces->item(1));
        QTest::mouseClick(pieces->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(form.pieceName(), "5161 - Address");
        EXPECT_EQ(child<QLabel>(form, "layout_txt")->text(), "2x10");
        QTest::keyClick(&form, Qt::Key_K, Qt::AltModifier); // "O&k"
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(name, "5161 - Address");
}

TEST_F(PieceSelectTest, CancelAndAnEmptyName) {
    const auto cancelled = select("5160 - Address", [](PieceSelectForm& form) {
        QTest::mouseClick(child<QRadioButton>(form, "paper_opt2"), Qt::LeftButton);
        press(form, "cancel_btn");
    });
    EXPECT_FALSE(cancelled.first);
    EXPECT_EQ(cancelled.second, "5160 - Address");

    // With no piece named, none is chosen (OK gives no name); the details show the highlighted
    // one. A product without pieces is listed, and choosing it lists none.
    const auto empty = select(QString(), [](PieceSelectForm& form) {
        EXPECT_TRUE(child<QRadioButton>(form, "paper_opt1")->isChecked());
        auto* products = child<QComboBox>(form, "product_cbo");
        EXPECT_EQ(products->count(), 3);
        EXPECT_EQ(listed(form),
                  (QStringList{"5160 - Address", "5161 - Address", "Roll - Address"}));
        EXPECT_EQ(form.pieceName(), QString());
        EXPECT_EQ(child<QLabel>(form, "size_txt")->text(), "2.625x1");
        EXPECT_EQ(child<QLabel>(form, "layout_txt")->text(), "3x10");
        products->setCurrentIndex(2);
        EXPECT_TRUE(listed(form).isEmpty());
        EXPECT_EQ(form.pieceName(), QString());
        press(form, "ok_btn");
    });
    EXPECT_TRUE(empty.first);
    EXPECT_EQ(empty.second, QString());
}

TEST_F(PieceSelectTest, DetailsShowTheWholeDefinitionReadOnly) {
    select("5160 - Address", [](PieceSelectForm& form) {
        bool shown = test::whileModal<QDialog>(
            [&] { press(form, "details_btn"); },
            [](QDialog& details) {
                EXPECT_EQ(details.objectName(), "PieceDetails");
                QStringList texts;
                for (QLabel* label : details.findChildren<QLabel*>())
                    texts << label->text();
                for (const char* expected :
                     {"Labels", "2.625 × 1 in", "8.5 × 11 in", "0.1875 × 0.5 in", "2.75 × 1 in",
                      "3 × 10", "Letter", "Cut sheets"})
                    EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
                EXPECT_NE(details.findChild<QWidget*>("sheet_drawing"), nullptr);
                EXPECT_LT(details.width(), 1000); // fits a small screen, long texts wrapped
                details.reject();
            });
        EXPECT_TRUE(shown);
        press(form, "cancel_btn");
    });
}

TEST_F(PieceSelectTest, AMissingCatalogueIsReportedAndListsNothing) {
    QFile::remove(dir.filePath(QString::fromLatin1(CfgLib::CatalogFileName)));
    select("5160 - Address", [](PieceSelectForm& form) {
        EXPECT_EQ(child<QComboBox>(form, "product_cbo")->count(), 0);
        EXPECT_EQ(child<QLabel>(form, "type_txt")->text(), "Address");
        press(form, "cancel_btn");
    });
    EXPECT_EQ(messages.sink().texts.size(), 3);
}

TEST_F(PieceSelectTest, TheLabelControlAppliesOnlyAConfirmedNewPiece) {
    test::ScopedTempDirectory temp;
    TavLabel label;
    label.setPieceName("5160 - Address");
    label.SheetProperties()->setStartingPiece(7);
    label.SheetProperties()->setNumDown(4); // a change the definition would undo

    bool changed = true;
    test::whileModal<PieceSelectForm>([&] { changed = label.PieceSelectDialogShow(); },
                                      [](PieceSelectForm& form) { press(form, "ok_btn"); });
    EXPECT_TRUE(changed);
    EXPECT_EQ(label.SheetProperties()->NumDown(), 4); // the same name is not applied again

    test::whileModal<PieceSelectForm>([&] { changed = label.PieceSelectDialogShow(); },
                                      [](PieceSelectForm& form) {
                                          auto* pieces = child<QListWidget>(form, "piece_lst");
                                          pieces->setCurrentRow(1);
                                          press(form, "cancel_btn");
                                      });
    EXPECT_FALSE(changed);
    EXPECT_EQ(label.PieceName(), "5160 - Address");

    test::whileModal<PieceSelectForm>([&] { changed = label.PieceSelectDialogShow(); },
                                      [](PieceSelectForm& form) {
                                          auto* pieces = child<QListWidget>(form, "piece_lst");
                                          QTest::mouseClick(
                                              pieces->viewport(), Qt::LeftButton, {},
                                              pieces->visualItemRect(pieces->item(1)).center());
                                          press(form, "ok_btn");
                                      });
    EXPECT_TRUE(changed);
    EXPECT_EQ(label.PieceName(), "5161 - Address");
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 2);
    EXPECT_EQ(label.SheetProperties()->NumDown(), 10);

    // A roll label comes turned; the box takes the turn back, and shows it when opened again.
    for (const bool untick : {true, false})
        test::whileModal<PieceSelectForm>(
            [&] { label.PieceSelectDialogShow(); },
            [untick](PieceSelectForm& form) {
                child<QListWidget>(form, "piece_lst")->setCurrentRow(2);
                auto* turned = child<QCheckBox>(form, "turned_chk");
                EXPECT_EQ(turned->isChecked(), untick);
                if (untick)
                    QTest::mouseClick(turned, Qt::LeftButton, {}, QPoint(4, turned->height() / 2));
                press(form, "ok_btn");
            });
    EXPECT_EQ(label.SheetProperties()->PieceRotation(), 0);
    EXPECT_FLOAT_EQ(label.SheetProperties()->PieceWidth(), 1.1f);
    EXPECT_EQ(CfgLib::CatalogPaperType("Roll - Address"), CfgLib::RollPaperType);
}

TEST_F(PieceSelectTest, ADamagedPieceChosenWithTheSelectButtonIsReportedAndNotApplied) {
    QByteArray catalogue = kCatalog;
    catalogue.replace("Piece(2)=5161 - Address\n", "Piece(2)=5161 - Address\nPiece(3)=Broken\n");
    catalogue.append("Broken=Labels,2x1,8.5x11,0x0,2x1,3x99999,Letter,CUT\n");
    QFile file(dir.filePath(QString::fromLatin1(CfgLib::CatalogFileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(catalogue);
    file.close();
    test::ScopedTempDirectory temp;
    TavLabel label;
    label.setPieceName("5160 - Address");
    label.resize(600, 400);
    label.show();

    // The button's slot reports what choosing raised: a count that does not fit 16 bits.
    test::whileModal<PieceSelectForm>(
        [&] { QTest::mouseClick(label.findChild<QPushButton*>("NavSelect"), Qt::LeftButton); },
        [](PieceSelectForm& form) {
            child<QListWidget>(form, "piece_lst")->setCurrentRow(2);
            press(form, "ok_btn");
        });
    ASSERT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(messages.sink().texts.at(0).contains(QLatin1String("99999")))
        << messages.sink().texts.at(0).toStdString();
    EXPECT_EQ(label.PieceName(), "5160 - Address");
    EXPECT_EQ(label.SheetProperties()->NumDown(), 10);

    // Still usable: another piece is chosen and applied.
    test::whileModal<PieceSelectForm>([&] { label.PieceSelectDialogShow(); },
                                      [](PieceSelectForm& form) {
                                          child<QListWidget>(form, "piece_lst")->setCurrentRow(1);
                                          press(form, "ok_btn");
                                      });
    EXPECT_EQ(label.PieceName(), "5161 - Address");
}

TEST_F(PieceSelectTest, TheFindFieldNarrowsProductsAndPiecesAndShowsTheProduct) {
    select("5160 - Address", [](PieceSelectForm& form) {
        EXPECT_EQ(child<QLabel>(form, "product_txt")->text(), "Labels");
        auto* find = child<QLineEdit>(form, "filter_txt");
        QTest::keyClicks(find, "5161");
        auto* products = child<QComboBox>(form, "product_cbo");
        ASSERT_EQ(products->count(), 1);
        EXPECT_EQ(products->currentText(), "Labels");
        EXPECT_EQ(listed(form), QStringList{"5161 - Address"});
        EXPECT_EQ(form.pieceName(), "5161 - Address"); // Enter takes it
        EXPECT_EQ(child<QLabel>(form, "size_txt")->text(), "4x1");
        // Words match anywhere, in any case; no match lists nothing.
        find->setText("cont LABEL");
        EXPECT_EQ(products->count(), 0); // continuous forms are another paper kind
        find->setText("nothing like it");
        EXPECT_EQ(products->count(), 0);
        EXPECT_TRUE(listed(form).isEmpty());
        find->clear();
        EXPECT_GT(products->count(), 1);
        press(form, "cancel_btn");
    });
}
