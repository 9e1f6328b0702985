#pragma once
// A registry and program starter for tests: keys and values are set up by
// the test, and every call is recorded.

#include "windows/system_info.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

class FakeSystemTools final : public SystemTools {
public:
    struct Value {
        std::uint32_t type = kRegString;
        QByteArray data;   // as stored, terminating NUL included
    };
    std::map<QByteArray, std::map<QByteArray, Value>> keys;
    QStringList files;
    bool startSucceeds = true;

    // What was asked.
    std::vector<std::uint32_t> accessMasks;
    std::vector<RegKey> roots;
    std::vector<RegKey> closed;
    std::vector<std::uint32_t> queryLengths;
    bool buffersZeroed = true;
    QStringList fileChecks;
    QStringList started;

    void setString(const QByteArray &key, const QByteArray &name, const QByteArray &text)
    {
        keys[key][name] = {kRegString, text + '\0'};
    }
    // Keys opened and not closed again.
    int openKeys() const
    {
        int open = 0;
        for (std::size_t k = 0; k < opened_.size(); ++k)
            open += std::count(closed.begin(), closed.end(), handleOf(k)) == 0;
        return open;
    }

    long openKey(RegKey root, const QByteArray &path, std::uint32_t access, RegKey &key) override
    {
        roots.push_back(root);
        accessMasks.push_back(access);
        if (!keys.contains(path))
            return kRegNotFound;
        key = handleOf(opened_.size());
        opened_.push_back(path);
        return kRegSuccess;
    }

    long queryValue(RegKey key, const QByteArray &name, std::uint32_t &type, char *data,
                    std::uint32_t &length) override
    {
        queryLengths.push_back(length);
        buffersZeroed = buffersZeroed && std::all_of(data, data + length, [](char c) { return c == 0; });
        const auto &values = keys.at(opened_.at(key - handleOf(0)));
        const auto found = values.find(name);
        if (found == values.end())
            return kRegNotFound;
        const Value &value = found->second;
        const auto size = static_cast<std::uint32_t>(value.data.size());
        if (size > length) {
            length = size;
            return kRegMoreData;
        }
        std::memcpy(data, value.data.constData(), size);
        length = size;
        type = value.type;
        return kRegSuccess;
    }

    void closeKey(RegKey key) override { closed.push_back(key); }

    bool fileExists(const QString &path) override
    {
        fileChecks << path;
        return files.contains(path);
    }

    bool startProgram(const QString &path) override
    {
        started << path;
        return startSucceeds;
    }

private:
    static RegKey handleOf(std::size_t k) { return 0x100 + k; }
    std::vector<QByteArray> opened_;
};
