// The harness on the real window: clicks go through QTest to the widgets,
// menu items are triggered through their actions, dialogs are answered by
// the scripted seam.
#include "support/harness.h"
#include "support/menu_titles.h"
#include "window/widgets/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

class QtHarness : public Harness {
public:
    explicit QtHarness(const Gazetteer& gazetteer) : window_(gazetteer, &dialogs_) {
        window_.show();
        (void)QTest::qWaitForWindowExposed(&window_);
        settle();
    }
    Form& form() override { return window_.form(); }
    const Controls& controls() override { return window_.controls(); }
    ScriptedDialogs& dialogs() override { return dialogs_; }
    QWidget* window() override { return &window_; }

    void aim(int list, int index) override {
        QListWidget* w = listWidget(list);
        if (!w) {
            ADD_FAILURE() << "the window has no list List" << list;
            return;
        }
        aimed_.erase(list);
        if (index < 0 || index >= w->count())
            return;
        QListWidgetItem* item = w->item(index);
        w->scrollToItem(item);
        settle();  // the scroll lays the list out before the item's place is read
        aimed_[list] = w->visualItemRect(item).center();
    }

    void clickAimed(int list) override {
        QListWidget* w = listWidget(list);
        if (!w)
            return;
        const auto it = aimed_.find(list);
        if (it == aimed_.end()) {
            // Nothing selected: the handler still runs, as on a click into
            // the empty part of a list.
            w->clearSelection();
            w->setCurrentRow(-1);
            deliverClick(list);
            return;
        }
        QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier, it->second);
    }

    void pressSearch() override {
        auto* button = qobject_cast<QPushButton*>(window_.control(QStringLiteral("Command1")));
        if (!button) {
            ADD_FAILURE() << "the window has no button Command1";
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void option(int mode) override {
        const QString item = menus::optionItem(mode);
        if (item.isEmpty()) {
            ADD_FAILURE() << "no search option " << mode;
            return;
        }
        trigger(item);
    }

    void menuItem(int n) override { trigger(menus::otherSoftwareItem(n)); }

    QString hint(int list, int index) override {
        QListWidget* w = listWidget(list);
        const QListWidgetItem* item = w ? w->item(index) : nullptr;
        if (!item)
            return {};
        const QString tip = item->data(Qt::ToolTipRole).toString();
        const QString description = item->data(Qt::AccessibleDescriptionRole).toString();
        // A screen reader must hear what a sighted user reads.
        EXPECT_EQ(tip, description) << "List" << list << " item " << index;
        return tip;
    }

    void settle() override {
        // Posted layouts and update requests; the second pass takes what the
        // first one's zero timers queued.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private:
    // The widget of List`list`, or nullptr.
    QListWidget* listWidget(int list) const {
        return qobject_cast<QListWidget*>(window_.control(QStringLiteral("List%1").arg(list)));
    }
    // A missing action fails the test: a scenario must not pass by doing nothing.
    void trigger(const QString& name) {
        if (QAction* a = window_.menuAction(name)) {
            a->trigger();
        } else {
            ADD_FAILURE() << "the menu has no action " << name.toStdString();
        }
    }

    ScriptedDialogs dialogs_;  // declared first: the window keeps a pointer to it
    MainWindow window_;
    std::map<int, QPoint> aimed_;
};

}  // namespace

std::unique_ptr<Harness> makeQtHarness(const Gazetteer& gazetteer) {
    return std::make_unique<QtHarness>(gazetteer);
}
