// qm-dump [--commanderies | --counties] FILE...: record files back to UTF-8
// TSV on stdout. Without an option, a file named 州郡.txt holds commanderies
// and any other file counties.
#include "dump.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    enum class Kind { ByName, Commanderies, Counties } kind = Kind::ByName;
    if (!args.isEmpty() && args.first() == QLatin1String("--commanderies")) {
        kind = Kind::Commanderies;
        args.removeFirst();
    } else if (!args.isEmpty() && args.first() == QLatin1String("--counties")) {
        kind = Kind::Counties;
        args.removeFirst();
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: qm-dump [--commanderies | --counties] FILE...\n");
        return 2;
    }
    int status = 0;
    for (const QString& path : args) {
        const bool commanderies =
            kind == Kind::Commanderies ||
            (kind == Kind::ByName && QFileInfo(path).fileName() == QStringLiteral("州郡.txt"));
        QString tsv;
        const bool ok = commanderies ? gazetteer::dumpCommanderies(path, tsv)
                                     : gazetteer::dumpCounties(path, tsv);
        if (!ok) {
            std::fprintf(stderr, "qm-dump: %s: cannot read\n", path.toLocal8Bit().constData());
            status = 1;
            continue;
        }
        const QByteArray out = tsv.toUtf8();
        std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    }
    return status;
}
