// The journal of the unsaved records, and taking them back after a crash.

#include "engine/recovery.h"

#include "engine/game.h"

#include <QDir>

#include <algorithm>

std::size_t alreadySaved(std::span<const WordRecord> file, qint64 held, std::span<const WordRecord> journal)
{
    for (std::size_t k = std::min(journal.size(), file.size()); k > 0; --k) {
        const auto saved = journal.first(k);
        const bool afterHeld = held >= 0 && std::size_t(held) + k <= file.size()
                               && std::equal(saved.begin(), saved.end(), file.begin() + held);
        if (afterHeld || std::equal(saved.begin(), saved.end(), file.end() - qsizetype(k)))
            return k;
    }
    return 0;
}

namespace {

// What a question or a message calls these records: the words taught, or
// where there are none, the name and dates that are left.
QString unsavedThings(std::span<const WordRecord> records, const QString &words, const QString &others)
{
    const auto taught = std::count_if(records.begin(), records.end(), [](const WordRecord &r) {
        return !codeIs(r.Kind, Code::Kind::Name) && !codeIs(r.Kind, Code::Kind::StartDate)
               && !codeIs(r.Kind, Code::Kind::EndDate);
    });
    return taught > 0 ? words.arg(taught) : others;
}

} // namespace

void Game::keepJournalIn(const QString &folder)
{
    journal_.emplace(folder);
    // Connected before any view, so that the journal is written before a
    // view shows the reply to the step that made the record.
    connect(this, &Game::changed, this, &Game::keepJournal, Qt::UniqueConnection);
    keepJournal();
}

void Game::keepJournal()
{
    if (!journal_)
        return;
    if (!hasUnsavedRecords()) {
        journal_->remove();
        journalBroken_ = false;
        return;
    }
    // After a failure, the next record tries again with a journal of its
    // own; a tick of the talk or the face brings nothing new to write.
    if (journalBroken_ && journaled_ == newCount)
        return;
    // The file that holds the saved part of the game, whichever file a click
    // in the file window has made the next overwrite save's.
    const QString &file = fileMark_.fileName;
    const JournalHeader header{file, file.isEmpty() ? 0 : fileCount + savedNewRecords_,
                               std::max(0, newGameRecords_ - savedNewRecords_)};
    QString error;
    if (journalBroken_ || !journal_->isOpen() || journal_->header() != header || journaled_ > newCount) {
        error = journal_->begin(header, std::span(newRecords).subspan(savedNewRecords_, newCount - savedNewRecords_));
    } else if (journaled_ < newCount) {
        error = journal_->append(std::span(newRecords).subspan(journaled_, newCount - journaled_));
    }
    journaled_ = newCount;
    // A journal that cannot be written leaves the game as it always was:
    // safe once saved. Told once a run. A journal cut off halfway through a
    // line is never added to: the next one starts afresh.
    journalBroken_ = !error.isEmpty();
    if (journalBroken_ && !std::exchange(journalWarned_, true))
        emit message(QStringLiteral("教えたことばの控えを書けませんでした。\n控えのフォルダー：%1\n理由：%2\n"
                                    "このまま遊べますが、ことばが安全なのは保存したときだけです。"
                                    "こまめに保存してください。")
                         .arg(QDir::toNativeSeparators(journal_->folder()), error));
}

void Game::leave()
{
    // Whatever the game still does on its way out is kept no more.
    if (journal_)
        journal_->remove();
    journal_.reset();
}

bool Game::restoreRecord(const WordRecord &record)
{
    if (!appendNewRecord(record))
        return false;
    if (codeIs(record.Kind, Code::Kind::Name))
        playerName = textOf(record.Text);
    if (codeIs(record.Kind, Code::Kind::StartDate))
        startDate = textOf(record.Text);
    if (codeIs(record.Kind, Code::Kind::EndDate))
        endDate = textOf(record.Text);
    vulgarCount += isVulgar(record) ? 1 : 0;
    uselessCount += isUseless(record) ? 1 : 0;
    return true;
}

