#pragma once
// What the side windows have in common.

#include <Qt>

// Fixed-size windows with a title bar and a close button only. Each is a
// child of the stage with the Window flag, so it goes when the stage goes.
inline constexpr Qt::WindowFlags kSideWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
    | Qt::MSWindowsFixedSizeDialogHint;

