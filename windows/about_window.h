#pragma once
// frmAbout, "ﾊﾞｰｼﾞｮﾝ情報": the program's icon, title and version, and a way
// to the system-information tool.

#include <QDialog>

class EtchedLine;
class Host;
class QLabel;
class QPushButton;

// A dialog only for its keys: Enter presses the default button, Esc closes.
// It is shown modeless.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(Host &host, QWidget *parent);

    void cmdOKClick();
    void cmdSysInfoClick();
    void StartSysInfo();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    EtchedLine *Line1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

private:
    Host &host_;
};
