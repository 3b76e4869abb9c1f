#include "message_sink.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_error.h"

#include <QCoreApplication>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace tav;

TEST(MessageSink, AReplacedSinkGetsTheMessagesAndTheDefaultComesBack) {
    MessageSink* before = &messageSink();
    {
        test::ScopedRecordingSink recording;
        QCoreApplication::setApplicationName("Host");
        showMessage("Error 317a:  component is missing");
        EXPECT_EQ(recording.sink().texts, QStringList{"Error 317a:  component is missing"});
        EXPECT_EQ(recording.sink().titles, QStringList{"Host"});
    }
    EXPECT_EQ(&messageSink(), before);

    // A failure reaches the sink as an error, in the user's words.
    {
        test::ScopedRecordingSink recording;
        try {
            raiseError(ErrorNumber::PathFileAccess, "OutputFile",
                       "cannot write out.pdf: Permission denied");
        } catch (...) {
            reportCurrentException();
        }
        EXPECT_EQ(recording.sink().texts, QStringList{"cannot write out.pdf: Permission denied"});
    }

    // A null sink restores the default rather than leaving nothing to show messages.
    auto previous = setMessageSink(nullptr);
    EXPECT_NE(dynamic_cast<DefaultMessageSink*>(&messageSink()), nullptr);
    setMessageSink(previous);
}

TEST(MessageSink, OnAConsoleAMessageNamesTheProgramOnce) {
    // Standard error goes to a file for the test's length.
    QTemporaryFile captured;
    ASSERT_TRUE(captured.open());
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(captured.handle(), STDERR_FILENO);
    DefaultMessageSink sink;
    sink.showMessage("the disk is full", "mailpiece-batch");
    sink.showMessage("mailpiece-batch: --start 40: too far", "mailpiece-batch");
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    captured.seek(0);
    EXPECT_EQ(QString::fromUtf8(captured.readAll()),
              QStringLiteral("mailpiece-batch: the disk is full\n"
                             "mailpiece-batch: --start 40: too far\n"));
}
