// Whole games played through the windows, the way a user plays them, against
// the transcripts: the stage's controls, its menus and the file window.

#include "fake_host.h"
#include "transcript.h"
#include "windows/ending_window.h"
#include "windows/face_view.h"
#include "windows/file_window.h"
#include "windows/main_window.h"
#include "windows/recovery_questions.h"
#include "windows/stage_widgets.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

namespace {

class StagePlayer final : public transcript::Player, public Host {
public:
    std::unique_ptr<Game> g;
    FakeSystemTools tools;
    std::unique_ptr<Form1> form;

    StagePlayer() { begin(); }
    // The program's start: the game, its journal and the stage.
    void begin()
    {
        g = std::make_unique<Game>(environment);
        g->keepJournalIn(journalFolder());
        form = std::make_unique<Form1>(*this, *g);
        form->show();
    }
    const Game &game() override { return *g; }
    void crashAndStart() override
    {
        form.reset();
        g.reset();
        begin();
        starting = true;
        askAboutLeftGames(*this, form.get(), *g);
        starting = false;
    }
    bool starting = false;
    void showMessage(QWidget *, const QString &text) override { box(text); }
    // The games go on as the engine alone plays them: without saving first,
    // replacing what is there; the questions after a crash as the script says.
    int ask(QWidget *, const QString &text, const QStringList &buttons, int defaultButton) override
    {
        if (starting || !answers.empty())
            return transcript::Player::ask(text, buttons, defaultButton);
        return buttons.size() == 3 ? 1 : 0;
    }
    void exitProgram() override { ++exits; }
    SystemTools &systemTools() override { return tools; }

    static QString timers(QObject *window, std::initializer_list<const char *> names)
    {
        std::vector<transcript::Running> timers;
        for (const char *name : names) {
            const auto *timer = window->findChild<QTimer *>(QLatin1String(name));
            timers.push_back({name, timer ? timer->interval() : 0, timer && timer->isActive()});
        }
        return transcript::timersText(timers);
    }
    // The cue a display shows, checked against its pixels: a store frame's,
    // or the look-alike of its resting frame.
    QString frame(const FrameView *view) const
    {
        const Frame cue = view->shown(), resting = view->objectName() == u"imgEye"     ? Frame::img01
                                                 : view->objectName() == u"imgKuchi" ? Frame::img04
                                                                                     : Frame::img000;
        const Frame drawn = cue == Frame::Design ? resting : cue;
        if (form->frames.picture(drawn).toImage() != view->pixmap().toImage())
            return QStringLiteral("another picture than ") + QLatin1String(frameName(cue));
        return QLatin1String(frameName(cue));
    }
    QString faceOf(const FaceView *face, bool body) const
    {
        QString text = QStringLiteral("eye %1, mouth %2").arg(frame(face->imgEye), frame(face->imgKuchi));
        return body ? text + QStringLiteral(", body ") + frame(face->imgChara) : text;
    }

    transcript::Snapshot snapshot() override
    {
        std::vector<transcript::Choice> choices;
        for (ChoiceLabel *label : form->lblSentaku)
            choices.push_back({label->text(), !label->isHidden(), label->isEnabled(), label->isOpaque()});
        std::optional<transcript::Ending> ending;
        if (Form4 *e = form->endingWindow)
            ending = {e->lblMessage->text(), faceOf(e->face, false), timers(e, {"tmrTiming", "tmrAnime", "tmrTalk"})};
        return transcript::screen(
            form->lblMessage->text(), choices, form->txtNyuryoku->isEnabled(), form->txtNyuryoku->text(),
            faceOf(form->face, true),
            timers(form.get(), {"tmrMessage", "tmrTalk", "tmrTiming", "tmrAnime", "tmrAction", "tmrTenmetsu"}),
            form->statusmenu->isEnabled(), form->isHidden(), ending, exits);
    }

    // The file window, moved to the scratch folder, with the name typed in.
    void throughFileWindow(QAction *menu, const QString &name)
    {
        file(name);
        menu->trigger();
        Form3 *window = form->fileWindow;
        window->changeFolder(dir.path());
        window->txtFileName->setText(name);
        QTest::mouseClick(window->cmdOpen->isVisible() ? window->cmdOpen : window->cmdSave, Qt::LeftButton);
        if (form->fileWindow) // a failed open or save leaves it for another try
            form->fileWindow->cmdExit->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void tickTimer(const QString &name)
    {
        QObject *window = name.startsWith(u"ending.") ? static_cast<QObject *>(form->endingWindow) : form.get();
        auto *timer = window ? window->findChild<QTimer *>(name.section(u'.', -1)) : nullptr;
        if (!timer || !timer->isActive())
            return void(printed << QStringLiteral("! ") + name + QStringLiteral(" is not running"));
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    bool play(const QString &verb, const QString &arg) override
    {
        const auto click = [](QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); };
        return transcript::playStep(verb, {
            // One key event a character, as a Japanese keyboard layout sends them.
            {"type", [&] { for (const char32_t c : arg.toUcs4())
                               QTest::sendKeyEvent(QTest::Click, form->txtNyuryoku, Qt::Key_unknown,
                                                   QString::fromUcs4(&c, 1), Qt::NoModifier); }},
            {"confirm", [&] { click(form->cmdKakunin); }},
            {"back", [&] { click(form->cmdModoru); }},
            {"choose", [&] { click(form->lblSentaku[arg.toInt() - 1]); }},
            {"key", [&] { QTest::keyClick(form.get(), Qt::Key(Qt::Key_0 + arg.toInt())); }},
            {"tick", [&] { tickTimer(arg); }},
            {"next", [&] { click(form->endingWindow->cmdNext); }},
            {"new", [&] { form->newmenu->trigger(); }},
            {"open", [&] { throughFileWindow(form->opnmenu, arg); }},
            {"save-as", [&] { throughFileWindow(form->savemenu, arg); }},
            {"save", [&] { form->asavemenu->trigger(); }},
            {"quit", [&] { click(form->cmdSyuryo); }},
        });
    }
};

class StageGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(StageGames, PlayThroughTheWindows)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<StagePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, StageGames, ::testing::ValuesIn(transcript::games().toVector()), transcript::testName);
