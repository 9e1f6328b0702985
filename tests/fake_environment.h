#pragma once
// The clock and chance for tests: a fixed date and scripted draws.

#include "engine/environment.h"

#include <deque>
#include <functional>
#include <vector>

class FakeEnvironment final : public Environment {
public:
    QDate date{2026, 12, 6};
    std::deque<double> draws; // consumed front first; 0.0 when empty
    int seeds = 0;
    std::vector<int> pauses; // each a save made while it waited for a file
    std::function<void()> duringPause = [] {};

    QDate today() override { return date; }
    void seedRandom() override { ++seeds; }
    void pause(int milliseconds) override
    {
        pauses.push_back(milliseconds);
        duringPause();
    }
    double nextRandom() override
    {
        if (draws.empty())
            return 0.0;
        const double r = draws.front();
        draws.pop_front();
        return r;
    }
};
