#pragma once
// What a save file can hold in a text field: no double quote (it would end
// the field), no control character (a line end would split the record), and
// nothing that Shift_JIS (code page 932) cannot encode.

#include <QStringView>

bool isStorableText(QStringView text);
