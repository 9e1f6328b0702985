#pragma once
// A Host for tests: a fixed date, scripted draws, recorded message boxes and
// a recorded exit. Nothing waits on the clock, chance or a modal box.

#include "app/host.h"
#include "qt_printers.h"
#include "windows/fake_system_tools.h"

#include <QStringList>

#include <deque>
#include <functional>

class FakeHost final : public Host {
public:
    QDate date{2026, 12, 6};
    std::deque<double> draws;   // consumed front first; 0.0 when empty
    int seeds = 0;
    QStringList messages;
    int exits = 0;

    QDate today() override { return date; }
    void seedRandom() override { ++seeds; }
    double nextRandom() override
    {
        if (draws.empty())
            return 0.0;
        const double r = draws.front();
        draws.pop_front();
        return r;
    }
    // What the windows looked like when each box came up, as `scene` tells
    // it: the order of boxes and sentences is part of the behaviour.
    std::function<QString()> scene;
    QStringList scenes;

    void showMessage(QWidget *, const QString &text) override
    {
        messages << text;
        if (scene)
            scenes << scene() + QStringLiteral(" / box: ") + text;
    }
    void exitProgram() override { ++exits; }

    FakeSystemTools tools;
    SystemTools &systemTools() override { return tools; }
};
