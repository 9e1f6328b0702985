#include "windows/fake_system_tools.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
} // namespace

TEST(GetKeyValue, ReadsAStringIntoAZeroedBufferAndClosesTheKey)
{
    FakeSystemTools tools;
    tools.setString("K", "V", "C:\\Tools\\x.exe");
    QString value = QStringLiteral("stale");
    EXPECT_TRUE(GetKeyValue(tools, kLocalMachine, QStringLiteral("K"), QStringLiteral("V"), value));
    EXPECT_EQ(value, QStringLiteral("C:\\Tools\\x.exe"));   // the NUL is not part of it
    EXPECT_EQ(tools.roots, std::vector<RegKey>{kLocalMachine});
    EXPECT_EQ(tools.accessMasks, std::vector<std::uint32_t>{0x2003F});
    EXPECT_EQ(tools.queryLengths, std::vector<std::uint32_t>{1024});
    EXPECT_TRUE(tools.buffersZeroed);
    EXPECT_EQ(tools.openKeys(), 0);
}

TEST(GetKeyValue, FailuresLeaveEmptyTextAndNoOpenKey)
{
    FakeSystemTools tools;
    tools.keys["K"]["Long"] = {kRegString, QByteArray(1025, 'a')};
    tools.keys["K"]["Number"] = {4, QByteArray("\x01\x00\x00\x00", 4)};
    struct Case {
        const char *key, *name;
        bool read;
    };
    for (const Case c : {Case{"Missing", "V", false}, Case{"K", "Missing", false},
                         Case{"K", "Long", false}, Case{"K", "Number", true}}) {
        SCOPED_TRACE(std::string(c.key) + "/" + c.name);
        QString value = QStringLiteral("stale");
        EXPECT_EQ(GetKeyValue(tools, kLocalMachine, QLatin1String(c.key), QLatin1String(c.name), value),
                  c.read);
        EXPECT_TRUE(value.isEmpty());
        EXPECT_EQ(tools.openKeys(), 0);
    }
    // A key that could not be opened is closed as well, with the empty handle.
    ASSERT_EQ(tools.closed.size(), 4u);
    EXPECT_EQ(tools.closed.front(), RegKey{0});
}

TEST(StartSysInfo, FollowsTheRegistryToTheTool)
{
    struct Case {
        const char *name;
        QByteArray path, folder;   // empty: the value is missing
        bool fileThere, startWorks;
        bool result;
        QStringList started;
        QStringList checked;
    };
    const QString joined = QStringLiteral("D:\\Info\\MSINFO32.EXE");
    const Case cases[] = {
        {"path trusted unchecked", "C:\\m.exe", "D:\\Info", false, true, true, {"C:\\m.exe"}, {}},
        {"path does not start", "C:\\m.exe", "", false, false, false, {"C:\\m.exe"}, {}},
        {"folder with the file", "", "D:\\Info", true, true, true, {joined}, {joined}},
        {"folder without the file", "", "D:\\Info", false, true, false, {}, {joined}},
        {"folder, start fails", "", "D:\\Info", true, false, false, {joined}, {joined}},
        {"neither", "", "", true, true, false, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystemTools tools;
        if (!c.path.isEmpty())
            tools.setString(kMsinfoKey, "PATH", c.path);
        if (!c.folder.isEmpty())
            tools.setString(kLocationKey, "MSINFO", c.folder);
        if (c.fileThere)
            tools.files << joined;
        tools.startSucceeds = c.startWorks;
        EXPECT_EQ(startSysInfoTool(tools), c.result);
        EXPECT_EQ(tools.started, c.started);
        EXPECT_EQ(tools.fileChecks, c.checked);
        EXPECT_EQ(tools.openKeys(), 0);
    }
}
