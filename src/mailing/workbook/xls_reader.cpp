// Legacy Excel workbooks (.xls, BIFF 2 to 8) through FreeXL. FreeXL gives values, not number
// formats: a ZIP code stored as a number reads without its leading zero, which the ZIP check
// then reports.

#include "number_format.h"
#include "workbook_reader.h"

#include <QFile>

#include <freexl.h>

namespace tav {

namespace {

QString failureText(int code) {
    switch (code) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("there is not enough memory to read it");
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("no such file");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("it is an Office file but not an Excel workbook");
    default:
        return QStringLiteral("the workbook is damaged (FreeXL error %1)").arg(code);
    }
}

class XlsReader : public WorkbookReader {
public:
    XlsReader(const QString& path, const QString& shownName)
        : shownName_(shownName) {
        const int opened = freexl_open(QFile::encodeName(path).constData(), &handle_);
        if (opened != FREEXL_OK) {
            freexl_close(handle_);
            check(opened);
        }
    }
    ~XlsReader() override { freexl_close(handle_); }

    // The sheets' names, and a refusal of a workbook behind a password.
    void readNames() {
        unsigned int password = 0;
        check(freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &password));
        if (password == FREEXL_BIFF_OBFUSCATED)
            workbookFailure(shownName_, QStringLiteral("it is protected by a password"));
        unsigned int sheets = 0;
        check(freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &sheets));
        for (unsigned int k = 0; k < sheets; ++k) {
            const char* name = nullptr;
            check(freexl_get_worksheet_name(handle_, static_cast<unsigned short>(k), &name));
            names_ << QString::fromUtf8(name);
        }
    }

    QStringList sheetNames() override { return names_; }

    QString limitation() const override {
        return QStringLiteral("a legacy .xls workbook reads formulas as empty and numbers without "
                              "their formats (a ZIP code loses its leading zero); saved as "
                              ".xlsx or .ods it keeps them");
    }

    void openSheet(int index) override {
        check(freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index)));
        check(freexl_worksheet_dimensions(handle_, &rows_, &columns_));
        row_ = 0;
    }

    bool nextRow(qint64& number, QStringList& cells) override {
        for (; row_ < rows_; ++row_) {
            cells.clear();
            bool any = false;
            for (unsigned short column = 0; column < columns_; ++column) {
                cells << cellText(column);
                any = any || !cells.constLast().isEmpty();
            }
            if (any) {
                number = ++row_;
                while (!cells.isEmpty() && cells.constLast().isEmpty())
                    cells.removeLast();
                return true;
            }
        }
        return false;
    }

private:
    QString cellText(unsigned short column) {
        FreeXL_CellValue cell;
        check(freexl_get_cell_value(handle_, row_, column, &cell));
        switch (cell.type) {
        case FREEXL_CELL_INT:
            return QString::number(cell.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return formatNumber(cell.value.double_value, QString());
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            return QString::fromUtf8(cell.value.text_value);
        default:
            return {};
        }
    }

    void check(int code) const {
        if (code != FREEXL_OK)
            workbookFailure(shownName_, failureText(code));
    }

    QString shownName_;
    const void* handle_ = nullptr;
    QStringList names_;
    unsigned int rows_ = 0, row_ = 0;
    unsigned short columns_ = 0;
};

} // namespace

std::unique_ptr<WorkbookReader> openXls(const QString& path, const QString& shownName) {
    auto reader = std::make_unique<XlsReader>(path, shownName);
    reader->readNames();
    return reader;
}

} // namespace tav
