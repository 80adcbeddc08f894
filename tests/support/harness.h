// One scenario, two windows: the in-memory controls and the real Qt window.
// A harness delivers a user's actions and reads back what the window shows;
// the tests and the benchmark drive both through it.
#pragma once

#include "support/memory_controls.h"
#include "window/controls.h"
#include "window/form.h"

#include <QStringList>
#include <memory>
#include <string>

class QWidget;

class Harness {
public:
    virtual ~Harness() = default;
    virtual Form& form() = 0;
    virtual const Controls& controls() = 0;
    virtual ScriptedDialogs& dialogs() = 0;

    // The user points at item `index` of List`list` (1..3) ...
    virtual void aim(int list, int index) = 0;
    // ... and clicks it (an index out of range clicks where no item is).
    virtual void clickAimed(int list) = 0;
    void click(int list, int index) {
        aim(list, index);
        clickAimed(list);
    }
    // The user types `text` into Text11 and clicks the search button.
    void search(const QString& text) {
        type(text);
        pressSearch();
    }
    virtual void type(const QString& text) { textBox(11).setText(text); }
    virtual void pressSearch() = 0;
    // The user picks a search option: 1 郡漢字, 2 郡読み, 3 県漢字, 4 県読み, 5 県備考.
    virtual void option(int mode) = 0;
    // The user picks "ＨＰ" (0) or an other-software item (1..6).
    virtual void menuItem(int n) = 0;
    // What item `index` of List`list` tells of itself when asked (where its
    // record lies): on the real window its tooltip, which must equal its
    // accessible description.
    virtual QString hint(int list, int index) { return listBox(list).hint(index); }
    // Lets the window finish what an action posted (layout, repaint), as a
    // benchmark must before it stops the clock; the in-memory window has
    // nothing to finish.
    virtual void settle() {}
    // The real window, or nullptr.
    virtual QWidget* window() { return nullptr; }

    // The design's controls by number: Text<n>, List<n>, Picture<n>.
    TextBox& textBox(int n) { return *controls().text(roleOf(QStringLiteral("Text%1").arg(n))); }
    ListBox& listBox(int n) { return *controls().list(roleOf(QStringLiteral("List%1").arg(n))); }
    PictureBox& pictureBox(int n) {
        return *controls().picture(roleOf(QStringLiteral("Picture%1").arg(n)));
    }

    QString text(int n) { return textBox(n).text(); }
    // The item texts of List`n`, as the handlers compare them.
    QStringList items(int n) { return eachItem(n, &ListBox::item); }
    // What the user reads of each item of List`n`.
    QStringList shownItems(int n) { return eachItem(n, &ListBox::shown); }
    int count(int n) { return listBox(n).count(); }
    bool shown(int n) { return pictureBox(n).isShown(); }
    QString bitmap(int n) { return pictureBox(n).bitmap(); }
    QString prompt() { return controls().prompt->caption(); }
    // Which pictures are visible, e.g. "1 2" or "" for none.
    QString visiblePictures() {
        QStringList on;
        for (int n = 1; n <= ui::kPictures; ++n)
            if (shown(n))
                on << QString::number(n);
        return on.join(u' ');
    }
    // Everything the user can see or the handlers keep, as one text, to
    // compare a window before and after an action.
    QString snapshot();
    // Click the item whose text is `item`; fails the test when absent.
    void clickItem(int list, const QString& item);

    // The role of the control the design names `name`.
    static ui::Role roleOf(const QString& name);

protected:
    // Runs List<list>'s Click handler, as a click does.
    void deliverClick(int list);

private:
    QStringList eachItem(int n, QString (ListBox::*get)(int) const) {
        QStringList out;
        const ListBox& l = listBox(n);
        for (int i = 0; i < l.count(); ++i)
            out << (l.*get)(i);
        return out;
    }
};

class MemoryHarness : public Harness {
public:
    explicit MemoryHarness(const Gazetteer& gazetteer) : w_(gazetteer), form_(w_.c, gazetteer) {
        form_.Form_Load();
    }
    Form& form() override { return form_; }
    const Controls& controls() override { return w_.c; }
    ScriptedDialogs& dialogs() override { return w_.dialogs; }
    void aim(int list, int index) override;
    void clickAimed(int list) override { deliverClick(list); }
    void pressSearch() override { form_.Command1_Click(); }
    void option(int mode) override;
    void menuItem(int n) override;
    MemoryWindow& memory() { return w_; }

private:
    MemoryWindow w_;
    Form form_;
};

// "memory" or "qt" over `gazetteer`, which must outlive it; the Qt harness
// drives the real widgets with QTest.
std::unique_ptr<Harness> makeHarness(const std::string& kind, const Gazetteer& gazetteer);

// `Harness& h`, a harness of `kind` over `gazetteer`, kept for the scope.
#define QM_HARNESS(h, kind, gazetteer)                  \
    const auto h##_owner = makeHarness(kind, gazetteer); \
    Harness& h = *h##_owner

// Parameter list for INSTANTIATE_TEST_SUITE_P over both windows.
#define QM_BOTH_WINDOWS ::testing::Values(std::string("memory"), std::string("qt"))
