#pragma once
// Files as bytes, for the tests that write a file and read one back.

#include "qt_printers.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>
#include <sys/stat.h>

inline QString s(const char *utf8) { return QString::fromUtf8(utf8); }
// A taught word of the commonest answers.
inline WordRecord word(const QString &text) { return {text, s("1"), s("3"), s("1"), s("1"), s("2")}; }

inline QByteArray bytesOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The permission bits of the file or link itself; 0 when there is none.
inline mode_t modeOf(const QString &path)
{
    struct stat status {};
    return lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Writes a file of exactly these bytes, replacing what it held.
inline void put(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << fileName.toStdString();
    file.write(bytes);
}

// The bytes a data line spells: \r \n \t \\ and \xNN escaped, the rest as typed.
inline QByteArray unescaped(const QString &text)
{
    const QByteArray in = text.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i] == '\\' && i + 1 < in.size() ? in[++i] : 0;
        if (c == 'x') {
            out += char(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += !c ? in[i] : c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return out;
}
// A text on one data line.
inline QString escaped(QString text)
{
    return text.replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
}

// Compares a text with the golden file at this path; with
// NANAIRO_UPDATE_GOLDEN=1 the text is written there instead.
inline void expectGoldenText(const QString &path, const QString &text)
{
    if (qEnvironmentVariableIsSet("NANAIRO_UPDATE_GOLDEN") && text.toUtf8() != bytesOf(path))
        return put(path, text.toUtf8());
    // gtest shows the two texts' difference line by line.
    EXPECT_EQ(text.toStdString(), bytesOf(path).toStdString()) << path.toStdString();
}
