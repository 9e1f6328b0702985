#pragma once
// Whether a window can be shown at all, found out before the toolkit starts:
// without a display it aborts with a text meant for developers.

#include <QString>
#include <QStringList>

// Why no window can be shown here, as one line for the terminal: no desktop
// answers, a Wayland one answers but Qt's plugin for it is missing, or the
// platform that -platform or QT_QPA_PLATFORM asks for is not installed.
// Empty when a window can be tried.
QString missingDisplay(const QStringList &arguments);
