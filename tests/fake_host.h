#pragma once
// The desktop for window tests: recorded message boxes, a recorded exit and
// a fake registry. Nothing blocks on a modal box.

#include "qt_printers.h"
#include "windows/fake_system_tools.h"
#include "windows/host.h"

#include <QStringList>

#include <functional>

class FakeHost final : public Host {
public:
    QStringList messages;
    QStringList questions;
    QList<int> answers; // taken front first; the last button when none is left
    int exits = 0;
    FakeSystemTools tools;
    // Told of each message as it comes, while the screen still shows its moment.
    std::function<void(const QString &text)> onMessage;
    // Answers the questions in place of `answers` where set.
    std::function<int(const QString &text, const QStringList &buttons, int defaultButton)> onAsk;

    void showMessage(QWidget *, const QString &text) override
    {
        messages << text;
        if (onMessage)
            onMessage(text);
    }
    int ask(QWidget *, const QString &text, const QStringList &buttons, int defaultButton) override
    {
        questions << text + QStringLiteral(" [") + buttons.join(u'/') + u']';
        if (onAsk)
            return onAsk(text, buttons, defaultButton);
        return answers.isEmpty() ? int(buttons.size()) - 1 : answers.takeFirst();
    }
    void exitProgram() override { ++exits; }
    SystemTools &systemTools() override { return tools; }
};
