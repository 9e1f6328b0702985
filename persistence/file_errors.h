#pragma once
// Why a file operation failed, in the player's language. Qt reports file
// errors in English only; on Unix the errno of the failed call is still
// there to give the reason in Japanese.

#include <QString>

// The reason for this errno; `qtText` (Qt's own English text) stands in for
// an errno without a reason of its own, and an empty one for an unknown one.
QString reasonOf(int error, const QString &qtText);
