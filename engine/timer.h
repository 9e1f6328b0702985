#pragma once
// A timer as the rules see it: switched on and off, re-timed, and ticked by
// whoever keeps real time (a window's QTimer, or a test calling the tick).

class Timer {
public:
    constexpr Timer(int interval, bool enabled) : interval_(interval), enabled_(enabled) {}

    // Switching on a timer that is on leaves its countdown alone; switching on
    // one that was off starts a fresh countdown.
    void enable()
    {
        if (!enabled_) {
            enabled_ = true;
            ++starts_;
        }
    }
    void disable() { enabled_ = false; }
    // A new interval restarts the countdown of a timer that is on.
    void setInterval(int ms)
    {
        if (ms == interval_)
            return;
        interval_ = ms;
        if (enabled_)
            ++starts_;
    }

    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    // An enabled timer without an interval never fires.
    bool running() const { return enabled_ && interval_ > 0; }
    // Counts fresh countdowns, so that a view can tell a restart from a timer
    // left running.
    int starts() const { return starts_; }

private:
    int interval_;
    bool enabled_;
    int starts_ = 0;
};
