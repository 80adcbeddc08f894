// A real window over a scratch gazetteer, with scripted dialogs so no test
// ever blocks on a modal box.
#pragma once

#include "support/memory_controls.h"
#include "support/sample_data.h"
#include "window/widgets/main_window.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

class WindowTest : public ::testing::Test {
protected:
    // The control `name` as a T. A missing one ends the test as a failure
    // (GoogleTest reports the exception) instead of a null to crash on.
    template <class T = QWidget>
    T* get(const QString& name) {
        T* widget = qobject_cast<T*>(window.control(name));
        if (!widget) {
            ADD_FAILURE() << "the window has no " << T::staticMetaObject.className() << " "
                          << name.toStdString();
            throw std::runtime_error("missing control");
        }
        return widget;
    }
    void showAndActivate() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // The design's List<n> and Picture<n>, as the handlers see them.
    ListBox& listBox(int n) {
        return *window.controls().list(ui::controlNamed(QStringLiteral("List%1").arg(n))->role);
    }
    PictureBox& pictureBox(int n) {
        return *window.controls().picture(ui::controlNamed(QStringLiteral("Picture%1").arg(n))->role);
    }
    // What the client area looks like on screen at `p`.
    QColor renderedAt(QPoint p) { return window.clientArea()->grab().toImage().pixelColor(p); }

    WorkDir wd;  // first: the window's Load reads it
    ScriptedDialogs dialogs;
    MainWindow window{wd.gazetteer(), &dialogs};
};
