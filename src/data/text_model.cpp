#include "data/text_model.h"

#include "data/cp932.h"

namespace text {

QString raw(const char* field, std::size_t width) {
    QString s = cp932::decode(field, width);
    const auto w = static_cast<qsizetype>(width);
    if (s.size() < w)
        s.append(QString(w - s.size(), QLatin1Char(' ')));
    const qsizetype nul = s.indexOf(QChar(u'\0'));
    if (nul >= 0)
        s.truncate(nul);
    return s;
}

QString trim(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == u' ')
        ++b;
    while (e > b && s.at(e - 1) == u' ')
        --e;
    return (b == 0 && e == s.size()) ? s : s.sliced(b, e - b);
}

QString value(const char* field, std::size_t width) {
    return trim(raw(field, width));
}

QString cutValue(const char* field, std::size_t width) {
    QString r = raw(field, width);
    if (r.size() <= 4)
        return QString();
    r.chop(4);
    return trim(r);
}

QString joinItem(const QString& name, const QString& reading) {
    QString s;
    s.reserve(name.size() + 1 + reading.size());
    return s.append(name).append(u' ').append(reading);
}

QString itemText(const gunrec& r) { return joinItem(value(r.gunmei), value(r.gunyomi)); }

QString itemText(const kenrec& r) { return joinItem(value(r.kenmei), value(r.kenyomi)); }

QString nameHalf(const QString& item) {
    const qsizetype sp = item.indexOf(u' ');
    return sp < 0 ? QString() : trim(item.left(sp));
}

QString readingHalf(const QString& item) {
    const qsizetype sp = item.indexOf(u' ');
    return sp < 0 ? QString() : trim(item.mid(sp));
}

}  // namespace text
