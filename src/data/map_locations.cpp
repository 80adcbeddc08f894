#include "data/map_locations.h"

#include "data/provinces.h"
#include "data/records.h"
#include "data/text_model.h"

#include <QDir>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>
#include <map>
#include <memory>

namespace locations {
namespace {

namespace col {
enum : int {
    kFile, kRecord, kName, kReading, kCommandery, kSeat, kPlace, kLat, kLon,
    kPrecision, kModern, kSource, kNote, kShown, kCommanderyShown
};
}  // namespace col

const char* const kHeader[kFields] = {"file",      "record", "name",     "reading", "commandery",
                                      "seat",      "place",  "lat",      "lon",     "precision",
                                      "modern",    "source", "note",     "shown",   "commandery_shown"};

const char* const kWords[] = {"site", "seat", "area", "approximate"};

// A plain decimal ("-12.345"): no exponent, no nan or inf, as the compiler
// writes it. False for anything else.
bool decimal(QByteArrayView s, double& out) {
    if (s.isEmpty() || s.size() > 24)
        return false;
    qsizetype i = s.front() == '-' ? 1 : 0;
    int digits = 0, dots = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '.')
            ++dots;
        else if (s[i] >= '0' && s[i] <= '9')
            ++digits;
        else
            return false;
    }
    if (digits == 0 || dots > 1)
        return false;
    bool ok = false;
    out = QByteArray(s.data(), s.size()).toDouble(&ok);
    return ok && std::isfinite(out);
}

bool text(QByteArrayView bytes, QString& out) {
    if (bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = utf8.decode(bytes);
    return !utf8.hasError();
}

bool writable(const QString& s) {
    return !s.contains(u'\t') && !s.contains(u'\n') && !s.contains(u'\r') && !s.contains(QChar(u'\0'));
}

}  // namespace

bool parsePrecision(const QString& word, Precision& out) {
    for (int i = 0; i < 4; ++i) {
        if (word == QLatin1String(kWords[i])) {
            out = static_cast<Precision>(i);
            return true;
        }
    }
    return false;
}

QString precisionWord(Precision p) { return QLatin1String(kWords[static_cast<int>(p)]); }

QString precisionShown(Precision p) {
    switch (p) {
    case Precision::Site: return QStringLiteral("遺跡・地点");
    case Precision::Seat: return QStringLiteral("現治所");
    case Precision::Area: return QStringLiteral("域内");
    case Precision::Approximate: break;
    }
    return QStringLiteral("推定");
}

QByteArray headerLine() {
    QByteArray line;
    for (int i = 0; i < kFields; ++i)
        line += (i ? "\t" : "") + QByteArray(kHeader[i]);
    return line + '\n';
}

QByteArray formatLine(const Location& l) {
    if (!l.place.known() || !provinces::byCountyFile(l.place.file) || !std::isfinite(l.lat) ||
        !std::isfinite(l.lon) || std::fabs(l.lat) > 90 || std::fabs(l.lon) > 180)
        return {};
    const QString fields[kFields] = {
        l.place.file, QString::number(l.place.record), l.name, l.reading, l.commandery,
        l.seat ? QStringLiteral("1") : QStringLiteral("0"), l.placeName,
        QString::number(l.lat, 'f', 6), QString::number(l.lon, 'f', 6), precisionWord(l.precision),
        l.modern, l.source, l.note, l.shown, l.commanderyShown};
    QByteArray line;
    for (int i = 0; i < kFields; ++i) {
        if (!writable(fields[i]))
            return {};
        if (i)
            line += '\t';
        line += fields[i].toUtf8();
    }
    if (line.startsWith('#') || line.size() >= kMaxLine)
        return {};
    return line + '\n';
}

