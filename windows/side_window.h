#pragma once
// What the side windows have in common.

#include <QPointer>
#include <Qt>

// Fixed-size windows with a title bar and a close button only. Each is a
// child of the stage with the Window flag, so it goes when the stage goes.
inline constexpr Qt::WindowFlags kSideWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                    | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A side window already open is only brought to the front: it keeps the
// values it was opened with.
template <typename Window, typename Make>
void openOrRaise(QPointer<Window> &window, Make make)
{
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window = make();
    window->show();
}
