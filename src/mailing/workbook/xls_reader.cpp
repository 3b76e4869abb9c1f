// Legacy Excel workbooks (.xls, Excel 97 to 2003): the records of the "Workbook" stream of a
// Compound File. Read here rather than through FreeXL, which reads formulas as empty, drops
// number formats (a ZIP code's leading zero) and was made to read out of bounds by a damaged
// file within seconds of fuzzing.

#include "compound_file.h"
#include "number_format.h"
#include "workbook_reader.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <cstring>
#include <functional>
#include <map>

namespace tav {

namespace {

enum Record : quint16 {
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kFormat = 0x041E,
    kBof = 0x0809,
};

constexpr qsizetype kLargestFile = 512LL << 20;
constexpr int kLastColumn = 255; // an .xls sheet has 256 columns

// A record's data with its CONTINUE records, read across their boundaries. A text's characters
// that cross into a CONTINUE start again with an encoding byte there.
class RecordReader {
public:
    RecordReader(std::vector<QByteArrayView> parts, const std::function<void()>& damaged)
        : parts_(std::move(parts))
        , damaged_(damaged) {}

    quint8 u8() { return static_cast<quint8>(take(1)[0]); }
    quint16 u16() { return qFromLittleEndian<quint16>(take(2).data()); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4).data()); }
    double f64() {
        double value;
        const QByteArray bytes = take(8);
        std::memcpy(&value, bytes.constData(), 8);
        return value;
    }
    void skip(qint64 count) {
        for (; count > 0; count -= std::min<qint64>(count, 65536))
            take(std::min<qint64>(count, 65536));
    }
    // A string of `count` characters after its encoding byte `flags`.
    QString characters(quint32 count, quint8 flags) {
        QString text;
        while (count > 0) {
            if (at_ == part().size() && index_ + 1 < parts_.size())
                ++index_, at_ = 0, flags = u8();
            const bool wide = flags & 1;
            const qint64 fit = std::min<qint64>(count, (part().size() - at_) / (wide ? 2 : 1));
            if (fit == 0)
                damaged_();
            const QByteArray bytes = take(fit * (wide ? 2 : 1));
            text +=
                wide ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), fit)
                     : QString::fromLatin1(bytes);
            count -= static_cast<quint32>(fit);
        }
        return text;
    }
    // A string as cells and formats store it: its length (16-bit, or 8-bit when `shortLength`),
    // its encoding byte, rich-text runs and phonetic data passed over.
    QString unicodeString(bool shortLength = false) {
        const quint32 count = shortLength ? u8() : u16();
        const quint8 flags = u8();
        const quint16 runs = (flags & 0x08) ? u16() : 0;
        const quint32 extra = (flags & 0x04) ? u32() : 0;
        QString text = characters(count, flags);
        skip(4LL * runs + extra);
        return text;
    }
    bool atEnd() const { return index_ + 1 >= parts_.size() && at_ >= part().size(); }

private:
    QByteArrayView part() const { return parts_.empty() ? QByteArrayView() : parts_[index_]; }
    QByteArray take(qint64 count) {
        QByteArray out;
        while (out.size() < count) {
            if (at_ == part().size()) {
                if (index_ + 1 >= parts_.size())
                    damaged_();
                ++index_, at_ = 0;
                continue;
            }
            const qint64 fit = std::min<qint64>(count - out.size(), part().size() - at_);
            out.append(part().sliced(at_, fit));
            at_ += fit;
        }
        return out;
    }

    std::vector<QByteArrayView> parts_;
    std::function<void()> damaged_;
    std::size_t index_ = 0;
    qint64 at_ = 0;
};

// An RK number: 30 bits of a double's top or of an integer, perhaps in hundredths.
double rkValue(quint32 rk) {
    double value;
    if (rk & 2) {
        value = static_cast<double>(static_cast<qint32>(rk) >> 2);
    } else {
        const quint64 bits = static_cast<quint64>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, 8);
    }
    return (rk & 1) ? value / 100 : value;
}

