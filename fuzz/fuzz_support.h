#pragma once

#include "message_sink.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace tav::fuzz {

/// Messages the code under test reports are dropped: they are expected outcomes, not findings.
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&, const QString&) override {}
};

/// The process's QApplication on the offscreen platform, a quiet message sink, and a private
/// "Temp" directory, made on the first call.
inline QTemporaryDir& setUpProcess() {
    // Made once and kept for the whole run, as a program keeps its own.
    struct Process {
        QApplication* application;
        QTemporaryDir* temp;
    };
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static const Process process = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* application = new QApplication(argc, argv);
        setMessageSink(std::make_shared<QuietSink>());
        auto* temp = new QTemporaryDir();
        qputenv("Temp", QFile::encodeName(temp->path()));
        return Process{application, temp};
    }();
    return *process.temp;
}

} // namespace tav::fuzz
