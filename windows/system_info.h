#pragma once
// Finding and starting the operating system's system-information tool, as the
// version window's button does: the one the registry names, or else the
// desktop's own (KDE's, GNOME's, HardInfo). The registry, the search for
// programs and their start sit behind SystemTools, so that the steps can be
// followed on any system.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// A registry key handle as the registry functions take it: a root or an
// opened key.
using RegKey = std::uintptr_t;

// HKEY_LOCAL_MACHINE: the handle value 0x80000002, sign-extended as the
// system headers do on 64-bit.
constexpr RegKey kLocalMachine =
    static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

constexpr long kRegSuccess = 0;
constexpr long kRegNotFound = 2;
constexpr std::uint32_t kRegString = 1; // REG_SZ
constexpr std::uint32_t kKeyAccess = 0x2003F;
constexpr std::uint32_t kValueBufferSize = 1024;

// The registry functions (narrow-character forms, same results) and the two
// file-system steps the search needs.
class SystemTools {
public:
    virtual ~SystemTools() = default;

    // RegOpenKeyExA: kRegSuccess, with the opened key in key.
    virtual long openKey(RegKey root, const QByteArray &path, std::uint32_t access, RegKey &key) = 0;
    // RegQueryValueExA: length holds the buffer size on entry and the size of
    // the data on return.
    virtual long queryValue(RegKey key, const QByteArray &name, std::uint32_t &type, char *data,
                            std::uint32_t &length) = 0;
    // RegCloseKey.
    virtual void closeKey(RegKey key) = 0;
    virtual bool fileExists(const QString &path) = 0;
    // Starts the program in a normal, focused window without waiting for it;
    // false when it could not be started.
    virtual bool startProgram(const QString &path, const QStringList &arguments = {}) = 0;
    // The program of this name on the PATH; empty when there is none.
    virtual QString findProgram(const QString &name) = 0;
    // The text of the desktop's menu entry of this id (as "x.desktop" in the
    // applications folders); empty when there is none.
    virtual QString desktopEntry(const QString &id) = 0;
};

// The tools of the system the program runs on. Without a registry every key
// is missing, so the tool is never found.
SystemTools &platformSystemTools();

// Reads a string value. True when the value was read; keyVal then holds its
// text (empty for a value that is not a string), otherwise empty text.
bool GetKeyValue(SystemTools &tools, RegKey keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal);

// Finds the system-information tool and starts it. False when it is not
// found or does not start: the caller then says it is unavailable.
// Without one in the registry, the desktop's programs are looked for by
// name on the PATH, then by their menu entries (which also find those
// installed as Flatpaks).
bool startSysInfoTool(SystemTools &tools);

inline const QString kSysInfoUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
