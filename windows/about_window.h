#pragma once
// AboutWindow, "ﾊﾞｰｼﾞｮﾝ情報": the program's icon, title and version, and a way
// to the system-information tool.

#include <QDialog>

class Host;
class QLabel;
class QPushButton;

// A dialog only for its keys: Enter presses the default button, Esc closes.
// It is shown modeless.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(Host &host, QWidget *parent);

    // ｼｽﾃﾑ情報: the system's own information tool, or a message that there is none.
    void showSystemInfo();

    QLabel *iconLabel = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *systemInfoButton = nullptr;

private:
    Host &host_;
};