class XlsReader : public WorkbookReader {
public:
    XlsReader(const QString& path, const QString& shownName)
        : shownName_(shownName) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            workbookFailure(shownName, file.errorString());
        if (file.size() > kLargestFile)
            workbookFailure(shownName, QStringLiteral("it is larger than %1 MB, more than an .xls "
                                                      "workbook holds")
                                           .arg(kLargestFile >> 20));
        const CompoundFile compound(file.readAll(), shownName);
        std::optional<QByteArray> workbook = compound.stream(QStringLiteral("Workbook"));
        if (!workbook && compound.stream(QStringLiteral("Book")))
            workbookFailure(shownName, QStringLiteral("it is an Excel 5 or 95 workbook, which is "
                                                      "not read; saved as .xlsx it is"));
        if (!workbook)
            workbookFailure(shownName, QStringLiteral("it is an Office file but not a workbook"));
        stream_ = std::move(*workbook);
        readGlobals();
    }

    QStringList sheetNames() override {
        QStringList names;
        for (const auto& [name, offset] : sheets_)
            names << name;
        return names;
    }

    void openSheet(int index) override {
        rows_.clear();
        readSheet(sheets_.at(index).second);
        next_ = rows_.begin();
    }

    bool nextRow(qint64& number, QStringList& cells) override {
        if (next_ == rows_.end())
            return false;
        number = next_->first + 1;
        cells = std::move(next_->second);
        ++next_;
        return true;
    }

