// Where each file of a gazetteer lies under its root, as the handlers name
// them: record files in syu/, glyph bitmaps in ji/ (glyph_name.h), the
// other-names index in betsu/. Paths are relative; Gazetteer::path() puts
// them under a root.
#pragma once

#include <QFileInfo>
#include <QString>

namespace paths {

inline const QString kRecordDir = QStringLiteral("syu");
inline const QString kGlyphDir = QStringLiteral("ji");
inline const QString kIndexDir = QStringLiteral("betsu");

// The commandery file, common to all provinces.
inline const QString kCommanderyFile = QStringLiteral("syu/州郡.txt");

// A province's county file from its stem: "司隸" -> "syu/司隸.txt".
inline QString countyFile(const QString& stem) {
    return kRecordDir + u'/' + stem + QStringLiteral(".txt");
}

// The index file of a record file: "syu/司隸.txt" -> "betsu/司隸.tsv".
inline QString indexFileFor(const QString& recordFile) {
    return kIndexDir + u'/' + QFileInfo(recordFile).completeBaseName() + QStringLiteral(".tsv");
}

}  // namespace paths
