// Whole games played through the windows, the way a user plays them, against
// the transcripts: the stage's controls, its menus and the file window.

#include "fake_host.h"
#include "transcript.h"
#include "windows/face_view.h"
#include "windows/farewell_window.h"
#include "windows/file_window.h"
#include "windows/main_window.h"
#include "windows/recovery_questions.h"
#include "windows/stage_widgets.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

class StagePlayer final : public transcript::Player {
public:
    FakeHost host;
    std::unique_ptr<Game> g;
    std::unique_ptr<StageWindow> form;

    // Whether the transcript is the windows' alone: then every question they
    // ask shows, and so do the windows open and the focus.
    const bool windowsOnly;

    explicit StagePlayer(bool windowsOnly) : windowsOnly(windowsOnly)
    {
        host.onMessage = [this](const QString &text) { box(text); };
        // Otherwise the games go on as the engine alone plays them: without
        // saving first, replacing what is there; the questions after a crash
        // as the script says.
        host.onAsk = [this](const QString &text, const QStringList &buttons, int defaultButton) {
            return this->windowsOnly || !answers.empty() ? ask(text, buttons, defaultButton) : int(buttons.size() == 3);
        };
        begin();
    }
    // The program's start: the game, its journal and the stage.
    void begin()
    {
        g = std::make_unique<Game>(environment);
        g->keepJournalIn(journalFolder());
        form = std::make_unique<StageWindow>(host, *g);
        form->show();
        QApplication::setActiveWindow(form.get());
    }
    const Game &game() override { return *g; }
    void crashAndStart() override
    {
        form.reset();
        g.reset();
        begin();
        askAboutLeftGames(host, form.get(), *g);
    }

    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    // One key event a character, as a Japanese keyboard layout sends them.
    void type(const QString &text) override
    {
        for (const char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, form->wordEntry, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                Qt::NoModifier);
    }
    void confirm() override { click(form->confirmButton); }
    void back() override { click(form->backButton); }
    void choose(int k) override { click(form->answerLabels[k - 1]); }
    void key(int k) override { QTest::keyClick(form.get(), Qt::Key(Qt::Key_0 + k)); }
    void tick(const QString &timer) override
    {
        QObject *window = timer.startsWith(u"farewell.") ? static_cast<QObject *>(form->farewellWindow) : form.get();
        QTimer *running = window->findChild<QTimer *>(timer.section(u'.', -1));
        QTimerEvent event(running->timerId());
        QCoreApplication::sendEvent(running, &event);
    }
    void next() override { click(form->farewellWindow->nextButton); }
    void newGame() override { form->newAction->trigger(); }
    void open(const QString &name) override { throughFileWindow(form->openAction, name); }
    void saveAs(const QString &name) override { throughFileWindow(form->saveAsAction, name); }
    void pick(const QString &name) override
    {
        FileWindow *window = fileWindow(form->openAction);
        const QModelIndex file = window->files->model()->index(int(window->files->names().indexOf(name)), 0);
        QTest::mouseClick(window->files->viewport(), Qt::LeftButton, {}, window->files->visualRect(file).center());
        window->closeButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void save() override { form->saveAction->trigger(); }
    void quit() override { click(form->quitButton); }
    void menu(const QString &item) override { form->findChild<QAction *>(item)->trigger(); }
    void folder(const QString &name) override { form->fileWindow()->changeFolder(file(name)); }
    // "stage", or a window by its name: FileWindow, FarewellWindow, HelpWindow ...
    void close(const QString &window) override
    {
        QWidget *shown = window == u"stage" ? form.get() : form->findChild<QWidget *>(window);
        if (!shown || !shown->isVisible())
            return void(printed << QStringLiteral("! ") + window + QStringLiteral(" is not open"));
        shown->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The window in front, where the keys go: the one opened last, or the stage.
    QWidget *front() const
    {
        QWidget *top = form.get();
        for (QWidget *w : form->findChildren<QWidget *>()) {
            if (w->isWindow() && w->isVisible() && !w->inherits("QMenu"))
                top = w;
        }
        return top;
    }
    // A window as the player sees it: its name and title, its boxes, and for
    // the file window what it is open for, its name box, folder and files.
    QString described(QWidget *window) const
    {
        const QString named = window->objectName() + u'「' + window->windowTitle() + u'」';
        if (auto *w = qobject_cast<FileWindow *>(window)) {
            return named + (w->openButton->isVisible() ? QStringLiteral(" to open \"") : QStringLiteral(" to save \""))
                   + w->nameEntry->text() + u'"'
                   + (w->folder().startsWith(dir.path())
                          ? QStringLiteral(" in ") + w->folder().replace(dir.path(), "<dir>") + QStringLiteral(": ")
                                + w->files->names().join(u' ')
                          : QStringLiteral(" elsewhere"));
        }
        QStringList shown{named};
        for (QLineEdit *box : window->findChildren<QLineEdit *>())
            shown << u'"' + box->text() + u'"';
        return shown.join(u' ');
    }
    // As the desktop gives the keys to the window in front.
    void press(const QString &keys) override
    {
        QApplication::setActiveWindow(front());
        QWidget *focus = front()->focusWidget();
        QTest::keySequence(focus ? focus : front(), QKeySequence(keys));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The file window this menu item opens, in the scratch folder.
    FileWindow *fileWindow(QAction *menu)
    {
        menu->trigger();
        if (form->fileWindow()->folder() != dir.path())
            form->fileWindow()->changeFolder(dir.path());
        return form->fileWindow();
    }
    // The file window with the name typed in.
    void throughFileWindow(QAction *menu, const QString &name)
    {
        FileWindow *window = fileWindow(menu);
        window->nameEntry->setText(name);
        click(window->openButton->isVisible() ? window->openButton : window->saveButton);
        if (form->fileWindow() && !windowsOnly) // a failed open or save leaves it for another try
            form->fileWindow()->closeButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QString timers(QObject *window, std::initializer_list<const char *> names)
    {
        QStringList timers;
        for (const char *name : names) {
            const auto *timer = window->findChild<QTimer *>(QLatin1String(name));
            timers << transcript::timer(name, timer && timer->isActive(), timer ? timer->interval() : 0);
        }
        return timers.join(u' ');
    }
    // The cue a display shows, checked against its pixels: a store frame's,
    // or the look-alike of its resting frame.
    QString frame(const FrameView *view) const
    {
        const Frame cue = view->shown();
        const Frame drawn = cue == Frame::LookAlike ? restingFrame(view->objectName()) : cue;
        if (form->frames.picture(drawn).toImage() != view->pixmap().toImage())
            return QStringLiteral("another picture than ") + QLatin1String(frameName(cue));
        return QLatin1String(frameName(cue));
    }
    QString faceOf(const FaceView *face, bool body) const
    {
        QString text = QStringLiteral("eye %1, mouth %2").arg(frame(face->eye), frame(face->mouth));
        return body ? text + QStringLiteral(", body ") + frame(face->body) : text;
    }
    transcript::Snapshot snapshot() override
    {
        std::vector<transcript::Choice> choices;
        for (ChoiceLabel *label : form->answerLabels)
            choices.push_back({label->text(), !label->isHidden(), label->isEnabled(), label->isOpaque()});
        std::optional<transcript::Ending> ending;
        if (FarewellWindow *e = form->farewellWindow)
            ending = {e->speech->text(), faceOf(e->face, false),
                      timers(e, {"blinkTimer", "eyelidTimer", "mouthTimer"})};
        transcript::Snapshot shown =
            transcript::screen(form->speech->text(), choices, form->wordEntry->isEnabled(), form->wordEntry->text(),
                               faceOf(form->face, true),
                               timers(form.get(), {"remarkTimer", "mouthTimer", "blinkTimer", "eyelidTimer", "gagTimer",
                                                   "answerBlinkTimer"}),
                               form->statusAction->isEnabled(), form->isHidden(), ending, host.exits);
        if (windowsOnly) {
            QStringList open;
            for (QWidget *w : form->findChildren<QWidget *>()) {
                if (w->isWindow() && w->isVisible() && w != form->farewellWindow)
                    open << described(w);
            }
            QWidget *focus = front()->focusWidget();
            shown.push_back(
                {QStringLiteral("windows"), open.isEmpty() ? QStringLiteral("none") : open.join(QStringLiteral(", "))});
            shown.push_back({QStringLiteral("focus"), focus ? focus->objectName() : QStringLiteral("none")});
        }
        return shown;
    }
};

class StageGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(StageGames, PlayThroughTheWindows)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<StagePlayer>(GetParam().endsWith(u".stage")); });
}

INSTANTIATE_TEST_SUITE_P(
    Transcripts, StageGames,
    ::testing::ValuesIn((transcript::transcripts("*.game") + transcript::transcripts("*.stage")).toVector()),
    transcript::testName);
