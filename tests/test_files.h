#pragma once
// Files as bytes, for the tests that write a file and read one back.

#include "qt_printers.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>
#include <sys/stat.h>

inline QString s(const char *utf8) { return QString::fromUtf8(utf8); }

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

// Compares a text with the golden file at this path; with
// NANAIRO_UPDATE_GOLDEN=1 the text is written there instead.
inline void expectGoldenText(const QString &path, const QString &text)
{
    if (qEnvironmentVariableIsSet("NANAIRO_UPDATE_GOLDEN") && text.toUtf8() != bytesOf(path))
        return put(path, text.toUtf8());
    // gtest shows the two texts' difference line by line.
    EXPECT_EQ(text.toStdString(), bytesOf(path).toStdString()) << path.toStdString();
}
