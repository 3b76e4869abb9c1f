#include "message_sink.h"
#include "qt_printers.h"
#include "recording_message_sink.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace tav;

TEST(MessageSink, AReplacedSinkGetsTheMessagesAndTheDefaultComesBack) {
    MessageSink* before = &messageSink();
    {
        test::ScopedRecordingSink recording;
        QCoreApplication::setApplicationName(QStringLiteral("Host"));
        showMessage(QStringLiteral("Error 317a:  component is missing"));
        EXPECT_EQ(recording.sink().texts,
                  QStringList{QStringLiteral("Error 317a:  component is missing")});
        EXPECT_EQ(recording.sink().titles, QStringList{QStringLiteral("Host")});
    }
    EXPECT_EQ(&messageSink(), before);

    // A null sink restores the default rather than leaving nothing to show messages.
    auto previous = setMessageSink(nullptr);
    EXPECT_NE(dynamic_cast<DefaultMessageSink*>(&messageSink()), nullptr);
    setMessageSink(previous);
}
