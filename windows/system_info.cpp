#include "windows/system_info.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <array>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <QDir>
#include <windows.h>

#include <string>
#endif

namespace {

// A plain file, as a directory listing would find it: a folder of that name
// does not count.
bool isFile(const QString &path) { return QFileInfo(path).isFile(); }

// The search for programs is the same on every system.
class DesktopSearch : public SystemTools {
public:
    QString findProgram(const QString &name) override { return QStandardPaths::findExecutable(name); }
    QString desktopEntry(const QString &id) override
    {
        QFile entry(QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id));
        return entry.open(QIODevice::ReadOnly) ? QString::fromUtf8(entry.readAll()) : QString();
    }
};

#ifdef Q_OS_WIN

HKEY handle(RegKey key) { return reinterpret_cast<HKEY>(key); }

class WindowsSystemTools final : public DesktopSearch {
public:
    long openKey(RegKey root, const QByteArray &path, std::uint32_t access, RegKey &key) override
    {
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(handle(root), path.constData(), 0, access, &opened);
        key = reinterpret_cast<RegKey>(opened);
        return rc;
    }

    long queryValue(RegKey key, const QByteArray &name, std::uint32_t &type, char *data, std::uint32_t &length) override
    {
        DWORD valueType = 0;
        DWORD size = length;
        const LONG rc = RegQueryValueExA(handle(key), name.constData(), nullptr, &valueType,
                                         reinterpret_cast<BYTE *>(data), &size);
        type = valueType;
        length = size;
        return rc;
    }

    void closeKey(RegKey key) override { RegCloseKey(handle(key)); }

    bool fileExists(const QString &path) override { return isFile(path); }

    bool startProgram(const QString &path, const QStringList &arguments) override
    {
        if (!arguments.isEmpty())
            return QProcess::startDetached(path, arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // The program is named on its own, so that a path with spaces is
        // never split; its command line is the quoted path alone.
        const std::wstring program = QDir::toNativeSeparators(path).toStdWString();
        std::wstring commandLine = L"\"" + program + L"\"";
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

#else

class NoRegistrySystemTools final : public DesktopSearch {
public:
    long openKey(RegKey, const QByteArray &, std::uint32_t, RegKey &) override { return kRegNotFound; }
    long queryValue(RegKey, const QByteArray &, std::uint32_t &, char *, std::uint32_t &) override
    {
        return kRegNotFound;
    }
    void closeKey(RegKey) override {}
    bool fileExists(const QString &path) override { return isFile(path); }
    bool startProgram(const QString &path, const QStringList &arguments) override
    {
        return QProcess::startDetached(path, arguments);
    }
};

#endif

} // namespace

SystemTools &platformSystemTools()
{
#ifdef Q_OS_WIN
    static WindowsSystemTools tools;
#else
    static NoRegistrySystemTools tools;
#endif
    return tools;
}

bool GetKeyValue(SystemTools &tools, RegKey keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal)
{
    keyVal.clear();
    bool read = false;
    RegKey key = 0;
    if (tools.openKey(keyRoot, keyName.toLocal8Bit(), kKeyAccess, key) == kRegSuccess) {
        std::array<char, kValueBufferSize> buffer{};
        std::uint32_t length = kValueBufferSize;
        std::uint32_t type = 0;
        if (tools.queryValue(key, subKeyRef.toLocal8Bit(), type, buffer.data(), length) == kRegSuccess) {
            length = std::min(length, kValueBufferSize);
            if (length > 0 && buffer[length - 1] == '\0')
                --length;
            if (type == kRegString)
                keyVal = QString::fromLocal8Bit(buffer.data(), length);
            read = true;
        }
    }
    // Closed whatever happened; after a failed open the handle is still 0.
    tools.closeKey(key);
    return read;
}

namespace {

// The command of a menu entry's Exec key, split into arguments, without the
// field codes (%f, %U, ...) that stand for files or the entry itself.
QStringList execCommand(const QString &entry)
{
    bool inEntry = false;
    for (const QString &line : entry.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            inEntry = trimmed == u"[Desktop Entry]";
        else if (inEntry && trimmed.startsWith(u"Exec=")) {
            QStringList command;
            for (const QString &argument : QProcess::splitCommand(trimmed.mid(5))) {
                if (!(argument.size() == 2 && argument.front() == u'%' && argument.back() != u'%'))
                    command << QString(argument).replace(QStringLiteral("%%"), QStringLiteral("%"));
            }
            return command;
        }
    }
    return {};
}

bool startDesktopInfoTool(SystemTools &tools)
{
    // Each desktop's program, under the names its versions used.
    const std::pair<const char *, QStringList> programs[] = {
        {"kinfocenter", {QStringLiteral("org.kde.kinfocenter.desktop"), QStringLiteral("kinfocenter.desktop")}},
        {"gnome-system-monitor",
         {QStringLiteral("org.gnome.SystemMonitor.desktop"), QStringLiteral("gnome-system-monitor.desktop")}},
        {"hardinfo", {QStringLiteral("hardinfo.desktop")}},
    };
    for (const auto &[name, entries] : programs) {
        if (const QString path = tools.findProgram(QLatin1String(name)); !path.isEmpty())
            return tools.startProgram(path);
    }
    for (const auto &[name, entries] : programs) {
        for (const QString &id : entries) {
            const QStringList command = execCommand(tools.desktopEntry(id));
            if (!command.isEmpty())
                return tools.startProgram(command.front(), command.mid(1));
        }
    }
    return false;
}

} // namespace

bool startSysInfoTool(SystemTools &tools)
{
    QString path;
    if (!GetKeyValue(tools, kLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                     QStringLiteral("PATH"), path)) {
        QString folder;
        if (!GetKeyValue(tools, kLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                         QStringLiteral("MSINFO"), folder))
            return startDesktopInfoTool(tools);
        path = folder + QStringLiteral("\\MSINFO32.EXE");
        if (!tools.fileExists(path))
            return false;
    }
    // A path read from the first value is trusted as it is: a wrong one shows
    // up as a start that fails.
    return tools.startProgram(path);
}
