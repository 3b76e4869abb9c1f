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

StoreFieldReader::StoreFieldReader(Peek peek, Advance advance)
    : peek_(std::move(peek))
    , advance_(std::move(advance)) {
}

QString StoreFieldReader::readField() {
    while (peek_() == ' ' || peek_() == '\t')
        advance_();

    QByteArray bytes;
    if (peek_() == '"') {
        advance_();
        for (int c = peek_(); c >= 0; c = peek_()) {
            advance_();
            if (c == '"') {
                if (peek_() != '"')
                    break;
                advance_();
            }
            bytes.append(static_cast<char>(c));
        }
        skipToSeparator();
    } else {
        for (int c = peek_(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek_()) {
            bytes.append(static_cast<char>(c));
            advance_();
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
    for (int c = peek_(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek_())
        advance_();
}

void StoreFieldReader::skipSeparator() {
    const int c = peek_();
    if (c == ',' || c == '\n') {
        advance_();
    } else if (c == '\r') {
        advance_();
        if (peek_() == '\n')
            advance_();
    }
}

} // namespace tav
