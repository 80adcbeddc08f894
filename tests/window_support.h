// A real window in a scratch working directory, with scripted dialogs so no
// test ever blocks on a modal box.
#pragma once

#include "sample_data.h"
#include "window/memory_controls.h"
#include "window/widgets/main_window.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

class WindowTest : public ::testing::Test {
protected:
    template <class T = QWidget>
    T* get(const QString& name) {
        T* widget = qobject_cast<T*>(window.control(name));
        EXPECT_TRUE(widget) << name.toStdString();
        return widget;
    }
    void showAndActivate() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // What the client area looks like on screen at `p`.
    QColor renderedAt(QPoint p) { return window.clientArea()->grab().toImage().pixelColor(p); }

    WorkDir wd;  // first: the window's Load runs inside it
    ScriptedDialogs dialogs;
    MainWindow window{&dialogs};
};
