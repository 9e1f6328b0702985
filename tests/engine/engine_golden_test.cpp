// Whole games played on the engine alone, against the same transcripts the
// stage plays: the rules give the windows exactly what they show.

#include "engine/recovery.h"
#include "transcript.h"

#include <functional>
#include <map>
#include <memory>

namespace {

class EnginePlayer final : public transcript::Player {
public:
    std::unique_ptr<Game> g;

    EnginePlayer() { begin(); }
    void begin()
    {
        g = std::make_unique<Game>(environment);
        g->keepJournalIn(journalFolder());
        QObject::connect(g.get(), &Game::message, [this](const QString &text) { box(text); });
        QObject::connect(g.get(), &Game::quitRequested, [this] { ++exits; });
    }
    const Game &game() override { return *g; }
    void crashAndStart() override
    {
        g.reset();
        begin();
        LeftGames left(*g);
        while (const std::optional<LeftGames::Question> question = left.next())
            left.answer(ask(question->text, question->buttons, question->defaultButton));
    }

    static QString frame(Frame f) { return QLatin1String(frameName(f)); }
    static transcript::Running running(const char *name, const Timer &rule)
    {
        return {name, rule.interval(), rule.running()};
    }

    transcript::Snapshot snapshot() override
    {
        std::vector<transcript::Choice> choices;
        for (const ChoiceCue &c : g->choices)
            choices.push_back({c.caption, c.visible, c.enabled, c.lit});
        const Face &f = g->face;
        std::optional<transcript::Ending> ending;
        if (const Face *e = g->ending ? &g->ending->face : nullptr)
            ending = {g->ending->sentence, QStringLiteral("eye %1, mouth %2").arg(frame(e->eye), frame(e->mouth)),
                      transcript::timersText({running("tmrTiming", e->tmrTiming), running("tmrAnime", e->tmrAnime),
                                              running("tmrTalk", e->tmrTalk)})};
        return transcript::screen(
            g->sentence, choices, g->entryOpen, g->entryText,
            QStringLiteral("eye %1, mouth %2, body %3").arg(frame(f.eye), frame(f.mouth), frame(f.body)),
            transcript::timersText({running("tmrMessage", g->tmrMessage), running("tmrTalk", f.tmrTalk),
                                    running("tmrTiming", f.tmrTiming), running("tmrAnime", f.tmrAnime),
                                    running("tmrAction", f.tmrAction), running("tmrTenmetsu", g->tmrTenmetsu)}),
            g->statusMenu, bool(g->ending), ending, exits);
    }

    void tick(const QString &name)
    {
        const bool ending = name.startsWith(u"ending.");
        Face &f = ending && g->ending ? g->ending->face : g->face;
        const std::map<QString, std::pair<Timer *, std::function<void()>>> ticks{
            {"tmrMessage", {&g->tmrMessage, [this] { g->tmrMessageTick(); }}},
            {"tmrTenmetsu", {&g->tmrTenmetsu, [this] { g->tmrTenmetsuTick(); }}},
            {"tmrTalk", {&f.tmrTalk, [&f] { f.tmrTalkTick(); }}},
            {"tmrTiming", {&f.tmrTiming, [&f] { f.tmrTimingTick(); }}},
            {"tmrAnime", {&f.tmrAnime, [&f] { f.tmrAnimeTick(); }}},
            {"tmrAction", {&f.tmrAction, [&f] { f.tmrActionTick(); }}},
        };
        const auto found = ticks.find(name.section(u'.', -1));
        if (found == ticks.end() || !found->second.first->running() || (ending && !g->ending))
            return void(printed << QStringLiteral("! ") + name + QStringLiteral(" is not running"));
        found->second.second();
        g->faceTicked();
    }

    bool play(const QString &verb, const QString &arg) override
    {
        return transcript::playStep(verb, {
            {"type", [&] { g->txtNyuryokuChange(g->entryText + arg); }},
            {"confirm", [&] { g->cmdKakuninClick(); }},
            {"back", [&] { g->cmdModoruClick(); }},
            {"choose", [&] { g->lblSentakuClick(arg.toInt()); }},
            {"key", [&] { g->lblSentakuClick(arg.toInt()); }},
            {"tick", [&] { tick(arg); }},
            {"next", [&] { g->cmdNextClick(); }},
            {"new", [&] { g->NewGame(); }},
            {"open", [&] { g->FLoad(file(arg)); }},
            {"save-as", [&] { g->NFSave(file(arg)); }},
            {"save", [&] { g->asavemenuClick(); }},
            {"quit", [&] { g->leave(); ++exits; }},
        });
    }
};

class EngineGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(EngineGames, PlayWithoutAWindow)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<EnginePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, EngineGames, ::testing::ValuesIn(transcript::games().toVector()), transcript::testName);
