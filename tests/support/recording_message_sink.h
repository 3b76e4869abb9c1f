#pragma once

#include "message_sink.h"

#include <QStringList>

namespace tav::test {

/// Keeps every message instead of showing it.
class RecordingMessageSink : public MessageSink {
public:
    void showMessage(const QString& text, const QString& title) override;

    QStringList texts;
    QStringList titles;
};

/// Installs a RecordingMessageSink for the lifetime of the guard.
class ScopedRecordingSink {
public:
    ScopedRecordingSink();
    ~ScopedRecordingSink();
    RecordingMessageSink& sink() { return *sink_; }

private:
    std::shared_ptr<RecordingMessageSink> sink_;
    std::shared_ptr<MessageSink> previous_;
};

} // namespace tav::test
