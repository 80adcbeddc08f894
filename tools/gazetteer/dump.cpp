#include "dump.h"

#include "data/gazetteer.h"
#include "data/text_model.h"

namespace gazetteer {
namespace {

QString escapeField(const QString& v) {
    QString out;
    out.reserve(v.size());
    for (QChar c : v) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// Every field of the layout, named in the header and valued per record.
template <class Rec>
bool dump(const QString& path, QString& tsv) {
    tsv.clear();
    QStringList header;
    for (const fields::Field& f : fields::of<Rec>())
        header << QString::fromLatin1(f.name);
    tsv += header.join(u'\t') + u'\n';
    // Any file, by its own path: a read-only gazetteer never creates it.
    return Gazetteer::open({}, QStringLiteral(".")).scan<Rec>(path, [&](const Rec& r) {
        QStringList line;
        for (const fields::Field& f : fields::of<Rec>())
            line << escapeField(text::value(reinterpret_cast<const char*>(&r), f));
        tsv += line.join(u'\t') + u'\n';
        return true;
    });
}

}  // namespace

bool dumpCommanderies(const QString& path, QString& tsv) { return dump<gunrec>(path, tsv); }
bool dumpCounties(const QString& path, QString& tsv) { return dump<kenrec>(path, tsv); }

}  // namespace gazetteer
