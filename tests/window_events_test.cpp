// User events on the real widgets: which actions reach which handler, how
// often, and that code changes to a list never pose as a user's click.
#include "support/menu_titles.h"
#include "support/window_support.h"

#include "menu/other_software.h"
#include "window/widgets/qt_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <stdexcept>

namespace {

const QString kKanji = QStringLiteral("漢字を入力して下さい");
const QString kKana = QStringLiteral("かなを入力して下さい");

QPoint centreOf(QListWidget& list, int row) { return list.visualItemRect(list.item(row)).center(); }

TEST_F(WindowTest, SearchOptionsSetModeAndAnnouncedPrompt) {
    const struct {
        int kop;
        QString prompt;
    } cases[] = {{4, kKana}, {5, kKanji}, {3, kKanji}, {2, kKana}, {1, kKanji}};
    for (const auto& c : cases) {
        const QString action = menus::optionItem(c.kop);
        window.menuAction(action)->trigger();
        EXPECT_EQ(window.form().kop, c.kop) << action.toStdString();
        EXPECT_EQ(get<QLabel>("Label1")->text(), c.prompt) << action.toStdString();
        // A screen reader hears the prompt that is shown, not the first one.
        EXPECT_EQ(get("Label1")->accessibleName(), c.prompt) << action.toStdString();
    }
}

TEST_F(WindowTest, ListClickComesOncePerUserActionAndNeverFromCode) {
    showAndActivate();
    auto* list = get<ClickList>("List2");
    QSignalSpy clicks(list, &ClickList::clicked);

    // Code fills and empties the list: no Click.
    for (const char* item : {"甲 こう", "乙 おつ", "丙 へい"})
        listBox(2).append(QString::fromUtf8(item));
    listBox(2).clear();
    for (const char* item : {"甲 こう", "乙 おつ", "丙 へい"})
        listBox(2).append(QString::fromUtf8(item));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(*list, 1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(listBox(2).selectedText(), QStringLiteral("乙 おつ"));
    // The item already selected: the user chose it again.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(*list, 1));
    EXPECT_EQ(clicks.count(), 2);
    // A double click is one choice.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centreOf(*list, 0));
    EXPECT_EQ(clicks.count(), 3);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_EQ(listBox(2).selectedIndex(), 1);
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Down);  // already at the end: nothing moves
    EXPECT_EQ(clicks.count(), 5);

    // Presses that choose nothing change nothing: a right click, or a left
    // click below the last item.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, centreOf(*list, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 3));
    EXPECT_EQ(clicks.count(), 5);
    EXPECT_EQ(listBox(2).selectedIndex(), 2);
    // Dragging over other items after the press does not move the choice.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centreOf(*list, 0));
    QTest::mouseMove(list->viewport(), centreOf(*list, 1));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centreOf(*list, 1));
    EXPECT_EQ(clicks.count(), 6);
    EXPECT_EQ(listBox(2).selectedIndex(), 0);

    listBox(2).clear();
    EXPECT_EQ(listBox(2).selectedIndex(), -1);
    EXPECT_EQ(listBox(2).selectedText(), QString());
    EXPECT_EQ(clicks.count(), 6);
}

TEST_F(WindowTest, FirstKeyInAListWithNoSelectionChoosesTheFirstItem) {
    showAndActivate();
    auto* list = get<ClickList>("List3");
    list->setFocus();  // focus marks a current row without selecting it
    QSignalSpy clicks(list, &ClickList::clicked);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(listBox(3).selectedIndex(), 0);
}

TEST_F(WindowTest, EnterInTheSearchFieldDoesNotSearchTheButtonDoes) {
    showAndActivate();
    listBox(1).append(QStringLiteral("残る 項目"));
    auto* field = get<QLineEdit>("Text11");
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("zz"));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(listBox(1).count(), 1);
    EXPECT_TRUE(dialogs.shown.empty());

    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    EXPECT_EQ(listBox(1).count(), 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("見つかりませんでした。"));
}

TEST_F(WindowTest, HpActsOnAClickOfItsOwnTitle) {
    showAndActivate();
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window.menuAction("mnugokan")).center());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("ＨＰ"));
}

// Dialogs that fail every call, to make the handlers throw.
class ThrowingDialogs : public Dialogs {
public:
    void message(const QString&, const QString&) override { throw std::runtime_error("message"); }
    QString input(const QString&, const QString&, const QString&) override {
        throw std::runtime_error("input");
    }
};

QStringList criticals;
void keepCriticals(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg)
        criticals << text;
}

TEST(WindowFailures, AHandlerThatThrowsIsLoggedAndDoesNotEndTheProgram) {
    WorkDir wd;
    ThrowingDialogs dialogs;
    MainWindow window(wd.gazetteer(), &dialogs);
    criticals.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepCriticals);
    window.menuAction("mnugokan")->trigger();
    window.menuAction("mnuex1")->trigger();
    qobject_cast<QPushButton*>(window.control("Command1"))->click();
    qInstallMessageHandler(previous);
    EXPECT_EQ(criticals, QStringList({"quillmere: a handler failed: input", "quillmere: a handler failed: input",
                                      "quillmere: a handler failed: message"}));
    // The window still answers the next event.
    window.menuAction("mnuyomi2")->trigger();
    EXPECT_EQ(window.form().kop, 4);
}

}  // namespace
