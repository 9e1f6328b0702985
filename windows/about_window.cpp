#include "windows/about_window.h"

#include "app/host.h"
#include "app/stage_widgets.h"
#include "windows/side_window.h"

#include <QIcon>
#include <QPushButton>
#include "windows/system_info.h"

namespace {

constexpr QSize kClientSize(px(3240), px(1530));
constexpr QPoint kScreenPosition(px(2340), px(1935));

// The separator's grey line runs from x 90 to 3120 at y 885; the white line
// under it starts one pixel further right and one lower.
constexpr QRect kLineGeometry(px(90), px(885), px(3120) - px(90), 3);

} // namespace

frmAbout::frmAbout(Host &host, QWidget *parent) : QDialog(parent, kSideWindowFlags), host_(host)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    setFixedSize(kClientSize);
    move(kScreenPosition);

    picIcon = makeLabel(this, "picIcon", QString(), twips(240, 240, 540, 540));
    picIcon->setAlignment(Qt::AlignCenter);
    // The 32-point icon, drawn with as many pixels as the screen has.
    QIcon icon;
    for (const char *file : {"icon32.png", "icon32@2x.png"})
        icon.addFile(QStringLiteral(":/art/") + QLatin1String(file));
    picIcon->setPixmap(icon.pixmap(QSize(32, 32), devicePixelRatioF()));

    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("なないろばこ。"), twips(1050, 240, 1245, 240));
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("ver1.0"), twips(1080, 600, 525, 225));
    for (QLabel *label : {lblTitle, lblVersion})
        fitFont(label, label->text(), label->width());

    Line1 = new EtchedLine(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(kLineGeometry);

    cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"), twips(165, 1065, 1380, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("ｼｽﾃﾑ情報(&S)..."),
                            twips(1680, 1080, 1380, 345));
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
