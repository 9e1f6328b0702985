#include "engine/farewell_script.h"

#include <array>

namespace {

// A line is the text before the name, whether the name follows, and the text
// after it.
struct Line {
    const char16_t *head;
    bool named;
    const char16_t *tail;
};

constexpr const char16_t *kSilent = u"・・・・・";

constexpr std::array<Line, kScriptLines> kScript{{
    {u"", true, u"、元気か？"},
    {u"わたしか？わたしも元気だよ。", false, u""},
    {u"ん？なんだその気持ち悪いものを見る顔は。", false, u""},
    {u"急に何を言い出すのかって？", false, u""},
    {u"・・・確かに私らしくないな。", false, u""},
    {u"なあ、", true, u"、おまえ、私がいなくなったら悲しいか？"},
    {kSilent, false, u""},
    {u"そうか。", false, u""},
    {kSilent, false, u""},
    {u"もう気づいてるか？", false, u""},
    {kSilent, false, u""},
    {u"星に帰るときがきたよ。", false, u""},
    {kSilent, false, u""},
    {u"", true, u"、これは私たちが出会ったときから決まっていたことなのだ。"},
    {u"なあ、", true, u"。"},
    {kSilent, false, u""},
    {u"", true, u"といっしょにいた時間・・・"},
    {u"悪くはなかったな。", false, u""},
    {kSilent, false, u""},
    {u"", true, u"、お前はどうだった？"},
    {u"私と過ごした時間は楽しかったか？", false, u""},
    {kSilent, false, u""},
    {u"そうか・・・", false, u""},
    {u"そろそろ時間だな。", false, u""},
    {kSilent, false, u""},
    {u"", true, u"、・・・今まで・・・・"},
    {u"今までありがとう。", false, u""},
}};

} // namespace

QString scriptLine(int n, const QString &name)
{
    const Line &line = kScript.at(n);
    QString text = QString::fromUtf16(line.head);
    if (line.named)
        text += name;
    return text + QString::fromUtf16(line.tail);
}

bool isSilentLine(int n) { return kScript.at(n).head == kSilent; }
