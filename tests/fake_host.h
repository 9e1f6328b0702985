#pragma once
// The desktop for window tests: recorded message boxes, a recorded exit and
// a fake registry. Nothing blocks on a modal box.

#include "windows/fake_system_tools.h"
#include "qt_printers.h"
#include "windows/host.h"

#include <QStringList>

class FakeHost final : public Host {
public:
    QStringList messages;
    QStringList questions;
    QList<int> answers; // taken front first; the last button when none is left
    int exits = 0;
    FakeSystemTools tools;

    void showMessage(QWidget *, const QString &text) override { messages << text; }
    int ask(QWidget *, const QString &text, const QStringList &buttons, int) override
    {
        questions << text + QStringLiteral(" [") + buttons.join(u'/') + u']';
        return answers.isEmpty() ? int(buttons.size()) - 1 : answers.takeFirst();
    }
    void exitProgram() override { ++exits; }
    SystemTools &systemTools() override { return tools; }
};
