// Whole games played through the windows, the way a user plays them, against
// the transcripts: the stage's controls, its menus and the file window.

#include "fake_host.h"
#include "fake_host.h"
#include "transcript.h"
#include "windows/ending_window.h"
#include "windows/face_view.h"
#include "windows/file_window.h"
#include "windows/frames.h"
#include "windows/main_window.h"
#include "windows/stage_widgets.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>

namespace {

class StagePlayer final : public transcript::Player, public Host {
public:
    Game g{environment};
    FakeSystemTools tools;
    std::unique_ptr<Form1> form;

    StagePlayer()
    {
        form = std::make_unique<Form1>(*this, g);
        form->show();
    }
    const Game &game() override { return g; }
    void showMessage(QWidget *, const QString &text) override { box(text); }
    void exitProgram() override { ++exits; }
    SystemTools &systemTools() override { return tools; }

    static QString timers(QObject *window, std::initializer_list<const char *> names)
    {
        QStringList running;
        for (const char *name : names) {
            if (auto *timer = window->findChild<QTimer *>(QLatin1String(name)); timer && timer->isActive())
                running << QStringLiteral("%1 %2ms").arg(QLatin1String(name)).arg(timer->interval());
        }
        return running.isEmpty() ? QStringLiteral("none") : running.join(u' ');
    }
    // The cue a display shows, checked against its pixels: a store frame's,
    // or the look-alike of its resting frame.
    QString frame(const FrameView *view) const
    {
        static const std::map<QString, Frame> kResting{
            {QStringLiteral("imgEye"), Frame::img01}, {QStringLiteral("imgKuchi"), Frame::img04},
            {QStringLiteral("imgChara"), Frame::img000}};
        const Frame cue = view->shown();
        const Frame drawn = cue == Frame::Design ? kResting.at(view->objectName()) : cue;
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
        transcript::Snapshot s{
            {QStringLiteral("say"), form->lblMessage->text()},
            {QStringLiteral("choices"), transcript::choicesText(choices)},
            {QStringLiteral("entry"), transcript::entryText(form->txtNyuryoku->isEnabled(), form->txtNyuryoku->text())},
            {QStringLiteral("face"), faceOf(form->face, true)},
            {QStringLiteral("timers"), timers(form.get(), {"tmrMessage", "tmrTalk", "tmrTiming", "tmrAnime",
                                                           "tmrAction", "tmrTenmetsu"})},
            {QStringLiteral("status-menu"), form->statusmenu->isEnabled() ? QStringLiteral("on") : QStringLiteral("off")},
            {QStringLiteral("stage"), form->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown")},
        };
        if (Form4 *ending = form->endingWindow) {
            s.push_back({QStringLiteral("ending say"), ending->lblMessage->text()});
            s.push_back({QStringLiteral("ending face"), faceOf(ending->face, false)});
            s.push_back({QStringLiteral("ending timers"), timers(ending, {"tmrTiming", "tmrAnime", "tmrTalk"})});
        }
        if (exits > 0)
            s.push_back({QStringLiteral("exit"), QString::number(exits)});
        return s;
    }

    static void tick(QTimer *timer)
    {
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
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
        if (form->fileWindow)
            form->fileWindow->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool play(const QString &verb, const QString &arg) override
    {
        if (verb == u"type") {
            // One key event a character, as a Japanese keyboard layout sends them.
            for (const char32_t c : arg.toUcs4())
                QTest::sendKeyEvent(QTest::Click, form->txtNyuryoku, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                    Qt::NoModifier);
        } else if (verb == u"confirm") {
            QTest::mouseClick(form->cmdKakunin, Qt::LeftButton);
        } else if (verb == u"back") {
            QTest::mouseClick(form->cmdModoru, Qt::LeftButton);
        } else if (verb == u"choose") {
            QTest::mouseClick(form->lblSentaku[arg.toInt() - 1], Qt::LeftButton);
        } else if (verb == u"key") {
            QTest::keyClick(form.get(), Qt::Key(Qt::Key_0 + arg.toInt()));
        } else if (verb == u"tick") {
            QObject *window = arg.startsWith(u"ending.") ? static_cast<QObject *>(form->endingWindow) : form.get();
            auto *timer = window ? window->findChild<QTimer *>(arg.section(u'.', -1)) : nullptr;
            if (!timer || !timer->isActive())
                printed << QStringLiteral("! ") + arg + QStringLiteral(" is not running");
            else
                tick(timer);
        } else if (verb == u"next") {
            QTest::mouseClick(form->endingWindow->cmdNext, Qt::LeftButton);
        } else if (verb == u"new") {
            form->newmenu->trigger();
        } else if (verb == u"open") {
            throughFileWindow(form->opnmenu, arg);
        } else if (verb == u"save-as") {
            throughFileWindow(form->savemenu, arg);
        } else if (verb == u"save") {
            form->asavemenu->trigger();
        } else {
            return false;
        }
        return true;
    }
};

class StageGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(StageGames, PlayThroughTheWindows)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<StagePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, StageGames, ::testing::ValuesIn(transcript::games().toVector()),
                         [](const auto &info) {
                             return QString(info.param).remove(QStringLiteral(".game")).replace(u'-', u'_').toStdString();
                         });