std::vector<Location> parse(QByteArrayView bytes, mapfile::Report& report) {
    std::vector<Location> out;
    bool header = false;
    QSet<QString> seen;  // file, record, place
    qsizetype at = 0;
    for (int lineNo = 1; at < bytes.size(); ++lineNo) {
        qsizetype nl = bytes.indexOf('\n', at);
        if (nl < 0)
            nl = bytes.size();
        QByteArrayView line = bytes.sliced(at, nl - at);
        at = nl + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.front() == '#')
            continue;
        const QString where = QStringLiteral("line %1: ").arg(lineNo);
        if (!header) {
            if (QByteArray(line.data(), line.size()) + '\n' != headerLine()) {
                report.refuse(where + QStringLiteral("not the header of a locations file"));
                return {};
            }
            header = true;
            continue;
        }
        if (out.size() >= kMaxEntries) {
            report.skip(where + QStringLiteral("more than %1 entries; the rest is left out").arg(kMaxEntries));
            break;
        }
        if (line.size() > kMaxLine) {
            report.skip(where + QStringLiteral("longer than %1 bytes").arg(kMaxLine));
            continue;
        }
        QList<QByteArrayView> f;
        for (qsizetype from = 0;;) {
            const qsizetype tab = line.indexOf('\t', from);
            f << line.sliced(from, (tab < 0 ? line.size() : tab) - from);
            if (tab < 0 || f.size() > kFields)
                break;
            from = tab + 1;
        }
        if (f.size() != kFields) {
            report.skip(where + QStringLiteral("not %1 fields").arg(kFields));
            continue;
        }
        Location l;
        QString seat, precision;
        bool ok = text(f[col::kFile], l.place.file) && text(f[col::kName], l.name) &&
                  text(f[col::kReading], l.reading) && text(f[col::kCommandery], l.commandery) &&
                  text(f[col::kSeat], seat) && text(f[col::kPlace], l.placeName) &&
                  text(f[col::kPrecision], precision) && text(f[col::kModern], l.modern) &&
                  text(f[col::kSource], l.source) && text(f[col::kNote], l.note) &&
                  text(f[col::kShown], l.shown) && text(f[col::kCommanderyShown], l.commanderyShown);
        if (!ok) {
            report.skip(where + QStringLiteral("not UTF-8 text"));
            continue;
        }
        l.place.record = recordNumberOf(std::string_view(f[col::kRecord].data(), static_cast<std::size_t>(f[col::kRecord].size())));
        if (!provinces::byCountyFile(l.place.file) || l.place.record == 0) {
            report.skip(where + QStringLiteral("no county record at \"%1\" %2")
                                    .arg(l.place.file, QString::fromUtf8(f[col::kRecord].toByteArray())));
            continue;
        }
        if (seat != QLatin1String("0") && seat != QLatin1String("1")) {
            report.skip(where + QStringLiteral("seat is not 0 or 1"));
            continue;
        }
        l.seat = seat == QLatin1String("1");
        if (!decimal(f[col::kLat], l.lat) || !decimal(f[col::kLon], l.lon) || std::fabs(l.lat) > 90 ||
            std::fabs(l.lon) > 180) {
            report.skip(where + QStringLiteral("latitude and longitude are not numbers on the globe"));
            continue;
        }
        if (!parsePrecision(precision, l.precision)) {
            report.skip(where + QStringLiteral("unknown precision \"%1\"").arg(precision));
            continue;
        }
        if (l.name.isEmpty() || l.shown.isEmpty()) {
            report.skip(where + QStringLiteral("no name"));
            continue;
        }
        const QString key = l.place.file + u'\t' + QString::number(l.place.record) + u'\t' + l.placeName;
        if (seen.contains(key)) {
            report.skip(where + QStringLiteral("%1 %2 again").arg(l.shown, l.placeName));
            continue;
        }
        seen.insert(key);
        out.push_back(std::move(l));
    }
    if (!header)
        report.refuse(QStringLiteral("no header line"));
    return out;
}

std::vector<Location> read(const QString& path, mapfile::Report& report) {
    QByteArray bytes;
    if (!mapfile::readRegular(path, kMaxFileBytes, bytes, report))
        return {};
    return parse(bytes, report);
}

void dropStale(std::vector<Location>& entries, const QString& dataDir, mapfile::Report& report) {
    std::map<QString, std::unique_ptr<mapfile::RandomAccess>> files;
    std::vector<Location> kept;
    kept.reserve(entries.size());
    for (Location& l : entries) {
        auto& file = files[l.place.file];
        if (!file)
            file = std::make_unique<mapfile::RandomAccess>(QDir(dataDir).filePath(l.place.file));
        kenrec rec{};
        const qint64 offset = static_cast<qint64>(l.place.record - 1) * static_cast<qint64>(sizeof rec);
        if (!file->readAt(offset, sizeof rec, reinterpret_cast<char*>(&rec))) {
            report.skip(QStringLiteral("%1: no record %2 in %3").arg(l.shown).arg(l.place.record).arg(l.place.file));
            continue;
        }
        if (text::value(rec.kenmei) != l.name || text::value(rec.kenyomi) != l.reading ||
            text::value(rec.gunmei) != l.commandery) {
            report.skip(QStringLiteral("%1: record %2 of %3 is %4 now").arg(l.shown).arg(l.place.record)
                            .arg(l.place.file, text::value(rec.kenmei)));
            continue;
        }
        kept.push_back(std::move(l));
    }
    entries = std::move(kept);
}

}  // namespace locations
