// Runs every test inside one QApplication on the offscreen platform, so the
// same binary drives the in-memory controls and the real widgets. The tests
// hand the program a data root; they run in an empty working directory that
// must stay empty, so a file read or written beside the root fails the run.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const QString start = QDir::currentPath();
    QTemporaryDir empty;
    if (!empty.isValid() || !QDir::setCurrent(empty.path()))
        return 2;
    int rc = RUN_ALL_TESTS();
    const QStringList left = QDir(empty.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (!left.isEmpty()) {
        std::fprintf(stderr, "written beside the data root: %s\n", left.join(u' ').toUtf8().constData());
        rc = 1;
    }
    QDir::setCurrent(start);
    return rc;
}
