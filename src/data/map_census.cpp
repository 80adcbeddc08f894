#include "data/map_census.h"

#include "data/records.h"
#include "data/text_model.h"

#include <cstring>

namespace census {
namespace {

std::optional<qint64> figure(const QString& s, bool& bad) {
    if (s.isEmpty())
        return std::nullopt;
    qint64 n = 0;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9' || n > 999'999'999) {
            bad = true;
            return std::nullopt;
        }
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

}  // namespace

std::vector<Commandery> read(const QString& path, mapfile::Report& report) {
    QByteArray bytes;
    if (!mapfile::readRegular(path, kMaxFileBytes, bytes, report))
        return {};
    std::vector<Commandery> out;
    const auto records = static_cast<std::size_t>(bytes.size()) / sizeof(gunrec);
    out.reserve(records);
    for (std::size_t i = 0; i < records; ++i) {
        gunrec r;
        std::memcpy(&r, bytes.constData() + i * sizeof r, sizeof r);
        Commandery c{text::value(r.syumei), text::value(r.gunmei), {}, {}};
        bool bad = false;
        c.households = figure(text::value(r.kosu), bad);
        c.population = figure(text::value(r.kousu), bad);
        if (bad)
            report.skip(QStringLiteral("record %1 (%2): a figure is not a number").arg(i + 1).arg(c.name));
        out.push_back(std::move(c));
    }
    return out;
}

}  // namespace census
