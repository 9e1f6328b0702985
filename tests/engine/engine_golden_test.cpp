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
        for (const ChoiceCue &c : g->screen().choices)
            choices.push_back({c.caption, c.visible, c.enabled, c.lit});
        const Face &f = g->face();
        std::optional<transcript::Ending> ending;
        if (const Face *e = g->farewell() ? &g->farewell()->face : nullptr)
            ending = {g->farewell()->sentence, QStringLiteral("eye %1, mouth %2").arg(frame(e->eye), frame(e->mouth)),
                      transcript::timersText({running("blinkTimer", e->blinkTimer), running("eyelidTimer", e->eyelidTimer),
                                              running("mouthTimer", e->mouthTimer)})};
        return transcript::screen(
            g->screen().sentence, choices, g->screen().entryOpen, g->screen().entryText,
            QStringLiteral("eye %1, mouth %2, body %3").arg(frame(f.eye), frame(f.mouth), frame(f.body)),
            transcript::timersText({running("remarkTimer", g->remarkTimer()), running("mouthTimer", f.mouthTimer),
                                    running("blinkTimer", f.blinkTimer), running("eyelidTimer", f.eyelidTimer),
                                    running("gagTimer", f.gagTimer), running("answerBlinkTimer", g->answerBlinkTimer())}),
            g->screen().statusAvailable, bool(g->farewell()), ending, exits);
    }

    void tick(const QString &name)
    {
        const bool farewell = name.startsWith(u"farewell.");
        static const std::map<QString, FaceTimer> kFace{{"blinkTimer", FaceTimer::Blink},
                                                        {"eyelidTimer", FaceTimer::Eyelid},
                                                        {"mouthTimer", FaceTimer::Mouth},
                                                        {"gagTimer", FaceTimer::Gag}};
        const QString timer = name.section(u'.', -1);
        const Face *face = farewell ? (g->farewell() ? &g->farewell()->face : nullptr) : &g->face();
        const auto faceTimer = kFace.find(timer);
        const Timer *rule = timer == u"remarkTimer"        ? &g->remarkTimer()
                            : timer == u"answerBlinkTimer" ? &g->answerBlinkTimer()
                            : face && faceTimer != kFace.end() ? &face->timer(faceTimer->second)
                                                               : nullptr;
        if (!rule || !rule->running() || (farewell && faceTimer == kFace.end()))
            return void(printed << QStringLiteral("! ") + name + QStringLiteral(" is not running"));
        if (timer == u"remarkTimer")
            g->remarkTick();
        else if (timer == u"answerBlinkTimer")
            g->answerBlinkTick();
        else if (farewell)
            g->farewellFaceTick(faceTimer->second);
        else
            g->faceTick(faceTimer->second);
    }

    bool play(const QString &verb, const QString &arg) override
    {
        return transcript::playStep(verb, {
            {"type", [&] { g->typed(g->screen().entryText + arg); }},
            {"confirm", [&] { g->confirm(); }},
            {"back", [&] { g->back(); }},
            {"choose", [&] { g->pick(arg.toInt()); }},
            {"key", [&] { g->pick(arg.toInt()); }},
            {"tick", [&] { tick(arg); }},
            {"next", [&] { g->nextLine(); }},
            {"new", [&] { g->newGame(); }},
            {"open", [&] { g->open(file(arg)); }},
            {"save-as", [&] { g->saveAs(file(arg)); }},
            {"save", [&] { g->save(); }},
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