qsizetype Game::recover(const QString &fileName, std::span<const WordRecord> records, int quiet)
{
    qsizetype restored = 0;
    const auto restoreAll = [&] {
        while (restored < qsizetype(records.size()) && restoreRecord(records[restored]))
            ++restored;
        QString text = unsavedThings(records.first(restored), QStringLiteral("保存していなかったことばを %1 こ、"),
                                     QStringLiteral("保存していなかったなまえや日づけを、"))
                       + QStringLiteral("とりもどしました。保存するまでは、まだファイルに入っていません。");
        if (restored < qsizetype(records.size()))
            text +=
                QStringLiteral("\nあたまがいっぱいで、%1 こはとりもどせませんでした。その分の控えはのこしてあります。")
                    .arg(records.size() - restored);
        emit message(text);
    };
    if (!fileName.isEmpty() && openFile(fileName, restoreAll))
        return restored;

    newGame();
    // A game that had no file brings its own dates; the new game's go.
    if (quiet > 0) {
        newCount = level = 0;
        newGameRecords_ = Int16(std::min<qsizetype>(quiet, records.size()));
    }
    restoreAll();
    if (std::any_of(records.begin(), records.begin() + restored,
                    [](const WordRecord &r) { return codeIs(r.Kind, Code::Kind::Name); })) {
        // The name is known: the game goes on as after its confirmation.
        step = TeachingStep::Word;
        screen_.statusAvailable = true;
        remarkTimer_.enable();
        screen_.sentence = QStringLiteral("なにかことばおしえろ。");
    }
    emit changed();
    return restored;
}

LeftGames::LeftGames(Game &game) : game_(game)
{
    if (!game.journalFolder().isEmpty())
        journals_ = leftJournals(game.journalFolder());
}

std::optional<LeftGames::Question> LeftGames::next()
{
    for (; at_ < journals_.size(); ++at_) {
        LeftJournal &left = journals_[at_];
        if (!left.error.isEmpty()) {
            return Question{QStringLiteral("前のゲームがのこした控えを読めませんでした。\n控え：%1\n理由：%2\n"
                                           "控えはそのままにしてあります。すてますか？")
                                .arg(QDir::toNativeSeparators(left.path()), left.error),
                            {QStringLiteral("すてる"), QStringLiteral("そのままにする")},
                            1};
        }
        records_ = left.records;
        quiet_ = left.header.quiet;
        if (!left.header.fileName.isEmpty()) {
            if (const EggLoad file = loadEggFile(left.header.fileName); file.content) {
                const auto saved = qsizetype(alreadySaved(file.content->records, left.header.held, records_));
                records_.erase(records_.begin(), records_.begin() + saved);
                quiet_ = std::max(0, quiet_ - int(saved));
            }
        }
        const qsizetype count = qsizetype(records_.size()) - std::min<qsizetype>(quiet_, records_.size());
        // Nothing the player would miss: every record was saved after all.
        if (count == 0) {
            discardJournal(left);
            continue;
        }
        // One game at a time: the others wait for the next start.
        if (recovered_) {
            left.lock.reset();
            continue;
        }
        const QString where = left.header.fileName.isEmpty()
                                  ? QStringLiteral("（まだファイルに保存していないゲームです）")
                                  : QStringLiteral("ファイル：") + QDir::toNativeSeparators(left.header.fileName);
        return Question{unsavedThings(records_, QStringLiteral("保存していないことばが %1 こ、"),
                                      QStringLiteral("保存していないなまえや日づけが、"))
                            + QStringLiteral("のこっています。とりもどしますか？\n") + where,
                        {QStringLiteral("とりもどす"), QStringLiteral("すてる"), QStringLiteral("あとで")},
                        0};
    }
    return std::nullopt;
}

void LeftGames::answer(int button)
{
    if (at_ >= journals_.size())
        return;
    LeftJournal &left = journals_[at_++];
    if (!left.error.isEmpty()) {
        if (button == 0)
            discardJournal(left);
        left.lock.reset();
        return;
    }
    if (button == 0) {
        recovered_ = true;
        const qsizetype restored = game_.recover(left.header.fileName, records_, quiet_);
        // The records live on in the game's own journal now; what could not
        // come back, or could not be journaled again, keeps the left one.
        if (restored == qsizetype(records_.size()) && game_.journalKept())
            discardJournal(left);
    } else if (button == 1) {
        discardJournal(left);
    }
    left.lock.reset();
}
