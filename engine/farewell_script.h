#pragma once
// What the character says in the farewell scene, one line a click.

#include <QString>

constexpr int kScriptLines = 27; // lines 0 ... 26; the next click says goodbye

// Line n (0 ... kScriptLines - 1) with the user's name put in.
QString scriptLine(int n, const QString &name);
// A silent line is only dots: the mouth does not move for it.
bool isSilentLine(int n);

inline const QString kFarewellOpening = QStringLiteral("・・・・・。");
inline const QString kFarewellGoodbye = QStringLiteral("ばいばい。");
