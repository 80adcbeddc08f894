#include "support/harness.h"

#include <gtest/gtest.h>

void Harness::clickItem(int list, const QString& item) {
    const int index = static_cast<int>(items(list).indexOf(item));
    ASSERT_GE(index, 0) << "no item " << item.toStdString() << " in List" << list;
    click(list, index);
}

ui::Role Harness::roleOf(const QString& name) {
    const ui::ControlRow* row = ui::controlNamed(name);
    EXPECT_TRUE(row) << "the design has no control " << name.toStdString();
    return row ? row->role : ui::Role::None;
}

QString Harness::snapshot() {
    QStringList parts;
    for (int n = 1; n <= ui::kTextBoxes; ++n)
        parts << QStringLiteral("Text%1=%2").arg(n).arg(text(n));
    for (int n = 1; n <= ui::kLists; ++n)
        parts << QStringLiteral("List%1=%2@%3").arg(n).arg(items(n).join(u'|')).arg(listBox(n).selectedIndex());
    for (int n = 1; n <= ui::kPictures; ++n)
        parts << QStringLiteral("Picture%1=%2:%3").arg(n).arg(shown(n)).arg(bitmap(n));
    parts << prompt() << QString::number(form().kop) << form().fname;
    return parts.join(u'\n');
}

void MemoryHarness::aim(int list, int index) {
    if (list < 1 || list > ui::kLists) {
        ADD_FAILURE() << "no list List" << list;
        return;
    }
    w_.list[static_cast<std::size_t>(list)].select(index);
}

void Harness::deliverClick(int list) {
    switch (list) {
    case 1: form().List1_Click(); break;
    case 2: form().List2_Click(); break;
    case 3: form().List3_Click(); break;
    default: ADD_FAILURE() << "no list List" << list; break;
    }
}

void MemoryHarness::option(int mode) {
    switch (mode) {
    case 1: form_.mnukan_Click(); break;
    case 2: form_.mnuyomi_Click(); break;
    case 3: form_.mnukan2_Click(); break;
    case 4: form_.mnuyomi2_Click(); break;
    case 5: form_.mnubiko2_Click(); break;
    default: ADD_FAILURE() << "no search option " << mode; break;
    }
}

void MemoryHarness::menuItem(int n) {
    if (n == 0)
        form_.mnugokan_Click();
    else
        form_.mnuex_Click(n);
}

std::unique_ptr<Harness> makeQtHarness(const Gazetteer& gazetteer);

std::unique_ptr<Harness> makeHarness(const std::string& kind, const Gazetteer& gazetteer) {
    if (kind == "qt")
        return makeQtHarness(gazetteer);
    return std::make_unique<MemoryHarness>(gazetteer);
}
