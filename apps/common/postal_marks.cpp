#include "postal_marks.h"

#include "postal_style.h"
#include "printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QStringList>

namespace mailpiece {

namespace {

constexpr float kClearSpace = 0.25f;  // inches around an endorsement
constexpr double kLineSpacing = 1.25; // line height over font size, as the address layout's

float lineHeight(double points) {
    return static_cast<float>(points * kLineSpacing / 72.0);
}

// `item` shows `text` in one line of plain text of `points` at (left, top), `width` wide.
void showLine(tav::TavItemCls& item, const QString& text, double points, float left, float top,
              float width) {
    tav::setPlainText(item, points);
    item.setTextControl(text);
    item.setVisible(true);
    item.setLeft1(left);
    item.setTop(top);
    item.setWidth(width);
    item.setHeight(lineHeight(points));
}

} // namespace

QString endorsementText(const QString& asked) {
    static const QStringList keywords = {QStringLiteral("ELECTRONIC"), QStringLiteral("ADDRESS"),
                                         QStringLiteral("RETURN"), QStringLiteral("CHANGE"),
                                         QStringLiteral("FORWARDING")};
    const QString text = asked.simplified().toUpper();
    for (const QString& keyword : keywords)
        if (text == keyword + QStringLiteral(" SERVICE REQUESTED"))
            return text;
    throw tav::TavError(
        tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
        QStringLiteral("--endorsement \"%1\": the post office knows \"Electronic\", "
                       "\"Address\", \"Return\", \"Change\" and \"Forwarding "
                       "Service Requested\"")
            .arg(asked));
}

void placeEndorsement(tav::TavLabel& label, const QString& endorsement) {
    tav::TavItemCls& block = *label.Item1Properties();
    const double points = std::max(block.font()->Size(), tav::PostalStyle::MinimumPoints);
    const float taken = lineHeight(points) + kClearSpace;
    const qsizetype lines = block.TextControl().count(QStringLiteral("\r\n")) + 1;
    const float needed = lineHeight(tav::PostalStyle::MinimumPoints) * static_cast<float>(lines);
    if (block.Height() - taken < needed)
        throw tav::TavError(
            tav::ErrorNumber::InvalidPropertyValue, QStringLiteral("mailpiece-batch"),
            QStringLiteral("--endorsement: the label has no room for the endorsement with 1/4 "
                           "inch clear below it and %1 lines of the address at 8 pt under it; "
                           "choose taller labels, or print it on envelopes (--envelope)")
                .arg(lines));
    showLine(*label.Item7Properties(), endorsement, points, block.Left1(), block.Top(),
             block.Width());
    block.setTop(block.Top() + taken);
    block.setHeight(block.Height() - taken);
}

void placeEndorsement(tav::TavMail& mail, const QString& endorsement) {
    const tav::TavItemCls& from = *mail.ReturnAddress();
    if (!from.Visible())
        throw tav::TavError(tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
                            QStringLiteral("--endorsement: the post office returns or reports "
                                           "to a return address; give one (--return-address)"));
    const double points = std::max(from.font()->Size(), tav::PostalStyle::MinimumPoints);
    // Under the return address's last line, not under its box, which may be taller.
    const qsizetype lines = from.TextControl().count(QStringLiteral("\r\n")) + 1;
    const float bottom =
        std::min(from.Top() + from.Height(),
                 from.Top() + lineHeight(from.font()->Size()) * static_cast<float>(lines));
    showLine(*mail.TavLabel1().itemProperties(3), endorsement, points, from.Left1(),
             bottom + kClearSpace, from.Width());
}

} // namespace mailpiece
