#include "windows/host.h"

#include "engine/system_info.h"

#include <QApplication>
#include <QMessageBox>

void DesktopHost::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kMessageCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

void DesktopHost::exitProgram()
{
    // Leaving the event loop lets the program's entry destroy the main
    // window, and with it every other window, which are all its children.
    QApplication::exit(0);
}

SystemTools &DesktopHost::systemTools() { return platformSystemTools(); }
