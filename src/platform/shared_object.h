#pragma once

#include <QMetaType>

#include <memory>

// Records, fonts and pictures are QObjects shared through std::shared_ptr. Declaring the smart
// pointer lets a QVariant holding one convert to QObject*, so a late-bound host can read a
// record-valued property and reach the live object behind it. Every header that declares such a
// property includes this one, so all translation units see the same declaration.
Q_DECLARE_SMART_POINTER_METATYPE(std::shared_ptr)
