// Writes every writable property of every public class by name and reads all of them back, so
// that a property wired to the wrong accessor, or a setter that changes a neighbour, shows up.

#include "qt_printers.h"
#include "tav_address_cls.h"
#include "tav_bar_code_cls.h"
#include "tav_barcode.h"
#include "tav_item.h"
#include "tav_item_cls.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"
#include "tav_port.h"
#include "tav_sheet_cls.h"
#include "temp_env.h"

#include <QImage>
#include <QLabel>
#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

using namespace tav;

namespace {

// A value of the property's type that differs from `current`.
QVariant otherValue(const QMetaProperty& property, const QVariant& current) {
    if (property.isEnumType()) {
        const QMetaEnum enumeration = property.enumerator();
        for (int k = 0; k < enumeration.keyCount(); ++k)
            if (enumeration.value(k) != current.toInt())
                return enumeration.value(k);
    }
    const QMetaType type = property.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return !current.toBool();
    case QMetaType::Float:
        return current.toFloat() + 1.5f;
    case QMetaType::Double:
        return current.toDouble() + 2.0;
    case QMetaType::Short:
        return QVariant::fromValue<qint16>(static_cast<qint16>(current.toInt() + 3));
    case QMetaType::Int:
        return current.toInt() + 2;
    case QMetaType::UInt:
        return current.toUInt() ^ 0x00123456u;
    case QMetaType::QString:
        // Flag strings ("1101...") keep their form: flip the first flag.
        if (QByteArray(property.name()).startsWith("Show"))
            return QString(current.toString())
                .replace(0, 1, current.toString().startsWith(QLatin1Char('0')) ? "1" : "0");
        // A tracking code takes its own form only.
        if (qstrcmp(property.name(), "TrackingCode") == 0)
            return current.toString().isEmpty() ? "00270123456200800001" : QString();
        return current.toString() + "ü\"|x";
    case QMetaType::QImage: {
        QImage image(2, 3, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        return image;
    }
    default:
        break;
    }
    if (type == QMetaType::fromType<std::shared_ptr<TavFont>>())
        return QVariant::fromValue(std::make_shared<TavFont>());
    if (type == QMetaType::fromType<std::shared_ptr<TavPicture>>())
        return QVariant::fromValue(std::make_shared<TavPicture>());
    if (type == QMetaType::fromType<std::shared_ptr<TavSheetCls>>())
        return QVariant::fromValue(std::make_shared<TavSheetCls>());
    if (type == QMetaType::fromType<std::shared_ptr<TavItemCls>>())
        return QVariant::fromValue(std::make_shared<TavItemCls>());
    if (type == QMetaType::fromType<std::shared_ptr<TavBarCodeCls>>())
        return QVariant::fromValue(std::make_shared<TavBarCodeCls>());
    if (type == QMetaType::fromType<std::shared_ptr<TavAddressCls>>())
        return QVariant::fromValue(std::make_shared<TavAddressCls>());
    ADD_FAILURE() << "no test value for type " << type.name();
    return {};
}

// Object-valued properties compare by identity, everything else by value.
bool same(const QVariant& a, const QVariant& b) {
    const auto isEnum = [](const QVariant& v) {
        return v.metaType().flags().testFlag(QMetaType::IsEnumeration);
    };
    if (isEnum(a) || isEnum(b))
        return a.toInt() == b.toInt();
    if (a.canConvert<QObject*>() && b.canConvert<QObject*>() && a.value<QObject*>())
        return a.value<QObject*>() == b.value<QObject*>();
    return a == b;
}

// A font's bold flag and its weight are two views of one value; a control's Design is a view
// of its whole design.
bool linked(const char* a, const char* b) {
    const QByteArray pair = QByteArray(a) + '/' + b;
    return pair == "Bold/Weight" || pair == "Weight/Bold" || qstrcmp(a, "Design") == 0 ||
           qstrcmp(b, "Design") == 0;
}

// Writes each property of `object` declared by its own class and checks all of them after each
// write.
void roundTripEveryProperty(QObject& object) {
    const QMetaObject* meta = object.metaObject();
    int written = 0;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || qstrcmp(property.name(), "Design") == 0)
            continue; // a design's own round trip is the persistence tests' business
        std::map<int, QVariant> before;
        for (int j = meta->propertyOffset(); j < meta->propertyCount(); ++j)
            before[j] = meta->property(j).read(&object);

        const QVariant value = otherValue(property, before[i]);
        // A property with a NOTIFY signal sends it when it changes.
        std::optional<QSignalSpy> notified;
        if (property.hasNotifySignal())
            notified.emplace(&object, property.notifySignal());
        ASSERT_TRUE(object.setProperty(property.name(), value))
            << meta->className() << "::" << property.name();
        ++written;
        if (notified) {
            EXPECT_GE(notified->count(), 1) << meta->className() << "::" << property.name()
                                            << " changed without its NOTIFY signal";
        }
        EXPECT_TRUE(same(object.property(property.name()), value))
            << meta->className() << "::" << property.name() << " did not read back";
        for (int j = meta->propertyOffset(); j < meta->propertyCount(); ++j) {
            const QMetaProperty other = meta->property(j);
            if (j == i || !other.isWritable()) // read-only ones are derived from others
                continue;
            if (linked(property.name(), other.name()))
                continue;
            EXPECT_TRUE(same(other.read(&object), before[j]))
                << meta->className() << "::" << property.name() << " also changed " << other.name();
        }
    }
    EXPECT_GT(written, 0) << meta->className();
}

} // namespace

