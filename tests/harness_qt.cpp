// The harness on the real window: clicks go through QTest to the widgets,
// menu items are triggered through their actions, dialogs are answered by
// the scripted seam.
#include "harness.h"
#include "window/widgets/main_window.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class QtHarness : public Harness {
public:
    QtHarness() : window_(&dialogs_) {
        window_.show();
        (void)QTest::qWaitForWindowExposed(&window_);
    }
    Form& form() override { return window_.form(); }
    const Controls& controls() override { return window_.controls(); }
    ScriptedDialogs& dialogs() override { return dialogs_; }

    void click(int list, int index) override {
        QListWidget* w = listWidget(list);
        if (!w) {
            ADD_FAILURE() << "the window has no list List" << list;
            return;
        }
        if (index < 0 || index >= w->count()) {
            // Nothing selected: the handler still runs, as on a click into
            // the empty part of a list.
            w->clearSelection();
            w->setCurrentRow(-1);
            if (list == 1) form().List1_Click();
            if (list == 2) form().List2_Click();
            if (list == 3) form().List3_Click();
            return;
        }
        QListWidgetItem* item = w->item(index);
        w->scrollToItem(item);
        QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier,
                          w->visualItemRect(item).center());
    }

    void search(const QString& text) override {
        controls().text[11]->setText(text);
        auto* button = qobject_cast<QPushButton*>(window_.control(QStringLiteral("Command1")));
        if (!button) {
            ADD_FAILURE() << "the window has no button Command1";
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void option(int mode) override {
        static const char* names[] = {"", "mnukan", "mnuyomi", "mnukan2", "mnuyomi2", "mnubiko2"};
        if (mode < 1 || mode > 5) {
            ADD_FAILURE() << "no search option " << mode;
            return;
        }
        trigger(QString::fromLatin1(names[mode]));
    }

    void menuItem(int n) override {
        trigger(n == 0 ? QStringLiteral("mnugokan") : QStringLiteral("mnuex%1").arg(n));
    }

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

private:
    // The widget of the control table's List`list`, or nullptr.
    QListWidget* listWidget(int list) const {
        const ui::ControlRow* row = ui::controlFor(ui::Role::List, list);
        return row ? qobject_cast<QListWidget*>(window_.control(row->name.toString())) : nullptr;
    }
    // A missing action fails the test: a scenario must not pass by doing nothing.
    void trigger(const QString& name) {
        if (QAction* a = window_.menuAction(name))
            a->trigger();
        else
            ADD_FAILURE() << "the menu has no action " << name.toStdString();
    }

    ScriptedDialogs dialogs_;  // declared first: the window keeps a pointer to it
    MainWindow window_;
};

}  // namespace

std::unique_ptr<Harness> makeQtHarness() { return std::make_unique<QtHarness>(); }
