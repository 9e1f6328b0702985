#pragma once
// What the rules ask of the world: today's date and chance. The desktop
// answers from the clock; tests answer with a fixed date and scripted draws.

#include <QDate>

#include <random>

class Environment {
public:
    virtual ~Environment() = default;
    virtual QDate today() = 0;
    // Seeds the random source from the clock (every new game does).
    virtual void seedRandom() = 0;
    // A draw r, uniform with 0 <= r < 1.
    virtual double nextRandom() = 0;
    // Lets this much time pass while a save waits for a file, the program
    // still painting and running its timers (but taking no input).
    virtual void pause(int milliseconds) = 0;
};

class SystemEnvironment final : public Environment {
public:
    QDate today() override;
    void seedRandom() override;
    double nextRandom() override;
    void pause(int milliseconds) override;

private:
    std::mt19937_64 engine_;
};
