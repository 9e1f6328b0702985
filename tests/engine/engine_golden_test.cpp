// Whole games played on the engine alone, against the same transcripts the
// stage plays: the rules give the windows exactly what they show.

#include "transcript.h"

#include <memory>

namespace {

class EnginePlayer final : public transcript::Player {
public:
    Game g{environment};

    EnginePlayer()
    {
        QObject::connect(&g, &Game::message, [this](const QString &text) { box(text); });
        QObject::connect(&g, &Game::quitRequested, [this] { ++exits; });
    }
    const Game &game() override { return g; }

    static QString timers(std::initializer_list<std::pair<const char *, const Timer *>> rules)
    {
        QStringList running;
        for (const auto &[name, rule] : rules) {
            if (rule->running())
                running << QStringLiteral("%1 %2ms").arg(QLatin1String(name)).arg(rule->interval());
        }
        return running.isEmpty() ? QStringLiteral("none") : running.join(u' ');
    }
    static QString frame(Frame f) { return QLatin1String(frameName(f)); }

    transcript::Snapshot snapshot() override
    {
        std::vector<transcript::Choice> choices;
        for (const ChoiceCue &c : g.choices)
            choices.push_back({c.caption, c.visible, c.enabled, c.lit});
        const Face &f = g.face;
        transcript::Snapshot s{
            {QStringLiteral("say"), g.sentence},
            {QStringLiteral("choices"), transcript::choicesText(choices)},
            {QStringLiteral("entry"), transcript::entryText(g.entryOpen, g.entryText)},
            {QStringLiteral("face"),
             QStringLiteral("eye %1, mouth %2, body %3").arg(frame(f.eye), frame(f.mouth), frame(f.body))},
            {QStringLiteral("timers"), timers({{"tmrMessage", &g.tmrMessage}, {"tmrTalk", &f.tmrTalk},
                                               {"tmrTiming", &f.tmrTiming}, {"tmrAnime", &f.tmrAnime},
                                               {"tmrAction", &f.tmrAction}, {"tmrTenmetsu", &g.tmrTenmetsu}})},
            {QStringLiteral("status-menu"), g.statusMenu ? QStringLiteral("on") : QStringLiteral("off")},
            {QStringLiteral("stage"), g.ending ? QStringLiteral("hidden") : QStringLiteral("shown")},
        };
        if (g.ending) {
            const Face &e = g.ending->face;
            s.push_back({QStringLiteral("ending say"), g.ending->sentence});
            s.push_back({QStringLiteral("ending face"), QStringLiteral("eye %1, mouth %2").arg(frame(e.eye), frame(e.mouth))});
            s.push_back({QStringLiteral("ending timers"),
                         timers({{"tmrTiming", &e.tmrTiming}, {"tmrAnime", &e.tmrAnime}, {"tmrTalk", &e.tmrTalk}})});
        }
        if (exits > 0)
            s.push_back({QStringLiteral("exit"), QString::number(exits)});
        return s;
    }

    void tick(const QString &name)
    {
        Face &f = name.startsWith(u"ending.") && g.ending ? g.ending->face : g.face;
        const QString timer = name.section(u'.', -1);
        const std::pair<const char *, std::pair<Timer *, std::function<void()>>> ticks[] = {
            {"tmrMessage", {&g.tmrMessage, [this] { g.tmrMessageTick(); }}},
            {"tmrTenmetsu", {&g.tmrTenmetsu, [this] { g.tmrTenmetsuTick(); }}},
            {"tmrTalk", {&f.tmrTalk, [&f] { f.tmrTalkTick(); }}},
            {"tmrTiming", {&f.tmrTiming, [&f] { f.tmrTimingTick(); }}},
            {"tmrAnime", {&f.tmrAnime, [&f] { f.tmrAnimeTick(); }}},
            {"tmrAction", {&f.tmrAction, [&f] { f.tmrActionTick(); }}},
        };
        for (const auto &[tickName, rule] : ticks) {
            if (timer != QLatin1String(tickName))
                continue;
            if (!rule.first->running() || (name.startsWith(u"ending.") && !g.ending)) {
                printed << QStringLiteral("! ") + name + QStringLiteral(" is not running");
                return;
            }
            rule.second();
            g.faceTicked();
        }
    }

    bool play(const QString &verb, const QString &arg) override
    {
        if (verb == u"type")
            g.txtNyuryokuChange(g.entryText + arg);
        else if (verb == u"confirm")
            g.cmdKakuninClick();
        else if (verb == u"back")
            g.cmdModoruClick();
        else if (verb == u"choose" || verb == u"key")
            g.lblSentakuClick(arg.toInt());
        else if (verb == u"tick")
            tick(arg);
        else if (verb == u"next")
            g.cmdNextClick();
        else if (verb == u"new")
            g.NewGame();
        else if (verb == u"open")
            g.FLoad(file(arg));
        else if (verb == u"save-as")
            g.NFSave(file(arg));
        else if (verb == u"save")
            g.asavemenuClick();
        else
            return false;
        return true;
    }
};

class EngineGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(EngineGames, PlayWithoutAWindow)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<EnginePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, EngineGames, ::testing::ValuesIn(transcript::games().toVector()),
                         [](const auto &info) {
                             return QString(info.param).remove(QStringLiteral(".game")).replace(u'-', u'_').toStdString();
                         });
