#pragma once
// A main window on a fake host, created fresh for every test, with the
// widget classes the tests reach into.

#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "fake_host.h"
#include "windows/ending_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

class StageTest : public ::testing::Test {
protected:
    FakeHost host;
    std::unique_ptr<Form1> form = std::make_unique<Form1>(host);

    // Runs what closing a window with WA_DeleteOnClose left for later.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
