#include "data/format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace format {

namespace {
QString& rootDir() {
    static QString dir;
    return dir;
}
}  // namespace

void setRoot(const QString& dir) { rootDir() = dir; }
const QString& root() { return rootDir(); }

QString resolve(const QString& path) {
    const QString& dir = rootDir();
    return dir.isEmpty() || QDir::isAbsolutePath(path) ? path : dir + u'/' + path;
}

QString countyFile(const QString& stem) { return kRecordDir + u'/' + stem + QStringLiteral(".txt"); }

QString glyphPath(const QString& name) {
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")) ||
        name.contains(QChar(u'\0')))
        return QString();
    return kGlyphDir + u'/' + name + QStringLiteral(".bmp");
}

QString doubleSizePath(const QString& path) {
    if (!path.endsWith(QLatin1String(".bmp")))
        return {};
    return path.left(path.size() - 4) + QStringLiteral("@2x.bmp");
}

QString glyphBaseName(char32_t code) {
    return QStringLiteral("u") + QString::number(static_cast<uint>(code), 16);
}

QString indexFileFor(const QString& recordFile) {
    return kIndexDir + u'/' + QFileInfo(recordFile).completeBaseName() + QStringLiteral(".tsv");
}

QString Tsv::at(const TsvRow& row, const QString& column) const {
    const qsizetype i = header.indexOf(column);
    return i >= 0 ? row.fields.value(i) : QString();
}

QString Tsv::where(int line) const { return QStringLiteral("%1:%2: ").arg(path).arg(line); }

bool readTsv(const QString& path, Tsv& out, QStringList& faults) {
    out = Tsv{};
    out.path = path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        faults << out.where(0) + QStringLiteral("cannot read: %1").arg(f.errorString());
        return false;
    }
    const QList<QByteArray> lines = f.readAll().split('\n');
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        QByteArray bytes = lines[i];
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = utf8.decode(bytes);
        if (utf8.hasError() || line.contains(QChar(u'\0'))) {
            faults << out.where(lineNo) + QStringLiteral("not valid UTF-8 text");
            continue;
        }
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (out.header.isEmpty()) {
            out.header = fields;
            out.headerLine = lineNo;
        } else if (fields.size() != out.header.size()) {
            faults << out.where(lineNo) + QStringLiteral("malformed line: %1 fields, expected %2")
                                              .arg(fields.size())
                                              .arg(out.header.size());
        } else {
            out.rows.push_back({lineNo, fields});
        }
    }
    if (out.header.isEmpty()) {
        faults << out.where(1) + QStringLiteral("no header line");
        return false;
    }
    return true;
}

namespace {
bool allIn(const QString& s, bool (*ok)(char16_t)) {
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (!ok(c.unicode()))
            return false;
    return true;
}
}  // namespace

bool isHiragana(const QString& s) {
    return allIn(s, [](char16_t c) { return c >= 0x3041 && c <= 0x3096; });
}

bool isKatakana(const QString& s) {
    return allIn(s, [](char16_t c) { return (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC; });
}

}  // namespace format
