#include "windows/fake_system_tools.h"

#include <gtest/gtest.h>

TEST(GetKeyValue, ReadsAStringOrLeavesEmptyTextAndNoOpenKey)
{
    FakeSystemTools tools;
    tools.setString("K", "V", "C:\\Tools\\x.exe");
    tools.keys["K"]["Long"] = {FakeSystemTools::kRegSz, QByteArray(1025, 'a')};
    const std::string full(1023, 'f'); // with its NUL, as long as a value may be
    tools.keys["K"]["Full"] = {FakeSystemTools::kRegSz, QByteArray::fromStdString(full) + '\0'};
    tools.keys["K"]["Number"] = {4, QByteArray("\x01\x00\x00\x00", 4)};
    tools.keys["K"]["Bare"] = {FakeSystemTools::kRegSz, "abc"};
    tools.keys["K"]["Nul"] = {FakeSystemTools::kRegSz, QByteArray(1, '\0')};
    tools.keys["K"]["Empty"] = {FakeSystemTools::kRegSz, QByteArray()};
    const std::tuple<const char *, const char *, bool, const char *> cases[] = {
        {"K", "V", true, "C:\\Tools\\x.exe"}, // the NUL is not part of it
        {"Missing", "V", false, ""},
        {"K", "Missing", false, ""},
        {"K", "Long", false, ""},
        {"K", "Full", true, full.c_str()},
        {"K", "Number", true, ""},
        {"K", "Bare", true, "abc"}, // a string stored without its NUL keeps its last character
        {"K", "Nul", true, ""},
        {"K", "Empty", true, ""},
    };
    for (const auto &[key, name, read, text] : cases) {
        SCOPED_TRACE(std::string(key) + "/" + name);
        QString value = QStringLiteral("stale");
        EXPECT_EQ(GetKeyValue(tools, kLocalMachine, QLatin1String(key), QLatin1String(name), value), read);
        EXPECT_EQ(value, QLatin1String(text));
        EXPECT_EQ(tools.openKeys(), 0);
    }
}

// The tool the registry names: by its path, trusted, or else by its folder,
// where the file is looked for first. Without a registry the desktop's own
// program is started: one on the PATH first (in /usr/bin here), in the order
// KDE's, GNOME's, HardInfo, then one a menu entry names (a Flatpak, say), its
// command without the entry's field codes.
TEST(showSystemInfo, FollowsTheRegistryOrStartsTheDesktopsOwnProgram)
{
    const QString joined = QStringLiteral("D:\\Info\\MSINFO32.EXE");
    const QString flatpak = QStringLiteral("[Desktop Entry]\nName=Info\nExec=flatpak run org.kde.kinfocenter %U\n"
                                           "[Desktop Action help]\nExec=wrong\n");
    const QString quoted =
        QStringLiteral("[Desktop Action a]\nExec=wrong\n[Desktop Entry]\nExec=\"/opt/hard info/hi\" %f 9%%\n");
    const struct {
        QByteArray path, folder; // empty: the value is missing
        bool fileThere, startWorks;
        QStringList programs;
        std::map<QString, QString> entries;
        QStringList started, checked;
    } cases[] = {
        {"C:\\m.exe", "D:\\Info", false, true, {}, {}, {"C:\\m.exe"}, {}}, // the path, trusted unchecked
        {"C:\\m.exe", "", false, false, {}, {}, {"C:\\m.exe"}, {}},        // the path, which does not start
        {"", "D:\\Info", true, true, {}, {}, {joined}, {joined}},          // the folder with the file
        {"", "D:\\Info", false, true, {}, {}, {}, {joined}},               // the folder without it
        {"", "D:\\Info", true, false, {}, {}, {joined}, {joined}},         // the folder, and the start fails
        {"", "", true, true, {}, {}, {}, {}},                              // neither, nor a program of the desktop
        {"", "", false, true, {"hardinfo", "gnome-system-monitor"}, {}, {"/usr/bin/gnome-system-monitor"}, {}},
        {"", "", false, true, {"gnome-system-monitor", "kinfocenter"}, {}, {"/usr/bin/kinfocenter"}, {}},
        {"", "", false, true, {"hardinfo"}, {{"org.kde.kinfocenter.desktop", flatpak}}, {"/usr/bin/hardinfo"}, {}},
        {"", "", false, true, {}, {{"org.kde.kinfocenter.desktop", flatpak}}, {"flatpak run org.kde.kinfocenter"}, {}},
        {"", "", false, true, {}, {{"hardinfo.desktop", quoted}}, {"/opt/hard info/hi 9%"}, {}},
        {"", "", false, true, {}, {{"gnome-system-monitor.desktop", "[Desktop Entry]\nName=x\n"}}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.started.value(0).toStdString());
        FakeSystemTools tools;
        if (!c.path.isEmpty())
            tools.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", c.path);
        if (!c.folder.isEmpty())
            tools.setString("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", c.folder);
        if (c.fileThere)
            tools.files << joined;
        tools.startSucceeds = c.startWorks;
        for (const QString &program : c.programs)
            tools.programs[program] = QStringLiteral("/usr/bin/") + program;
        tools.entries = c.entries;
        EXPECT_EQ(startSysInfoTool(tools), c.startWorks && !c.started.isEmpty());
        EXPECT_EQ(tools.started, c.started);
        EXPECT_EQ(tools.fileChecks, c.checked);
        EXPECT_EQ(tools.openKeys(), 0);
    }
}
