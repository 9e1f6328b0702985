#pragma once
// A Host for tests: a fixed date, scripted draws, recorded message boxes and
// a recorded exit. Nothing waits on the clock, chance or a modal box.

#include "app/host.h"
#include "windows/fake_system_tools.h"

#include <QStringList>

#include <deque>

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
    void showMessage(QWidget *, const QString &text) override { messages << text; }
    void exitProgram() override { ++exits; }

    FakeSystemTools tools;
    SystemTools &systemTools() override { return tools; }
};
