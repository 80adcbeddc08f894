// qm-lint DATA_DIR: prints each fault of the gazetteer source as
// "file:line: what" and exits 1 when there is one.
#include "lint.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: qm-lint DATA_DIR\n";
        return 2;
    }
    const QStringList faults = lint::check(args[1]);
    for (const QString& f : faults)
        err << f << '\n';
    if (!faults.isEmpty())
        err << faults.size() << " fault(s) in " << args[1] << '\n';
    return faults.isEmpty() ? 0 : 1;
}
