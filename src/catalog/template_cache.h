#pragma once

#include "label_templates.h"
#include "mailpiece_export.h"

#include <QSet>
#include <QString>

/// The template library as read before, kept on disk so that a program starting again reads no
/// XML: one file under $XDG_CACHE_HOME/mailpiece/ (~/.cache when unset), valid while the
/// library's files (names, sizes, times) and the shipped catalogue's products stay the same.
namespace tav::TemplateCache {

/// The cache file.
MAILPIECE_EXPORT QString path();

/// What LabelTemplates::readDirectory(directory, shippedNumbers) gives: from the cache when it
/// holds that, else read from the XML and kept in the cache. A cache that is missing, damaged,
/// stale or cannot be written only costs the reading.
MAILPIECE_EXPORT LabelTemplates::Import read(const QString& directory,
                                             const QSet<QString>& shippedNumbers);

} // namespace tav::TemplateCache