private:
    [[noreturn]] void damaged() const {
        workbookFailure(shownName_, QStringLiteral("the workbook is damaged: a record ends early"));
    }

    // The record at `offset` with its CONTINUE records; `offset` moves past them.
    std::pair<quint16, RecordReader> record(qint64& offset) const {
        const auto header = [&](qint64 at) {
            if (at + 4 > stream_.size())
                damaged();
            return std::pair(qFromLittleEndian<quint16>(stream_.constData() + at),
                             qFromLittleEndian<quint16>(stream_.constData() + at + 2));
        };
        const auto [type, length] = header(offset);
        std::vector<QByteArrayView> parts;
        for (quint16 size = length;;) {
            if (offset + 4 + size > stream_.size())
                damaged();
            parts.emplace_back(stream_.constData() + offset + 4, size);
            offset += 4 + size;
            if (offset + 4 > stream_.size() || header(offset).first != kContinue ||
                (type != kSst && type != kString && type != kLabel))
                break;
            size = header(offset).second;
        }
        return {type, RecordReader(std::move(parts), [this] { damaged(); })};
    }

    void readGlobals() {
        QHash<quint16, QString> formats;
        for (qint64 offset = 0; offset < stream_.size();) {
            const bool first = offset == 0;
            auto [type, data] = record(offset);
            if (first && (type != kBof || data.u16() != 0x0600))
                workbookFailure(shownName_, QStringLiteral("it is not an Excel 97 to 2003 "
                                                           "workbook, which is not read; saved "
                                                           "as .xlsx it is"));
            if (type == kEof)
                break;
            if (type == kFilePass)
                workbookFailure(shownName_, QStringLiteral("it is protected by a password"));
            if (type == kDateMode)
                date1904_ = data.u16() == 1;
            else if (type == kFormat) {
                const quint16 id = data.u16();
                formats.insert(id, data.unicodeString());
            } else if (type == kXf) {
                data.u16();
                const quint16 id = data.u16();
                xfFormats_ << formats.value(id, builtInFormat(id));
            } else if (type == kBoundSheet) {
                const quint32 at = data.u32();
                data.u8();
                const quint8 kind = data.u8();
                const QString name = data.unicodeString(true);
                if (kind == 0) // a worksheet; charts and macro sheets hold no rows
                    sheets_.emplace_back(name, at);
            } else if (type == kSst) {
                data.u32();
                const quint32 unique = data.u32();
                for (quint32 k = 0; k < unique && !data.atEnd(); ++k)
                    strings_ << data.unicodeString();
            }
        }
    }

    QString number(double value, quint16 xf) const {
        return formatNumber(value, xf < xfFormats_.size() ? xfFormats_.at(xf) : QString(),
                            date1904_);
    }

    void put(quint16 row, quint16 column, const QString& text) {
        if (column > kLastColumn || text.isEmpty())
            return;
        QStringList& cells = rows_[row];
        while (cells.size() <= column)
            cells << QString();
        cells[column] = text;
    }

    void readSheet(qint64 offset) {
        if (offset <= 0 || offset >= stream_.size())
            damaged();
        std::optional<std::pair<quint16, quint16>> pendingText; // a formula's text follows it
        for (bool first = true; offset < stream_.size(); first = false) {
            auto [type, data] = record(offset);
            if (first && type != kBof)
                damaged();
            if (type == kEof)
                break;
            if (type == kString && pendingText) {
                put(pendingText->first, pendingText->second, data.unicodeString());
                pendingText.reset();
                continue;
            }
            if (type != kLabelSst && type != kLabel && type != kNumber && type != kRk &&
                type != kMulRk && type != kFormula && type != kBoolErr)
                continue;
            const quint16 row = data.u16(), column = data.u16();
            readCell(type, row, column, data, pendingText);
        }
    }

    void readCell(quint16 type, quint16 row, quint16 column, RecordReader& data,
                  std::optional<std::pair<quint16, quint16>>& pendingText) {
        if (type == kMulRk) {
            // Pairs of a format and a number up to the last column, which ends the record.
            for (quint16 k = column; !data.atEnd(); ++k) {
                const quint16 xf = data.u16();
                if (data.atEnd())
                    break; // that was the last column's number
                put(row, k, number(rkValue(data.u32()), xf));
            }
            return;
        }
        const quint16 xf = data.u16();
        switch (type) {
        case kLabelSst: {
            const quint32 index = data.u32();
            put(row, column,
                index < static_cast<quint32>(strings_.size()) ? strings_.at(index) : QString());
            break;
        }
        case kLabel:
            put(row, column, data.unicodeString());
            break;
        case kNumber:
            put(row, column, number(data.f64(), xf));
            break;
        case kRk:
            put(row, column, number(rkValue(data.u32()), xf));
            break;
        case kBoolErr: {
            const quint8 value = data.u8();
            put(row, column, data.u8() ? errorText(value) : value ? "TRUE" : "FALSE");
            break;
        }
        default: // a formula, by the value it had when saved
            readFormulaResult(row, column, xf, data, pendingText);
        }
    }

    void readFormulaResult(quint16 row, quint16 column, quint16 xf, RecordReader& data,
                           std::optional<std::pair<quint16, quint16>>& pendingText) {
        quint8 result[8];
        for (quint8& byte : result)
            byte = data.u8();
        if (result[6] != 0xFF || result[7] != 0xFF) {
            double value;
            std::memcpy(&value, result, 8);
            put(row, column, number(value, xf));
        } else if (result[0] == 0) {
            pendingText = std::pair(row, column);
        } else if (result[0] == 1) {
            put(row, column, result[2] ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        } else if (result[0] == 2) {
            put(row, column, errorText(result[2]));
        }
    }

    static QString errorText(quint8 code) {
        static const QHash<quint8, QString> texts = {
            {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
            {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"}};
        return texts.value(code, QStringLiteral("#N/A"));
    }

    QString shownName_;
    QByteArray stream_;
    std::vector<std::pair<QString, qint64>> sheets_; // name, offset of its first record
    QStringList strings_, xfFormats_;
    bool date1904_ = false;
    std::map<quint16, QStringList> rows_; // the open sheet's rows with a value, by row
    std::map<quint16, QStringList>::iterator next_ = rows_.end();
};

} // namespace

std::unique_ptr<WorkbookReader> openXls(const QString& path, const QString& shownName) {
    return std::make_unique<XlsReader>(path, shownName);
}

} // namespace tav
