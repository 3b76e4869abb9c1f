#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tav;

TEST(TavError, LibraryCodeIsRaisedAboveTheObjectErrorBaseWithTheGenericText) {
    const auto error = test::raisedError(
        [&] { reportError(LibraryErrorCode, "TavSheetCls:SheetMarginTop Property Let"); });
    ASSERT_TRUE(error) << "reportError returned";
    EXPECT_EQ(static_cast<quint32>(error->number()), 0x8004270Fu);
    EXPECT_EQ(error->source(), "TavSheetCls:SheetMarginTop Property Let");
    EXPECT_EQ(error->description(), "An unknown error has occurred!");
    EXPECT_STREQ(error->what(), "TavSheetCls:SheetMarginTop Property Let: An unknown error "
                                "has occurred! (error -2147211505)");
}

TEST(TavError, ClassicErrorsKeepTheirNumbersAndAddTheDetail) {
    const struct {
        qint32 number;
        const char* text;
    } cases[] = {{ErrorNumber::Overflow, "Overflow"},
                 {ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
                 {ErrorNumber::DivisionByZero, "Division by zero"},
                 {ErrorNumber::InputPastEndOfFile, "Input past end of file"}};
    for (const auto& c : cases) {
        const auto error = test::raisedError([&] { raiseError(c.number, "Here", "because"); });
        ASSERT_TRUE(error) << "raiseError returned";
        EXPECT_EQ(error->number(), c.number);
        EXPECT_EQ(error->source(), "Here");
        EXPECT_EQ(error->description(), QString::fromLatin1(c.text) + ": because");
        EXPECT_EQ(userText(*error), "because"); // what a person reads
    }
    try {
        raiseError(ErrorNumber::DivisionByZero, "Here");
    } catch (const TavError& error) {
        EXPECT_EQ(error.description(), "Division by zero");
        EXPECT_EQ(error.detail(), "Division by zero");
    }
    EXPECT_EQ(userText(std::runtime_error("disk full")), "disk full");
}
