#include "app/host.h"

#include "windows/system_info.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>

QDate DesktopHost::today() { return QDate::currentDate(); }

void DesktopHost::seedRandom()
{
    engine_.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

double DesktopHost::nextRandom()
{
    // 53 random bits scaled into [0, 1): never reaches 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void DesktopHost::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kMessageCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

void DesktopHost::exitProgram()
{
    // Leaving the event loop lets main() destroy the main window, and with it
    // every other window, which are all its children.
    QApplication::exit(0);
}

SystemTools &DesktopHost::systemTools() { return platformSystemTools(); }
