#include "windows/host.h"

#include "windows/system_info.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void DesktopHost::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kMessageCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

int DesktopHost::ask(QWidget *parent, const QString &text, const QStringList &buttons, int defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, kMessageCaption, text, QMessageBox::NoButton, parent);
    QList<QPushButton *> added;
    for (const QString &caption : buttons) {
        const QMessageBox::ButtonRole role = added.isEmpty()                      ? QMessageBox::AcceptRole
                                             : added.size() + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                                  : QMessageBox::DestructiveRole;
        added << box.addButton(caption, role);
    }
    box.setDefaultButton(added.value(defaultButton));
    box.setEscapeButton(added.value(added.size() - 1));
    box.exec();
    // Closed from the title bar, the box counts as Esc.
    const qsizetype chosen = added.indexOf(box.clickedButton());
    return int(chosen < 0 ? added.size() - 1 : chosen);
}

void DesktopHost::exitProgram()
{
    // Leaving the event loop lets the program's entry destroy the main
    // window, and with it every other window, which are all its children.
    QApplication::exit(0);
}

SystemTools &DesktopHost::systemTools() { return platformSystemTools(); }
