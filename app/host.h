#pragma once
// What the game asks of the world outside it: today's date, chance, modal
// message boxes and ending the program. The desktop answers for real; tests
// answer with a fixed date, scripted draws, recorded messages and a flag, so
// that nothing in a test waits on the clock, a real draw or a modal box.

#include <QDate>
#include <QString>

#include <random>

class QWidget;
class SystemTools;

class Host {
public:
    virtual ~Host() = default;

    virtual QDate today() = 0;
    // Seeds the random source from the clock (every new game does).
    virtual void seedRandom() = 0;
    // A draw r, uniform with 0 <= r < 1.
    virtual double nextRandom() = 0;
    // A modal box captioned "nanairobako" with only OK and no icon; returns
    // when it is closed.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
    // Ends the program at once: every window closes, nothing is saved.
    virtual void exitProgram() = 0;
    // The registry and program start behind the version window's
    // system-information button.
    virtual SystemTools &systemTools() = 0;
};

class DesktopHost final : public Host {
public:
    QDate today() override;
    void seedRandom() override;
    double nextRandom() override;
    void showMessage(QWidget *parent, const QString &text) override;
    void exitProgram() override;
    SystemTools &systemTools() override;

private:
    std::mt19937_64 engine_;
};

inline const QString kMessageCaption = QStringLiteral("nanairobako");
