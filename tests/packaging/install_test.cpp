// The installed tree, as scripts/install-check.sh lays it out under a
// temporary prefix (given in QM_INSTALLED_PREFIX): the program's window logic
// run from <prefix>/share/quillmere against the installed gazetteer, the
// desktop entry and the themed icons.
#include "icon_sizes.h"

#include "data/provinces.h"
#include "window/form.h"
#include "data/placeholders.h"
#include "support/memory_controls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QString prefix() { return qEnvironmentVariable("QM_INSTALLED_PREFIX"); }

class InstalledData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(prefix().isEmpty()) << "QM_INSTALLED_PREFIX is not set";
        ASSERT_TRUE(QFileInfo(data).isDir());
        form.Form_Load();
    }

    int find(int listNumber, const QString& prefixText) {
        const QStringList& items = w.list[static_cast<std::size_t>(listNumber)].items();
        for (int i = 0; i < items.size(); ++i)
            if (items[i].startsWith(prefixText))
                return i;
        return -1;
    }

    // Where the launcher starts the program; read only, as an installed tree must be.
    const QString data = prefix() + QStringLiteral("/share/quillmere");
    const Gazetteer gazetteer = Gazetteer::open({}, data);
    MemoryWindow w{gazetteer};
    Form form{w.c, gazetteer};
};

TEST_F(InstalledData, EveryProvinceListsItsCommanderiesAndCounties) {
    ASSERT_EQ(w.list[3].count(), provinces::kCount);
    for (int p = 0; p < provinces::kCount; ++p) {
        SCOPED_TRACE(w.list[3].item(p).toStdString());
        w.list[3].select(p);
        form.List3_Click();
        ASSERT_GT(w.list[1].count(), 0) << "no commanderies from the installed syu/";
        // The first commandery of each province has counties in its file.
        w.list[1].select(0);
        form.List1_Click();
        EXPECT_GT(w.list[2].count(), 0) << "no counties from " << form.fname.toStdString();
    }
}

TEST_F(InstalledData, LuoyangShowsWithItsGlyphPicture) {
    w.list[3].select(0);  // 司隸校尉
    form.List3_Click();
    w.list[1].select(find(1, QStringLiteral("河南尹")));
    form.List1_Click();
    EXPECT_EQ(w.text[2].text(), QStringLiteral("河南尹"));
    EXPECT_EQ(w.text[6].text(), QStringLiteral("208486"));

    // 雒 is outside the records' code page: the name holds a placeholder
    // and a bitmap from the installed ji/ covers it.
    const int county = find(2, QString(glyphs::kBlack) + QStringLiteral("陽"));
    ASSERT_GE(county, 0);
    w.list[2].select(county);
    form.List2_Click();
    EXPECT_EQ(w.text[5].text(), QStringLiteral("らくよう"));
    EXPECT_TRUE(w.picture[4].isShown());
    EXPECT_FALSE(w.picture[4].bitmap().isEmpty()) << "the glyph bitmap did not load from ji/";
}

TEST(InstalledDesktop, EntryNamesTheLauncherAndTheIcon) {
    QFile file(prefix() + QStringLiteral("/share/applications/quillmere.desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> keys;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    EXPECT_EQ(keys.value("Type"), "Application");
    EXPECT_EQ(keys.value("Name"), "Quillmere");
    EXPECT_FALSE(keys.value("Name[ja]").isEmpty());
    EXPECT_FALSE(keys.value("Comment").isEmpty());
    EXPECT_FALSE(keys.value("Comment[ja]").isEmpty());
    EXPECT_EQ(keys.value("Categories"), "Education;Geography;");
    // Exec is looked up on PATH: it must be the launcher, not the program.
    const QFileInfo launcher(prefix() + QStringLiteral("/bin/") + keys.value("Exec"));
    EXPECT_TRUE(launcher.isFile() && launcher.isExecutable()) << launcher.filePath().toStdString();
    EXPECT_EQ(keys.value("Icon"), "quillmere");
}

TEST(InstalledDesktop, IconAtEveryThemeSize) {
    for (int size : appicon::kThemeSizes) {
        const QString path = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/quillmere.png")
                                 .arg(prefix())
                                 .arg(size);
        const QImage icon(path);
        ASSERT_FALSE(icon.isNull()) << path.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), appicon::imageAt(size)) << size;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
