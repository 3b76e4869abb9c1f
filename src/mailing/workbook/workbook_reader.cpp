#include "workbook_reader.h"

#include "tav_error.h"

namespace tav {

WorkbookReader::~WorkbookReader() = default;

void workbookFailure(const QString& shownName, const QString& why) {
    raiseError(ErrorNumber::PathFileAccess, QStringLiteral("SpreadsheetSource"),
               QStringLiteral("cannot read %1: %2").arg(shownName, why));
}

XmlPart::XmlPart(const ZipArchive& zip, const QString& name, qint64 limit)
    : zip_(zip)
    , name_(name)
    , member_(zip.member(name, limit)) {
    if (!member_)
        workbookFailure(zip.shownName(),
                        QStringLiteral("the workbook is damaged: it lacks its part %1").arg(name));
}

void XmlPart::fail(const QString& why) const {
    workbookFailure(zip_.shownName(), why);
}

bool XmlPart::feed() {
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    const qint64 got = member_->read(chunk.data(), chunk.size());
    if (member_->failed())
        fail(member_->errorString());
    if (got <= 0)
        return false;
    chunk.truncate(got);
    xml_.addData(chunk);
    unread_ += got;
    // The reader keeps a token whole until it ends: a huge one would be held whole.
    if (unread_ > kLargestToken)
        fail(QStringLiteral("its part %1 holds a value of more than %2 MB")
                 .arg(name_)
                 .arg(kLargestToken >> 20));
    return true;
}

QXmlStreamReader::TokenType XmlPart::next() {
    for (;;) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::DTD)
            fail(QStringLiteral("its part %1 declares a document type, which no workbook does")
                     .arg(name_));
        if (token != QXmlStreamReader::Invalid) {
            unread_ = 0;
            return token;
        }
        if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError || !feed())
            fail(QStringLiteral("the workbook is damaged: %1 (line %2 of its part %3)")
                     .arg(xml_.errorString())
                     .arg(xml_.lineNumber())
                     .arg(name_));
    }
}

void XmlPart::walkElement(const std::function<bool()>& onElement,
                          const std::function<void(QStringView)>& onText) {
    for (int depth = 1; depth > 0;) {
        switch (next()) {
        case QXmlStreamReader::StartElement:
            depth += onElement() ? 0 : 1;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (onText)
                onText(xml_.text());
            break;
        case QXmlStreamReader::EndDocument:
            return;
        default:
            break;
        }
    }
}

QString XmlPart::elementText() {
    QString text;
    appendElementText(text);
    return text;
}

void XmlPart::appendElementText(QString& text) {
    walkElement([] { return false; }, [&text](QStringView part) { text += part; });
}

QStringView XmlPart::attribute(QLatin1StringView name) const {
    // The values live in the reader's buffer, not in the list; a const list is not copied.
    const QXmlStreamAttributes attributes = xml_.attributes();
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.name() == name)
            return attribute.value();
    return {};
}

} // namespace tav
