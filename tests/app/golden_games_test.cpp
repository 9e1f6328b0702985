// Whole games played through the stage's controls, against the transcripts.

#include "app/host.h"
#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "persistence/file_window.h"
#include "persistence/egg_codec.h"
#include "transcript.h"
#include "windows/ending_window.h"
#include "windows/fake_system_tools.h"
#include "windows/status_window.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <memory>

namespace {

class StagePlayer final : public transcript::Player, public Host {
public:
    QDate date{2026, 12, 6};
    std::deque<double> draws;
    int exits = 0;
    FakeSystemTools tools;
    QTemporaryDir dir;
    std::unique_ptr<Form1> form;

    StagePlayer()
    {
        form = std::make_unique<Form1>(*this);
        form->show();
    }

    QDate today() override { return date; }
    void seedRandom() override {}
    double nextRandom() override
    {
        if (draws.empty())
            return 0.0;
        const double r = draws.front();
        draws.pop_front();
        return r;
    }
    // The scratch folder differs from run to run; the transcript names it <dir>.
    void showMessage(QWidget *, const QString &text) override
    {
        boxes.push_back({snapshot(), QString(text).replace(dir.path(), QStringLiteral("<dir>"))});
    }
    void exitProgram() override { ++exits; }
    SystemTools &systemTools() override { return tools; }

    QString frameName(const FrameView *view) const
    {
        const FrameStore &f = form->frames;
        const std::pair<const QPixmap *, const char *> names[] = {
            {&f.img01, "img01"}, {&f.img02, "img02"}, {&f.img03, "img03"}, {&f.img04, "img04"},
            {&f.img05, "img05"}, {&f.img06, "img06"}, {&f.img000, "img000"}};
        for (const auto &[frame, name] : names) {
            if (view->shows(*frame))
                return QString::fromLatin1(name);
        }
        for (int k = 0; k < FrameStore::kActionFrames; ++k) {
            if (view->shows(f.imgAct[k]))
                return QStringLiteral("imgAct%1").arg(101 + k);
        }
        return QStringLiteral("design");
    }
    static QString timersOf(QObject *window, std::initializer_list<const char *> names)
    {
        QStringList running;
        for (const char *name : names) {
            if (window->findChild<QTimer *>(QLatin1String(name))->isActive())
                running << QLatin1String(name);
        }
        return running.isEmpty() ? QStringLiteral("none") : running.join(u' ');
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
            {QStringLiteral("face"), QStringLiteral("eye %1, mouth %2, body %3")
                                         .arg(frameName(form->imgEye), frameName(form->imgKuchi), frameName(form->imgChara))},
            {QStringLiteral("timers"), timersOf(form.get(), {"tmrMessage", "tmrTalk", "tmrTiming", "tmrAnime",
                                                             "tmrAction", "tmrTenmetsu"})},
            {QStringLiteral("status-menu"), form->statusmenu->isEnabled() ? QStringLiteral("on") : QStringLiteral("off")},
            {QStringLiteral("stage"), form->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown")},
        };
        if (Form4 *ending = form->endingWindow) {
            s.push_back({QStringLiteral("ending say"), ending->lblMessage->text()});
            s.push_back({QStringLiteral("ending face"),
                         QStringLiteral("eye %1, mouth %2").arg(frameName(ending->imgEye), frameName(ending->imgKuchi))});
            s.push_back({QStringLiteral("ending timers"), timersOf(ending, {"tmrTiming", "tmrAnime", "tmrTalk"})});
        }
        if (exits > 0)
            s.push_back({QStringLiteral("exit"), QString::number(exits)});
        return s;
    }

    QString file(const QString &name)
    {
        const QString path = dir.filePath(name);
        if (!QFile::exists(path) && QFile::exists(transcript::dataPath(name)))
            QFile::copy(transcript::dataPath(name), path);
        return path;
    }

    void print(const QString &name)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            printed << QStringLiteral("| (no file)");
            return;
        }
        QStringDecoder decode(kEggEncoding);
        const QString text = decode(f.readAll());
        QStringList lines = text.split(QStringLiteral("\r\n"));
        const QString last = lines.takeLast();
        for (const QString &line : lines)
            printed << QStringLiteral("| ") + line;
        if (!last.isEmpty())
            printed << QStringLiteral("| ") + last + QStringLiteral(" (no line end)");
    }

    static void tick(QTimer *timer)
    {
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    bool run(const QString &verb, const QString &arg) override
    {
        if (verb == u"date") {
            date = QDate::fromString(arg, u"yyyy/MM/dd");
        } else if (verb == u"draw") {
            // "k/n" is the draw that lands on k of n.
            for (const QString &r : arg.split(u' ')) {
                const QStringList parts = r.split(u'/');
                draws.push_back(parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : r.toDouble());
            }
        } else if (verb == u"type") {
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
            QObject *window = form.get();
            QString name = arg;
            if (name.startsWith(u"ending.")) {
                window = form->endingWindow;
                name = name.mid(7);
            }
            auto *timer = window ? window->findChild<QTimer *>(name) : nullptr;
            if (!timer || !timer->isActive())
                printed << QStringLiteral("! ") + arg + QStringLiteral(" is not running");
            else
                tick(timer);
        } else if (verb == u"next") {
            QTest::mouseClick(form->endingWindow->cmdNext, Qt::LeftButton);
        } else if (verb == u"new") {
            form->newmenu->trigger();
        } else if (verb == u"open") {
            openSavedGame(*form, file(arg));
        } else if (verb == u"save-as") {
            const QString previous = form->FileName;
            const Int16 previousSaved = form->SavedNewRecords;
            const QString name = file(arg);
            if (name != form->FileName) {
                form->FileName = name;
                form->SavedNewRecords = 0;
            }
            if (!form->NFSave()) {
                form->FileName = previous;
                form->SavedNewRecords = previousSaved;
            }
        } else if (verb == u"save") {
            form->asavemenu->trigger();
        } else if (verb == u"make") {
            // A saved game of n records: the name, the two dates, then words.
            const QStringList parts = arg.split(u' ');
            std::vector<WordRecord> records{{QStringLiteral("太郎"), Code::Name, {}, {}, {}, {}},
                                            {QStringLiteral("2026/12/01"), Code::StartDate, {}, {}, {}, {}},
                                            {QStringLiteral("2026/12/15"), Code::EndDate, {}, {}, {}, {}}};
            const QString one = QStringLiteral("1");
            while (records.size() < std::size_t(parts.value(1).toInt()))
                records.push_back({QStringLiteral("w%1").arg(records.size()), one, one, one, one, QStringLiteral("2")});
            QFile out(dir.filePath(parts[0]));
            if (out.open(QIODevice::WriteOnly))
                out.write(encodeEgg(records).bytes);
        } else if (verb == u"show") {
            print(arg);
        } else if (verb == u"status") {
            form->statusmenu->trigger();
            if (Form2 *status = form->statusWindow) {
                QStringList values;
                for (QLineEdit *box : {status->txtYourName, status->txtCharaName, status->txtLevel, status->txtJob,
                                       status->txtStartDate, status->txtEndDate})
                    values << box->text();
                printed << QStringLiteral("status ") + values.join(QStringLiteral(" | "));
                status->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            } else {
                printed << QStringLiteral("status (menu off)");
            }
        } else {
            return false;
        }
        return true;
    }
};

class GoldenGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(GoldenGames, PlayThroughTheStage)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<StagePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, GoldenGames, ::testing::ValuesIn(transcript::games().toVector()),
                         [](const auto &info) { return QString(info.param).remove(QStringLiteral(".game")).replace(u'-', u'_').toStdString(); });
