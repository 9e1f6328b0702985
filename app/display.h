#pragma once
// Whether a window can be shown at all, found out before the toolkit starts:
// without a display it aborts with a text meant for developers.

#include <QString>
#include <QStringList>

// Why no window can be shown here, as one line for the terminal; empty when
// an X11 display or a Wayland compositor (with Qt's plugin for it) answers,
// or when the arguments or QT_QPA_PLATFORM choose the platform themselves.
QString missingDisplay(const QStringList &arguments);
