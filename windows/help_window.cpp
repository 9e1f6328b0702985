#include "windows/help_window.h"

#include "windows/layout.h"
#include "windows/side_window.h"

#include <QFile>
#include <QTextBrowser>

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent, kSideWindowFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildLayout(this, this,
                {
                    {Place::Window, "HelpWindow", u"遊び方", -1, -1, 6300, 4800},
                    {Place::Page, "page", nullptr, 120, 120, 6060, 4560},
                });
    page = findChild<QTextBrowser *>(QStringLiteral("page"));
    QFile text(QStringLiteral(":/help/help.md"));
    if (text.open(QIODevice::ReadOnly))
        page->setMarkdown(QString::fromUtf8(text.readAll()));
    // Read from the top, where a screen reader starts too.
    page->setFocus();
}
