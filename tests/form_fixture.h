#pragma once
// A main window on a fake host, created fresh for every test, with the
// widget classes the tests reach into, and the user's hands: typing, clicks
// on the buttons and the answer labels.

#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "fake_host.h"
#include "windows/ending_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

class StageTest : public ::testing::Test {
protected:
    FakeHost host;
    std::unique_ptr<Form1> form = std::make_unique<Form1>(host);

    // Runs what closing a window with WA_DeleteOnClose left for later.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Types text as keystrokes. Key events carry their text, so kana reach
    // the box as a Japanese keyboard layout would send them.
    static void typeInto(QWidget *box, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClicks(box, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    // One tick of a running timer, through its timeout signal, without
    // waiting for it: a stopped timer does not tick.
    static void tick(QTimer *timer)
    {
        ASSERT_TRUE(timer->isActive()) << timer->objectName().toStdString() << " is not running";
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    QString said() const { return form->lblMessage->text(); }
    void type(const QString &text) { typeInto(form->txtNyuryoku, text); }
    void confirm() { click(form->cmdKakunin); }
    void back() { click(form->cmdModoru); }
    void choose(int k) { click(form->lblSentaku[k - 1]); }
    // Types and confirms, as the user enters a name or a word.
    void enter(const QString &text)
    {
        type(text);
        confirm();
    }
    // Teaches a new word with the given answers, one click and confirm a question.
    void teach(const QString &word, std::initializer_list<int> answers)
    {
        enter(word);
        for (int k : answers) {
            choose(k);
            confirm();
        }
    }
};
