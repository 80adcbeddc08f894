#include "data/record_writer.h"

#include "data/cp932.h"

#include <QFile>
#include <cstring>
#include <string>

namespace recwrite {

bool putField(char* dst, std::size_t width, const QString& value, const char* field,
              QString* error) {
    std::string bytes;
    if (!cp932::encode(value, bytes)) {
        if (error)
            *error = QStringLiteral("%1: \"%2\" has a character without a CP932 code")
                         .arg(QLatin1String(field), value);
        return false;
    }
    if (bytes.size() > width) {
        if (error)
            *error = QStringLiteral("%1: \"%2\" needs %3 bytes, the field has %4")
                         .arg(QLatin1String(field), value)
                         .arg(bytes.size())
                         .arg(width);
        return false;
    }
    std::memset(dst, ' ', width);
    std::memcpy(dst, bytes.data(), bytes.size());
    return true;
}

QString fitToBytes(const QString& value, std::size_t width) {
    std::size_t used = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype n = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        std::string bytes;
        const std::size_t need = cp932::encode(value.mid(i, n), bytes) ? bytes.size() : 2;
        if (used + need > width)
            break;
        used += need;
        i += n;
    }
    return value.left(i);
}

#define QM_PUT(name, width, what) &&putField(out.name, width, f.name, #name, error)

bool makeGunrec(const GunFields& f, gunrec& out, QString* error) {
    return true QM_GUNREC_FIELDS(QM_PUT);
}

bool makeKenrec(const KenFields& f, kenrec& out, QString* error) {
    return true QM_KENREC_FIELDS(QM_PUT);
}

#undef QM_PUT

bool writeBytes(const QString& path, const void* data, std::size_t len) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto n = static_cast<qint64>(len);
    return f.write(static_cast<const char*>(data), n) == n && f.flush();
}

}  // namespace recwrite
