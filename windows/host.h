#pragma once
// What the windows ask of the desktop: modal message boxes, ending the
// program and the version window's system tools. Tests answer with recorded
// messages and a flag, so that nothing in a test blocks on a modal box.

#include <QString>
#include <QStringList>

class QWidget;
class SystemTools;

class Host {
public:
    virtual ~Host() = default;
    // A modal box captioned "nanairobako" with only OK and no icon; returns
    // when it is closed.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
    // A modal question captioned like the messages, with these buttons, the
    // last the one Esc means; returns the index of the button chosen.
    virtual int ask(QWidget *parent, const QString &text, const QStringList &buttons, int defaultButton) = 0;
    // Ends the program at once: every window closes, nothing is saved.
    virtual void exitProgram() = 0;
    // The registry and program start behind the version window's
    // system-information button.
    virtual SystemTools &systemTools() = 0;
};

class DesktopHost final : public Host {
public:
    void showMessage(QWidget *parent, const QString &text) override;
    int ask(QWidget *parent, const QString &text, const QStringList &buttons, int defaultButton) override;
    void exitProgram() override;
    SystemTools &systemTools() override;
};

inline const QString kMessageCaption = QStringLiteral("nanairobako");
