#include "windows/about_window.h"

#include "windows/host.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"
#include "windows/system_info.h"

#include <QIcon>
#include <QPushButton>

AboutWindow::AboutWindow(Host &host, QWidget *parent) : QDialog(parent, kSideWindowFlags), host_(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    // The separator's grey line runs from x 90 to 3120 at y 885; the white
    // line under it starts one pixel further right and one lower.
    buildLayout(this, this,
                {
                    {Place::Window, "AboutWindow", u"ﾊﾞｰｼﾞｮﾝ情報", 2340, 1935, 3240, 1530},
                    {Place::Label, "iconLabel", nullptr, 240, 240, 540, 540},
                    {Place::Label, "titleLabel", u"なないろばこ。", 1050, 240, 1245, 240},
                    {Place::Label, "versionLabel", u"ver1.0", 1080, 600, 525, 225},
                    {Place::Line, "separator", nullptr, 90, 885, 3030, 45},
                    {Place::Button, "okButton", u"OK", 165, 1065, 1380, 345},
                    {Place::Button, "systemInfoButton", u"ｼｽﾃﾑ情報(&S)...", 1680, 1080, 1380, 345},
                });
    iconLabel = findChild<QLabel *>(QStringLiteral("iconLabel"));
    okButton = findChild<QPushButton *>(QStringLiteral("okButton"));
    systemInfoButton = findChild<QPushButton *>(QStringLiteral("systemInfoButton"));
    iconLabel->setAlignment(Qt::AlignCenter);
    // The 32-point icon, drawn with as many pixels as the screen has.
    QIcon icon;
    for (const char *file : {"icon32.png", "icon32@2x.png"})
        icon.addFile(QStringLiteral(":/art/") + QLatin1String(file));
    iconLabel->setPixmap(icon.pixmap(QSize(32, 32), devicePixelRatioF()));

    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutWindow::showSystemInfo);
    okButton->setFocus();
}

void AboutWindow::showSystemInfo()
{
    if (!startSysInfoTool(host_.systemTools()))
        host_.showMessage(this, kSysInfoUnavailable);
}
