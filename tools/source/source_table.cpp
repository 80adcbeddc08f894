#include "source_table.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace source {

const Schema kProvinces{QStringLiteral("provinces.tsv"),
                        {QStringLiteral("label"), QStringLiteral("name"), QStringLiteral("traditional"),
                         QStringLiteral("reading")}};
const Schema kCommanderies{QStringLiteral("commanderies.tsv"),
                           {QStringLiteral("province"), QStringLiteral("name"), QStringLiteral("traditional"),
                            QStringLiteral("reading"), QStringLiteral("cities"), QStringLiteral("households"),
                            QStringLiteral("population"), QStringLiteral("remark")}};
const Schema kCounties{QStringLiteral("counties.tsv"),
                       {QStringLiteral("commandery"), QStringLiteral("name"), QStringLiteral("traditional"),
                        QStringLiteral("reading"), QStringLiteral("unit"), QStringLiteral("note"),
                        QStringLiteral("products")}};
const Schema kKatakana{QStringLiteral("katakana.tsv"), {QStringLiteral("char"), QStringLiteral("katakana")}};
const Schema kKanon{QStringLiteral("kanon.tsv"), {QStringLiteral("char"), QStringLiteral("kanon")}};
const Schema kOtherNames{QStringLiteral("other_names.tsv"),
                         {QStringLiteral("commandery"), QStringLiteral("county"), QStringLiteral("other"),
                          QStringLiteral("reading"), QStringLiteral("kind"), QStringLiteral("year"),
                          QStringLiteral("note"), QStringLiteral("source")}};
const Schema kCollation{QStringLiteral("collation.tsv"),
                        {QStringLiteral("province"), QStringLiteral("commandery"), QStringLiteral("county"),
                         QStringLiteral("field"), QStringLiteral("gazetteer"), QStringLiteral("edition"),
                         QStringLiteral("class"), QStringLiteral("reason")}};

const Schema kCharReadings{QStringLiteral("char_readings.tsv"),
                           {QStringLiteral("chars"), QStringLiteral("reading"), QStringLiteral("names"),
                            QStringLiteral("basis"), QStringLiteral("note")}};
const Schema kReadingsReview{QStringLiteral("readings_review.tsv"),
                             {QStringLiteral("commandery"), QStringLiteral("name"), QStringLiteral("before"),
                              QStringLiteral("after"), QStringLiteral("reason")}};

const Schema kLocations{QStringLiteral("locations.tsv"),
                        {QStringLiteral("commandery"), QStringLiteral("county"), QStringLiteral("place"),
                         QStringLiteral("latitude"), QStringLiteral("longitude"), QStringLiteral("precision"),
                         QStringLiteral("modern"), QStringLiteral("source"), QStringLiteral("geonames"),
                         QStringLiteral("note")}};
// GeoNames' own columns, as its documentation names them.
const Schema kGeonames{QStringLiteral("geonames.tsv"),
                       {QStringLiteral("geonameid"), QStringLiteral("name"), QStringLiteral("asciiname"),
                        QStringLiteral("alternatenames"), QStringLiteral("latitude"), QStringLiteral("longitude"),
                        QStringLiteral("feature class"), QStringLiteral("feature code"),
                        QStringLiteral("country code"), QStringLiteral("cc2"), QStringLiteral("admin1 code"),
                        QStringLiteral("admin2 code"), QStringLiteral("admin3 code"), QStringLiteral("admin4 code"),
                        QStringLiteral("population"), QStringLiteral("elevation"), QStringLiteral("dem"),
                        QStringLiteral("timezone"), QStringLiteral("modification date")}};
const Schema kMapLand{QStringLiteral("map/land.tsv"), {QStringLiteral("feature"), QStringLiteral("points")}};
const Schema kMapLakes{QStringLiteral("map/lakes.tsv"), {QStringLiteral("feature"), QStringLiteral("points")}};
const Schema kMapRiverLines{QStringLiteral("map/river_lines.tsv"),
                            {QStringLiteral("name"), QStringLiteral("name_zh"), QStringLiteral("scalerank"),
                             QStringLiteral("points")}};
const Schema kMapBorders{QStringLiteral("map/borders.tsv"), {QStringLiteral("name"), QStringLiteral("points")}};
const Schema kMapRivers{QStringLiteral("map/rivers.tsv"),
                        {QStringLiteral("name"), QStringLiteral("name_zh"), QStringLiteral("modern"),
                         QStringLiteral("period"), QStringLiteral("note"), QStringLiteral("source")}};

const QStringList kPrecisions{QStringLiteral("site"), QStringLiteral("seat"), QStringLiteral("area"),
                              QStringLiteral("approximate")};
const QStringList kUnits{QString(), QStringLiteral("侯国"), QStringLiteral("道"), QStringLiteral("邑")};
const QStringList kOtherKinds{QStringLiteral("later"), QStringLiteral("variant"), QStringLiteral("place"),
                              QStringLiteral("reading"), QStringLiteral("alias")};

QString Table::where(int line) const { return QStringLiteral("%1:%2: ").arg(path).arg(line); }

bool read(const QString& dataDir, const Schema& schema, Table& out, QStringList& faults) {
    out = Table{};
    out.path = QDir(dataDir).filePath(schema.file);
    QFile f(out.path);
    if (!f.open(QIODevice::ReadOnly)) {
        faults << out.where(0) + QStringLiteral("cannot read: %1").arg(f.errorString());
        return false;
    }
    const QList<QByteArray> lines = f.readAll().split('\n');
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QStringList header;
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
        if (header.isEmpty()) {
            header = fields;
            out.headerLine = lineNo;
        } else if (fields.size() != header.size()) {
            faults << out.where(lineNo) + QStringLiteral("malformed line: %1 fields, expected %2")
                                              .arg(fields.size())
                                              .arg(header.size());
        } else {
            out.rows.push_back({lineNo, fields});
        }
    }
    if (header.isEmpty()) {
        faults << out.where(1) + QStringLiteral("no header line");
        return false;
    }
    if (header != schema.columns) {
        faults << out.where(out.headerLine) +
                      QStringLiteral("the header must be \"%1\"").arg(schema.columns.join(u' '));
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

}  // namespace source
