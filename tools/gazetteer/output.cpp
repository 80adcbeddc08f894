#include "output.h"

#include "build.h"
#include "glyph_render.h"

#include "data/bitmap_file.h"
#include "data/gazetteer.h"
#include "data/glyph_name.h"
#include "data/paths.h"
#include "data/provinces.h"
#include "data/record_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gazetteer {
namespace {

bool writeAll(const Compiled& c, const QString& dir, QString* error) {
    QDir root(dir);
    if (!root.mkpath(paths::kRecordDir) || !root.mkpath(paths::kGlyphDir) ||
        !root.mkpath(paths::kIndexDir)) {
        *error = QStringLiteral("%1: cannot create syu/, ji/ and %2/").arg(dir, paths::kIndexDir);
        return false;
    }
    // One index file beside each record file's name, each with its entries.
    QStringList recordFiles{kCommanderyFile};
    for (const ProvinceRow& row : provinces::rows())
        recordFiles << row.countyFile;
    for (const QString& recordFile : recordFiles) {
        QFile index(root.filePath(paths::indexFileFor(recordFile)));
        QByteArray lines = "# Other names of the records of " + recordFile.toUtf8() +
                           ", written by qm-gazetteer: file, record, name,\n"
                           "# reading, kind, other name, its reading, note (data/README.md).\n";
        for (const othernames::Entry& e : c.otherNames)
            if (e.place.file == recordFile)
                lines += othernames::formatLine(e);
        if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate) || index.write(lines) != lines.size()) {
            *error = QStringLiteral("%1: cannot write").arg(index.fileName());
            return false;
        }
    }
    const QString commFile = root.filePath(kCommanderyFile);
    if (!recwrite::writeRecords(commFile, c.commanderies)) {
        *error = QStringLiteral("%1: cannot write").arg(commFile);
        return false;
    }
    for (std::size_t i = 0; i < c.counties.size(); ++i) {
        const QString file = root.filePath(provinces::rows()[i].countyFile);
        if (!recwrite::writeRecords(file, c.counties[i])) {
            *error = QStringLiteral("%1: cannot write").arg(file);
            return false;
        }
    }
    // Each bitmap at the size the record format expects, and beside it one
    // at twice that size for screens with two device pixels to a pixel.
    const GlyphFonts fonts(kEm), doubleFonts(2 * kEm);
    // Without the Gothic every glyph would come out in Mincho: refuse rather
    // than build pictures that do not match the names.
    if (!c.glyphs.empty() && !fonts.haveGothic) {
        *error = QStringLiteral("%1: font not found through fontconfig (fonts-noto-cjk)")
                     .arg(QLatin1String(GlyphFonts::kGothic));
        return false;
    }
    for (const auto& [path, glyph] : c.glyphs)
        if (!renderGlyph(fonts, glyph, 1, root.filePath(path), error) ||
            !renderGlyph(doubleFonts, glyph, 2, root.filePath(GlyphName::doubleSizePath(path)), error))
            return false;
    // Each picture must pass the program's own reader, at both scales.
    const Gazetteer written = Gazetteer::open({}, root.absolutePath());
    for (const auto& [path, glyph] : c.glyphs) {
        const QSize size(glyph.width, glyph.height);
        if (glyphs::readGlyph(written, path, 1).size() != size ||
            glyphs::readGlyph(written, path, 2).size() != size * 2) {
            *error = QStringLiteral("%1: the program would not read the bitmap at both scales").arg(path);
            return false;
        }
    }
    if (!mapout::write(c.map, dir, error))
        return false;
    QFile marker(root.filePath(QLatin1String(kMarkerFile)));
    if (!marker.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        marker.write("written by qm-gazetteer; replaced whole on every build\n") < 0) {
        *error = QStringLiteral("%1: cannot write").arg(marker.fileName());
        return false;
    }
    return true;
}

}  // namespace

bool compile(const QString& dataDir, const QString& outDir, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    Compiled c;
    if (!build(dataDir, c, error))
        return false;

    const QFileInfo target(outDir);
    const QString absTarget = target.absoluteFilePath();
    if (target.exists() || target.isSymLink()) {
        // Never remove a directory someone else's files live in.
        const QDir existing(absTarget);
        const bool ours = target.isDir() && !target.isSymLink() &&
                          (existing.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ||
                           existing.exists(QLatin1String(kMarkerFile)));
        if (!ours) {
            *error = QStringLiteral("%1: exists and was not written by qm-gazetteer; not replacing it")
                         .arg(outDir);
            return false;
        }
    }
    const QString parent = target.absolutePath();
    if (!QDir().mkpath(parent)) {
        *error = QStringLiteral("%1: cannot create").arg(parent);
        return false;
    }
    const QString suffix = QStringLiteral(".tmp-%1").arg(QCoreApplication::applicationPid());
    const QString tmp = absTarget + suffix;
    const QString old = absTarget + QStringLiteral(".old-%1").arg(QCoreApplication::applicationPid());
    QDir(tmp).removeRecursively();
    if (!writeAll(c, tmp, error)) {
        QDir(tmp).removeRecursively();
        return false;
    }
    const bool hadOld = QFileInfo::exists(absTarget);
    if (hadOld && !QDir().rename(absTarget, old)) {
        QDir(tmp).removeRecursively();
        *error = QStringLiteral("%1: cannot move the previous output aside").arg(outDir);
        return false;
    }
    if (!QDir().rename(tmp, absTarget)) {
        if (hadOld)
            QDir().rename(old, absTarget);
        QDir(tmp).removeRecursively();
        *error = QStringLiteral("%1: cannot move the new output into place").arg(outDir);
        return false;
    }
    if (hadOld)
        QDir(old).removeRecursively();
    return true;
}

}  // namespace gazetteer