TEST(PropertyRoundTrip, EveryRecordPropertyReadsBackWhatWasWrittenByName) {
    TavSheetCls sheet;
    roundTripEveryProperty(sheet);
    TavItemCls item;
    roundTripEveryProperty(item);
    TavBarCodeCls barCode;
    roundTripEveryProperty(barCode);
    TavFont font;
    roundTripEveryProperty(font);
    TavPicture picture;
    roundTripEveryProperty(picture);
    TavAddressCls address; // its read-only CurrentText follows the fields
    roundTripEveryProperty(address);
    EXPECT_TRUE(QMetaObject::invokeMethod(&address, "Clear"));
}

TEST(PropertyRoundTrip, LabelPropertiesAndMethodsAreReachableByName) {
    test::ScopedTempDirectory temp;
    TavLabel label;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(QMetaObject::invokeMethod(&label, "AddPiece"));
    label.setCurrentPiece(1);
    roundTripEveryProperty(label);

    // Record properties hand out the live object, reachable as a plain QObject.
    QObject* barCode = label.property("BarCodeProperties").value<QObject*>();
    ASSERT_EQ(barCode, label.BarCodeProperties().get());
    barCode->setProperty("Value", "62701");
    EXPECT_EQ(label.BarCodeProperties()->Value(), "62701");

    std::shared_ptr<TavBarCodeCls> copy;
    ASSERT_TRUE(QMetaObject::invokeMethod(barCode, "Copy",
                                          Q_RETURN_ARG(std::shared_ptr<tav::TavBarCodeCls>, copy)));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Value(), "62701");
    EXPECT_NE(copy.get(), barCode);

    // The store operations too; a piece comes back as a gadget with named fields.
    tav::PieceRecord piece;
    ASSERT_TRUE(QMetaObject::invokeMethod(&label, "FindPiece",
                                          Q_RETURN_ARG(tav::PieceRecord, piece), Q_ARG(qint32, 5)));
    const QVariant record = QVariant::fromValue(piece);
    const QMetaObject& meta = tav::PieceRecord::staticMetaObject;
    EXPECT_TRUE(
        meta.property(meta.indexOfProperty("Found")).readOnGadget(record.constData()).toBool());
    for (const char* method : {"ClosePieceStore", "OpenPieceStoreForReading", "CreatePieceStore"})
        EXPECT_TRUE(QMetaObject::invokeMethod(&label, method)) << method;
    ASSERT_TRUE(QMetaObject::invokeMethod(&label, "ReadPieceRecord",
                                          Q_RETURN_ARG(tav::PieceRecord, piece)));
    EXPECT_TRUE(piece.found);
}

TEST(PropertyRoundTrip, EnvelopePropertiesAreReachableByName) {
    test::ScopedTempDirectory temp;
    TavMail mail;
    roundTripEveryProperty(mail);
    // A design loaded whole tells of it too, on both controls.
    QSignalSpy envelope(&mail, &TavMail::designChanged);
    QSignalSpy label(&mail.TavLabel1(), &TavLabel::designChanged);
    mail.setDesign(mail.Design());
    mail.TavLabel1().setDesign(mail.TavLabel1().Design());
    EXPECT_EQ(envelope.count(), 1);
    EXPECT_EQ(label.count(), 1);
    EXPECT_TRUE(QMetaObject::invokeMethod(&mail, "AddPiece"));
    EXPECT_EQ(mail.TavLabel1().pieceCount(), 1);
}

TEST(PropertyRoundTrip, DrawingControlsReadBackByName) {
    TavItem item;
    roundTripEveryProperty(item);
    TavPiece piece;
    roundTripEveryProperty(piece);
    TavBarcode barcode;
    roundTripEveryProperty(barcode);
    TavPort port;
    roundTripEveryProperty(port);
    TavMetaCls meta;
    roundTripEveryProperty(meta);
}

TEST(PropertyRoundTrip, TheRecordingSurfaceDrawsByName) {
    QImage device(200, 200, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    TavMetaCls meta;
    ASSERT_TRUE(meta.CreateMetaObject(&device));
    qint32 result = -1;
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "DrawRect", Q_ARG(qint32, 15), Q_ARG(qint32, 15),
                                          Q_ARG(qint32, 300), Q_ARG(qint32, 150),
                                          Q_ARG(bool, true)));
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "DrawRect", Q_ARG(qint32, 0), Q_ARG(qint32, 0),
                                          Q_ARG(qint32, 30), Q_ARG(qint32, 30)));
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "DrawLine", Q_RETURN_ARG(qint32, result),
                                          Q_ARG(qint32, 0), Q_ARG(qint32, 0), Q_ARG(qint32, 150),
                                          Q_ARG(qint32, 150)));
    EXPECT_TRUE(QMetaObject::invokeMethod(
        &meta, "DrawText", Q_RETURN_ARG(qint32, result), Q_ARG(QString, "Ann"), Q_ARG(qint32, 30),
        Q_ARG(qint32, 30), Q_ARG(qint32, 900), Q_ARG(qint32, 300)));
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "DrawShape", Q_RETURN_ARG(qint32, result),
                                          Q_ARG(tav::TavEnumCls::Shapes, TavEnumCls::moSquare),
                                          Q_ARG(qint32, 0), Q_ARG(qint32, 0), Q_ARG(qint32, 60),
                                          Q_ARG(qint32, 60)));
    QLabel caption("Bob");
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "DrawGivenObject", Q_RETURN_ARG(qint32, result),
                                          Q_ARG(QObject*, &caption)));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(QMetaObject::invokeMethod(&meta, "GetBorderStyleAPI", Q_RETURN_ARG(qint32, result),
                                          Q_ARG(qint32, 0)));
    EXPECT_EQ(result, 5);
    EXPECT_GE(meta.recordingData().ops.size(), 6u); // each call recorded something
}
