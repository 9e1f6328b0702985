#include "windows/remembered.h"

#include "windows/layout.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace remembered {
namespace {

const QString kFolderKey = QStringLiteral("files/folder");
const QString kStageKey = QStringLiteral("stage/position");

// Looked up each time rather than through the application's name, so that
// the place follows XDG_CONFIG_HOME as it is now and does not depend on
// anything set before.
QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/nanairobako/nanairobako.ini");
}

void store(const QString &key, const QVariant &value)
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    if (settings.isWritable()) {
        settings.setValue(key, value);
        settings.sync();
    }
}

QVariant stored(const QString &key)
{
    const QString file = settingsFile();
    if (!QFileInfo(file).isFile())
        return {};
    return QSettings(file, QSettings::IniFormat).value(key);
}

} // namespace

QString lastFolder()
{
    const QString folder = stored(kFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void useFolder(const QString &folder)
{
    if (folder != lastFolder())
        store(kFolderKey, QDir::cleanPath(folder));
}

void restoreStagePlace(QWidget *stage)
{
    const QVariant place = stored(kStageKey);
    if (place.typeId() != QMetaType::QPoint)
        return;
    // A screen unplugged since, or a smaller one, would leave it where the
    // player cannot reach it.
    const QPoint corner = place.toPoint();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(corner)) {
            stage->move(corner);
            keepOnScreen(stage);
            return;
        }
    }
}

void keepStagePlace(const QWidget *stage) { store(kStageKey, stage->pos()); }

} // namespace remembered
