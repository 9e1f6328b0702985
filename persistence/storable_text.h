#pragma once
// What a save file can hold in a text field: no double quote (it would end
// the field), no control character (a line end would split the record), and
// nothing that Shift_JIS (code page 932) cannot encode so that it reads back
// unchanged.

#include <QString>
#include <QStringView>

bool isStorableText(QStringView text);

// The text with each character that input methods on Linux type under a JIS
// code point replaced by its look-alike in code page 932 (〜 U+301C becomes
// ～ U+FF5E, and so on): the pairs by which the two code tables differ.
QString withCp932Twins(QString text);
