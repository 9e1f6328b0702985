#include "windows/about_window.h"

#include "engine/system_info.h"
#include "windows/host.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"

#include <QIcon>
#include <QPushButton>

frmAbout::frmAbout(Host &host, QWidget *parent) : QDialog(parent, kSideWindowFlags), host_(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    // The separator's grey line runs from x 90 to 3120 at y 885; the white
    // line under it starts one pixel further right and one lower.
    buildLayout(this, this,
                {
                    {Place::Window, "frmAbout", u"ﾊﾞｰｼﾞｮﾝ情報", 2340, 1935, 3240, 1530},
                    {Place::Label, "picIcon", nullptr, 240, 240, 540, 540},
                    {Place::Label, "lblTitle", u"なないろばこ。", 1050, 240, 1245, 240},
                    {Place::Label, "lblVersion", u"ver1.0", 1080, 600, 525, 225},
                    {Place::Line, "Line1", nullptr, 90, 885, 3030, 45},
                    {Place::Button, "cmdOK", u"OK", 165, 1065, 1380, 345},
                    {Place::Button, "cmdSysInfo", u"ｼｽﾃﾑ情報(&S)...", 1680, 1080, 1380, 345},
                });
    picIcon = findChild<QLabel *>(QStringLiteral("picIcon"));
    lblTitle = findChild<QLabel *>(QStringLiteral("lblTitle"));
    lblVersion = findChild<QLabel *>(QStringLiteral("lblVersion"));
    Line1 = findChild<EtchedLine *>(QStringLiteral("Line1"));
    cmdOK = findChild<QPushButton *>(QStringLiteral("cmdOK"));
    cmdSysInfo = findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
    picIcon->setAlignment(Qt::AlignCenter);
    // The 32-point icon, drawn with as many pixels as the screen has.
    QIcon icon;
    for (const char *file : {"icon32.png", "icon32@2x.png"})
        icon.addFile(QStringLiteral(":/art/") + QLatin1String(file));
    picIcon->setPixmap(icon.pixmap(QSize(32, 32), devicePixelRatioF()));

    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOKClick);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfoClick);
    cmdOK->setFocus();
}

void frmAbout::cmdOKClick() { close(); }

void frmAbout::cmdSysInfoClick() { StartSysInfo(); }

void frmAbout::StartSysInfo()
{
    if (!startSysInfoTool(host_.systemTools()))
        host_.showMessage(this, kSysInfoUnavailable);
}
