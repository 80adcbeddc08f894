// One scenario, two windows: the in-memory controls and the real Qt window.
// A harness delivers a user's actions and reads back what the window shows.
#pragma once

#include "window/controls.h"
#include "window/form.h"
#include "support/memory_controls.h"

#include <QStringList>
#include <memory>
#include <string>

class Harness {
public:
    virtual ~Harness() = default;
    virtual Form& form() = 0;
    virtual const Controls& controls() = 0;
    virtual ScriptedDialogs& dialogs() = 0;

    // The user clicks item `index` of List1/List2/List3 (`list` = 1..3).
    virtual void click(int list, int index) = 0;
    // The user clicks the search button after typing `text` into Text11.
    virtual void search(const QString& text) = 0;
    // The user picks a search option: 1 郡漢字, 2 郡読み, 3 県漢字, 4 県読み, 5 県備考.
    virtual void option(int mode) = 0;
    // The user picks "ＨＰ" (0) or an other-software item (1..6).
    virtual void menuItem(int n) = 0;
    // What item `index` of List`list` tells of itself when asked (where its
    // record lies): on the real window its tooltip, which must equal its
    // accessible description.
    virtual QString hint(int list, int index) = 0;

    QString text(int n) { return controls().text[static_cast<std::size_t>(n)]->text(); }
    // The item texts of List`n`, as the handlers compare them.
    QStringList items(int n) { return eachItem(n, &ListBox::item); }
    // What the user reads of each item of List`n`.
    QStringList shownItems(int n) { return eachItem(n, &ListBox::shown); }
    bool shown(int n) { return controls().picture[static_cast<std::size_t>(n)]->isShown(); }
    QString bitmap(int n) { return controls().picture[static_cast<std::size_t>(n)]->bitmap(); }
    QString prompt() { return controls().label1->caption(); }
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

private:
    QStringList eachItem(int n, QString (ListBox::*get)(int) const) {
        QStringList out;
        const ListBox* l = controls().list[static_cast<std::size_t>(n)];
        for (int i = 0; i < l->count(); ++i)
            out << (l->*get)(i);
        return out;
    }
};

class MemoryHarness : public Harness {
public:
    MemoryHarness() : form_(w_.c) { form_.Form_Load(); }
    Form& form() override { return form_; }
    const Controls& controls() override { return w_.c; }
    ScriptedDialogs& dialogs() override { return w_.dialogs; }
    void click(int list, int index) override;
    void search(const QString& text) override;
    void option(int mode) override;
    void menuItem(int n) override;
    QString hint(int list, int index) override;

private:
    MemoryWindow w_;
    Form form_;
};

// "memory" or "qt"; the Qt harness drives the real widgets with QTest.
std::unique_ptr<Harness> makeHarness(const std::string& kind);

// Parameter list for INSTANTIATE_TEST_SUITE_P over both windows.
#define QM_BOTH_WINDOWS ::testing::Values(std::string("memory"), std::string("qt"))
