#include "engine/environment.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

QDate SystemEnvironment::today() { return QDate::currentDate(); }

void SystemEnvironment::seedRandom() { engine_.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch())); }

void SystemEnvironment::pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

double SystemEnvironment::nextRandom()
{
    // 53 random bits scaled into [0, 1): never reaches 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}
