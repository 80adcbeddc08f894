#include "data/gazetteer.h"

#include "data/paths.h"

#include <QDir>

Gazetteer Gazetteer::open(const Options& options, const QString& root) {
    return Gazetteer(options, root.isEmpty() ? QStringLiteral(".") : root);
}

QString Gazetteer::path(const QString& relative) const {
    return QDir::isAbsolutePath(relative) ? relative : root_ + u'/' + relative;
}

othernames::FileMatches Gazetteer::otherNames(const QString& recordFile, const QString& needle,
                                              othernames::Field field) const {
    return othernames::find(path(paths::indexFileFor(recordFile)), recordFile, needle, field);
}
