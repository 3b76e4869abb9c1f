#pragma once

#include "zip_archive.h"

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

namespace tav {

/// A workbook's sheets, read a row at a time whatever the file format.
class WorkbookReader {
public:
    virtual ~WorkbookReader();
    /// The sheets' names in the workbook's order.
    virtual QStringList sheetNames() = 0;
    /// Starts reading the sheet at `index` (from 0) at its first row.
    virtual void openSheet(int index) = 0;
    /// The next row holding a value: its number (from 1) and its cells by column (from 0), the
    /// missing ones empty; false after the last.
    virtual bool nextRow(qint64& number, QStringList& cells) = 0;
};

/// The readers of each kind; each raises error 75 naming `shownName` for a damaged file.
std::unique_ptr<WorkbookReader> openXlsx(const QString& path, const QString& shownName);
std::unique_ptr<WorkbookReader> openOds(const QString& path, const QString& shownName);
std::unique_ptr<WorkbookReader> openXls(const QString& path, const QString& shownName);

/// Raises error 75: `shownName` cannot be read, and why.
[[noreturn]] void workbookFailure(const QString& shownName, const QString& why);

/// Bounds that keep a hostile workbook from taking unbounded memory or time.
inline constexpr int kLargestColumnCount = 16384;       // column XFD, the formats' own limit
inline constexpr qint64 kLargestPart = 1LL << 30;       // bytes a streamed part may unpack to
inline constexpr qint64 kLargestHeldPart = 128LL << 20; // bytes of a part held in memory
// Bytes of one tag or text: a cell holds 32,767 characters at most.
inline constexpr qint64 kLargestToken = 16LL << 20;

/// One XML part of a zipped workbook, read as a stream fed a chunk at a time. Damaged XML, a
/// document type declaration (no workbook has one; entities stay out), a tag or text longer
/// than kLargestToken and a part past its bound raise error 75 naming the workbook.
class XmlPart {
public:
    /// Raises error 75 when the part is missing.
    XmlPart(const ZipArchive& zip, const QString& name, qint64 limit);
    /// The next token, never an error or a document type.
    QXmlStreamReader::TokenType next();
    /// Reads to the end of the element just started. `onElement` is called at each element
    /// started inside it, at any depth, and either reads that element whole (true) or lets the
    /// walk go into it (false); `onText`, when given, gets the text met on the way.
    void walkElement(const std::function<bool()>& onElement,
                     const std::function<void(QStringView)>& onText = {});
    /// The text inside the element just started, its children's included; ends on its end.
    QString elementText();
    /// The same appended to `text`.
    void appendElementText(QString& text);
    /// The reader, positioned on the token next() returned.
    const QXmlStreamReader& xml() const { return xml_; }
    /// An attribute of the element just started, by local name whatever its prefix; valid until
    /// the next token.
    QStringView attribute(QLatin1StringView name) const;

private:
    const ZipArchive& zip_;
    QString name_;
    // Feeds the reader the next chunk; false at the part's end.
    bool feed();
    [[noreturn]] void fail(const QString& why) const;

    std::unique_ptr<ZipMember> member_;
    QXmlStreamReader xml_;
    qint64 unread_ = 0; // bytes fed since the last token came out
};

} // namespace tav
