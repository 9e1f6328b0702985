#pragma once
// A registry and program starter for tests: keys and values are set up by
// the test, under HKEY_LOCAL_MACHINE only, and the calls that matter are
// recorded.

#include "windows/system_info.h"

#include <QStringList>

#include <cstring>
#include <map>
#include <set>

class FakeSystemTools final : public SystemTools {
public:
    // The system's own numbers, not the code's names for them: a string
    // value, success, a missing key or value, a buffer too small.
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr long kSuccess = 0, kNotFound = 2, kMoreData = 234;
    struct Value {
        std::uint32_t type = kRegSz;
        QByteArray data; // as stored, terminating NUL included
    };
    std::map<QByteArray, std::map<QByteArray, Value>> keys;
    QStringList files;
    std::map<QString, QString> programs; // name: its path on the PATH
    std::map<QString, QString> entries;  // menu entry id: its text
    bool startSucceeds = true;

    QStringList fileChecks;
    QStringList started; // each program with its arguments

    void setString(const QByteArray &key, const QByteArray &name, const QByteArray &text)
    {
        keys[key][name] = {kRegSz, text + '\0'};
    }
    // Keys opened and not closed again.
    int openKeys() const { return int(open_.size()); }

    long openKey(RegKey root, const QByteArray &path, std::uint32_t, RegKey &key) override
    {
        if (root != kLocalMachine || !keys.contains(path))
            return kNotFound;
        key = 0x100 + paths_.size();
        paths_[key] = path;
        open_.insert(key);
        return kSuccess;
    }

    long queryValue(RegKey key, const QByteArray &name, std::uint32_t &type, char *data, std::uint32_t &length) override
    {
        const auto &values = keys.at(paths_.at(key));
        const auto found = values.find(name);
        if (found == values.end())
            return kNotFound;
        const Value &value = found->second;
        const auto size = static_cast<std::uint32_t>(value.data.size());
        if (size > length) {
            length = size;
            return kMoreData;
        }
        std::memcpy(data, value.data.constData(), size);
        length = size;
        type = value.type;
        return kSuccess;
    }

    void closeKey(RegKey key) override { open_.erase(key); }

    bool fileExists(const QString &path) override
    {
        fileChecks << path;
        return files.contains(path);
    }

    bool startProgram(const QString &path, const QStringList &arguments) override
    {
        started << (QStringList{path} + arguments).join(u' ');
        return startSucceeds;
    }
    QString findProgram(const QString &name) override { return programs.contains(name) ? programs[name] : QString(); }
    QString desktopEntry(const QString &id) override { return entries.contains(id) ? entries[id] : QString(); }

private:
    std::map<RegKey, QByteArray> paths_;
    std::set<RegKey> open_;
};
