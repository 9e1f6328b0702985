// Whole games played on the engine alone, against the same transcripts the
// stage plays: the rules give the windows exactly what they show.

#include "engine/recovery.h"
#include "transcript.h"

#include <memory>

namespace {

class EnginePlayer final : public transcript::Player {
public:
    std::unique_ptr<Game> g;
    int exits = 0;

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

    void type(const QString &text) override { g->typed(g->screen().entryText + text); }
    void confirm() override { g->confirm(); }
    void back() override { g->back(); }
    void choose(int k) override { g->pick(k); }
    void key(int k) override { g->pick(k); }
    void tick(const QString &timer) override
    {
        // The face's timers by name, in the order of FaceTimer.
        static const QStringList kFace{"blinkTimer", "eyelidTimer", "mouthTimer", "gagTimer"};
        const auto face = FaceTimer(kFace.indexOf(timer.section(u'.', -1)));
        if (timer == u"remarkTimer")
            g->remarkTick();
        else if (timer == u"answerBlinkTimer")
            g->answerBlinkTick();
        else if (timer.startsWith(u"farewell."))
            g->farewellFaceTick(face);
        else
            g->faceTick(face);
    }
    void next() override { g->nextLine(); }
    void newGame() override { g->newGame(); }
    void open(const QString &name) override { g->open(file(name)); }
    void saveAs(const QString &name) override { g->saveAs(file(name)); }
    void pick(const QString &name) override { g->chooseFile(file(name)); }
    void save() override { g->save(); }
    void quit() override
    {
        g->leave();
        ++exits;
    }

    static QString frame(Frame f) { return QLatin1String(frameName(f)); }
    static QString running(const char *name, const Timer &rule)
    {
        return transcript::timer(name, rule.running(), rule.interval());
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
                      QStringList{running("blinkTimer", e->blinkTimer), running("eyelidTimer", e->eyelidTimer),
                                  running("mouthTimer", e->mouthTimer)}
                          .join(u' ')};
        return transcript::screen(
            g->screen().sentence, choices, g->screen().entryOpen, g->screen().entryText,
            QStringLiteral("eye %1, mouth %2, body %3").arg(frame(f.eye), frame(f.mouth), frame(f.body)),
            QStringList{running("remarkTimer", g->remarkTimer()), running("mouthTimer", f.mouthTimer),
                        running("blinkTimer", f.blinkTimer), running("eyelidTimer", f.eyelidTimer),
                        running("gagTimer", f.gagTimer), running("answerBlinkTimer", g->answerBlinkTimer())}
                .join(u' '),
            g->screen().statusAvailable, bool(g->farewell()), ending, exits);
    }
};

class EngineGames : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(EngineGames, PlayWithoutAWindow)
{
    transcript::expectGolden(GetParam(), [] { return std::make_unique<EnginePlayer>(); });
}

INSTANTIATE_TEST_SUITE_P(Transcripts, EngineGames, ::testing::ValuesIn(transcript::transcripts("*.game").toVector()),
                         transcript::testName);
