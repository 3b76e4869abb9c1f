#include "recording_message_sink.h"

namespace tav::test {

void RecordingMessageSink::showMessage(const QString& text, const QString& title) {
    texts.append(text);
    titles.append(title);
}

ScopedRecordingSink::ScopedRecordingSink()
    : sink_(std::make_shared<RecordingMessageSink>())
    , previous_(setMessageSink(sink_)) {
}

ScopedRecordingSink::~ScopedRecordingSink() {
    setMessageSink(previous_);
}

} // namespace tav::test
