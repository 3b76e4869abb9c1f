#include "store_line.h"

#include <QStringDecoder>

namespace tav {

namespace {

void appendQuoted(QByteArray& out, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    out.append('"');
    if (utf8.contains('"')) {
        for (const char c : utf8) {
            if (c == '"')
                out.append('"');
            out.append(c);
        }
    } else {
        out.append(utf8);
    }
    out.append('"');
}

} // namespace

void appendStoreLine(QByteArray& out, const QString& first, const QString& second,
                     const QString& third) {
    appendQuoted(out, first);
    out.append(',');
    appendQuoted(out, second);
    out.append(',');
    appendQuoted(out, third);
    out.append("\r\n", 2);
}

StoreFieldReader::StoreFieldReader(Window window, Advance advance)
    : window_(std::move(window))
    , advance_(std::move(advance)) {
}

int StoreFieldReader::peek() const {
    const QByteArrayView bytes = window_();
    return bytes.isEmpty() ? -1 : static_cast<unsigned char>(bytes.front());
}

QString StoreFieldReader::readField() {
    while (peek() == ' ' || peek() == '\t')
        advance_(1);

    QByteArray bytes;
    if (peek() == '"') {
        advance_(1);
        // Up to the closing quote, a window at a time; a doubled quote stands for one.
        for (QByteArrayView window = window_(); !window.isEmpty(); window = window_()) {
            const qsizetype quote = window.indexOf('"');
            if (quote < 0) {
                bytes.append(window);
                advance_(window.size());
                continue;
            }
            bytes.append(window.first(quote));
            advance_(quote + 1);
            if (peek() != '"')
                break;
            bytes.append('"');
            advance_(1);
        }
        skipToSeparator();
    } else {
        for (int c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek()) {
            bytes.append(static_cast<char>(c));
            advance_(1);
        }
        while (bytes.endsWith(' ') || bytes.endsWith('\t'))
            bytes.chop(1);
    }
    skipSeparator();
    // fromUtf8 would drop a leading U+FEFF as a byte-order mark; a value keeps every character.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(bytes);
}

void StoreFieldReader::skipToSeparator() {
    for (int c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek())
        advance_(1);
}

void StoreFieldReader::skipSeparator() {
    const int c = peek();
    if (c == ',' || c == '\n') {
        advance_(1);
    } else if (c == '\r') {
        advance_(1);
        if (peek() == '\n')
            advance_(1);
    }
}

} // namespace tav
