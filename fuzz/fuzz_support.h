#pragma once

#include "mailing_source.h"
#include "message_sink.h"

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace tav::fuzz {

/// Messages the code under test reports are dropped: they are expected outcomes, not findings.
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&, const QString&) override {}
};

/// The process's QApplication on the offscreen platform, a quiet message sink, and a private
/// "Temp" directory, made on the first call and torn down in order at exit, so that leak
/// checking sees a clean end.
inline QTemporaryDir& setUpProcess() {
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
    static const bool tornDown = [] {
        std::atexit([] {
            delete process.application; // deletes the widgets the target kept, then Qt itself
            delete process.temp;
        });
        return true;
    }();
    Q_UNUSED(tornDown);
    return *process.temp;
}

/// `bytes` as a device a mailing source reads.
inline void openBytes(QBuffer& buffer, const uint8_t* data, size_t size) {
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);
}

/// Reads every row of `source`; aborts when one has other than the header's number of fields
/// or a number not past the previous row's.
inline void checkRows(MailingSource& source) {
    MailingRow row;
    qint64 number = 0;
    while (source.next(row)) {
        if (row.fields.size() != source.header().size() || row.number <= number)
            std::abort();
        number = row.number;
    }
}

} // namespace tav::fuzz
