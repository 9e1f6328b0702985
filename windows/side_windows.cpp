// The stage's way to its side windows, and the two ways a finished period
// goes on: the farewell scene or a new period with the same memory.

#include "app/host.h"
#include "app/main_window.h"
#include "windows/about_window.h"
#include "windows/ending_window.h"
#include "windows/status_window.h"

#include <QLabel>

namespace {

// A side window already open is only brought to the front: it keeps the
// values it was opened with.
template <typename Window, typename Make>
void openOrRaise(QPointer<Window> &window, Make make)
{
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window = make();
    window->show();
}

} // namespace

void Form1::statusmenuClick()
{
    openOrRaise(statusWindow, [this] { return new Form2(*this, this); });
}

void Form1::vermenuClick()
{
    openOrRaise(aboutWindow, [this] { return new frmAbout(host(), this); });
}

void Form1::Ending()
{
    if (!endingWindow)
        endingWindow = new Form4(host(), frames, YourName, this);
    endingWindow->show();
    // The stage stays loaded, its timers running unseen; there is no way
    // back to it from the scene.
    hide();
}

void Form1::AfterEnd()
{
    host().showMessage(this, QStringLiteral("このデータを再利用します。"));
    lblMessage->setText(QStringLiteral("やあ") + YourName + QStringLiteral("。またきたぞ。"));
    // The memory and the levels stay as loaded; only a new period begins.
    beginPeriod(host().today());
}
