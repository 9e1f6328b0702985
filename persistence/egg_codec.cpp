#include "persistence/egg_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kFieldsPerRecord = 6;

QString cannotEncodeWith(QStringView text, QStringView character)
{
    return QStringLiteral("「%1」の文字「%2」は、シフトJIS（CP932）にないため保存できません。").arg(text, character);
}

// Called only after a whole encoding failed: finds the first character that
// has no CP932 code, so that the message can name it.
QString describeUnencodable(std::span<const WordRecord> loaded, std::span<const WordRecord> made)
{
    auto check = [](const Field &field) -> QString {
        if (!field)
            return {};
        const QString &text = *field;
        for (qsizetype k = 0; k < text.size();) {
            const qsizetype length = (text.at(k).isHighSurrogate() && k + 1 < text.size()) ? 2 : 1;
            const QStringView character = QStringView(text).sliced(k, length);
            QStringEncoder encoder(kEggEncoding, QStringEncoder::Flag::Stateless);
            // encode() is lazy: only turning its result into bytes runs it.
            const QByteArray bytes = encoder.encode(character);
            if (encoder.hasError())
                return cannotEncodeWith(text, character);
            k += length;
        }
        return {};
    };
    for (auto records : {loaded, made}) {
        for (const WordRecord &r : records) {
            for (const Field *field : {&r.Text, &r.Kind, &r.SubKind, &r.Like, &r.Useful, &r.Vulgar}) {
                if (QString error = check(*field); !error.isEmpty())
                    return error;
            }
        }
    }
    return QStringLiteral("シフトJIS（CP932）にない文字があるため保存できません。");
}

// A text is written in quotes, with nothing escaped; a text that holds a
// quote cannot be, as the quote would end it early. It is written bare
// instead when the reader's rule for unquoted fields gives it back whole: no
// comma or line end ends it early, no blank before it is skipped, no space
// after it is trimmed and no quote opens it. That is how such a text came
// into a game from a file: it can always be saved again.
bool readsBackBare(QStringView text)
{
    return !text.isEmpty() && text.front() != u'"' && text.front() != u' ' && text.front() != u'\t'
           && text.back() != u' ' && !text.contains(u',') && !text.contains(u'\r') && !text.contains(u'\n');
}

qsizetype lineLength(const WordRecord &r)
{
    qsizetype length = kFieldsPerRecord - 1 + 2;
    for (const Field *field : {&r.Text, &r.Kind, &r.SubKind, &r.Like, &r.Useful, &r.Vulgar}) {
        if (*field)
            length += (*field)->size() + 2;
    }
    return length;
}

// Writes the line of record number `number` (1 ...) at `out` and returns the
// end; nullptr when one of its texts cannot be written so that it reads back
// the same. The caller has made room for lineLength(r).
char16_t *writeLine(char16_t *out, const WordRecord &r, qsizetype number, QString &error)
{
    bool first = true;
    for (const Field *field : {&r.Text, &r.Kind, &r.SubKind, &r.Like, &r.Useful, &r.Vulgar}) {
        if (!first)
            *out++ = u',';
        first = false;
        if (!*field)
            continue;
        const QString &text = **field;
        const bool quoted = !text.contains(u'"');
        if (!quoted && !readsBackBare(text)) {
            error = QStringLiteral("%1件目のレコード「%2」は、「\"」をふくむうえに、"
                                   "カンマ・改行・前後の空白か先頭の「\"」もあるため、"
                                   "読みもどせる形で保存できません。")
                        .arg(number)
                        .arg(textOf(r.Text));
            return nullptr;
        }
        if (quoted)
            *out++ = u'"';
        out = std::copy_n(reinterpret_cast<const char16_t *>(text.constData()), text.size(), out);
        if (quoted)
            *out++ = u'"';
    }
    *out++ = u'\r';
    *out++ = u'\n';
    return out;
}

bool decodes(QByteArrayView bytes)
{
    QStringDecoder decoder(kEggEncoding, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// How many lines the bytes end, counting line ends as the reader does.
int lineEndsIn(QByteArrayView bytes)
{
    int count = 0;
    for (qsizetype k = 0; k < bytes.size(); ++k)
        count += bytes[k] == '\n' || (bytes[k] == '\r' && (k + 1 == bytes.size() || bytes[k + 1] != '\n'));
    return count;
}

// The line of the first byte sequence that is not CP932, in bytes that do
// not decode. CR and LF are never trail bytes in CP932, so splitting the
// bytes after a line end cannot cut a character in two, and a part that
// fails holds a line that fails on its own. Halving the part that fails
// costs a few decodes of the whole, where one decoder a line took minutes
// over a file of nothing but line ends.
int firstUndecodableLine(QByteArrayView bytes)
{
    int line = 1;
    while (true) {
        // A split after a line end near the middle; none leaves one line.
        qsizetype split = bytes.size() / 2;
        while (split < bytes.size() && bytes[split] != '\r' && bytes[split] != '\n')
            ++split;
        if (split < bytes.size() && bytes[split] == '\r' && split + 1 < bytes.size() && bytes[split + 1] == '\n')
            ++split;
        if (++split >= bytes.size()) {
            split = bytes.size() / 2;
            while (split > 0 && bytes[split - 1] != '\r' && bytes[split - 1] != '\n')
                --split;
            if (split > 0 && bytes[split - 1] == '\r' && bytes[split] == '\n')
                ++split;
            if (split == 0 || split >= bytes.size())
                return line;
        }
        const QByteArrayView first = bytes.first(split);
        if (!decodes(first)) {
            bytes = first;
            continue;
        }
        line += lineEndsIn(first);
        bytes = bytes.sliced(split);
    }
}

qsizetype countLineFeeds(QByteArrayView bytes)
{
    qsizetype count = 0;
    // An empty file may come as a null pointer, which memchr must never see.
    if (bytes.isEmpty())
        return count;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while ((p = static_cast<const char *>(std::memchr(p, '\n', end - p)))) {
        ++count;
        ++p;
    }
    return count;
}

// The reading rules over decoded text. Positions are plain pointers into the
// decoded string, which lives as long as the parser.
class Parser {
public:
    explicit Parser(QStringView text) : p_(text.utf16()), end_(p_ + text.size()) {}

    // `lines` only sizes the record list: one record a line is the rule.
    EggDecoded run(qsizetype lines)
    {
        EggDecoded result;
        std::vector<WordRecord> &records = result.content.records;
        records.reserve(std::min<qsizetype>(lines + 1, kMaxEggRecords));
        while (true) {
            // Empty lines between or after records are no record: the writer
            // starts every record with a quote or a comma, never a line end.
            while (p_ != end_ && (isBlank(*p_) || isLineEnd(*p_)))
                skipBlankOrLineEnd();
            if (p_ == end_)
                break;
            if (records.size() == kMaxEggRecords) {
                return fail(QStringLiteral("レコードが%1件をこえています（%2件目が%3行目にあります）。")
                                .arg(kMaxEggRecords)
                                .arg(kMaxEggRecords + 1)
                                .arg(line_),
                            line_);
            }
            const int recordLine = line_;
            // Built from six unset fields rather than value-initialised: the
            // record memory of a big file is then written once, not zeroed
            // first (which costs as much as the reading).
            WordRecord &r = records.emplace_back(
                WordRecord{std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt});
            Ended ended = Ended::Comma;
            for (Field *field : {&r.Text, &r.Kind, &r.SubKind, &r.Like, &r.Useful, &r.Vulgar}) {
                // A comma promises one more field even at the very end; a
                // line end or the end of the file promises nothing.
                if (p_ == end_ && ended != Ended::Comma) {
                    return fail(QStringLiteral("%1行目のレコードが途中で終わっています（項目が6つそろっていません）。")
                                    .arg(recordLine),
                                recordLine, records.size() == 1);
                }
                if (!readField(*field))
                    return fail(QStringLiteral("%1行目の「\"」が閉じられていません。").arg(quoteLine_), quoteLine_,
                                records.size() == 1);
                ended = readDelimiter();
            }
        }
        return result;
    }

private:
    enum class Ended { Comma, LineEnd, File };

    static bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
    static bool isLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }
    static bool isDelimiter(char16_t c) { return c == u',' || isLineEnd(c); }

    void skipBlankOrLineEnd()
    {
        if (isLineEnd(*p_))
            skipLineEnd();
        else
            ++p_;
    }

    // CR LF, a lone CR and a lone LF each end one line.
    void skipLineEnd()
    {
        if (*p_++ == u'\r' && p_ != end_ && *p_ == u'\n')
            ++p_;
        ++line_;
    }

    bool readField(Field &field)
    {
        while (p_ != end_ && isBlank(*p_))
            ++p_;
        if (p_ != end_ && *p_ == u'"') {
            quoteLine_ = line_;
            const char16_t *start = ++p_;
            while (p_ != end_ && *p_ != u'"')
                skipQuoted();
            if (p_ == end_)
                return false;
            field = sharedText(start, p_ - start);
            ++p_;
            while (p_ != end_ && !isDelimiter(*p_))
                ++p_;
            return true;
        }
        const char16_t *start = p_;
        while (p_ != end_ && !isDelimiter(*p_))
            ++p_;
        const char16_t *last = p_;
        while (last != start && last[-1] == u' ')
            --last;
        // Nothing in it: the field stays unset, as every record begins.
        if (last != start)
            field = sharedText(start, last - start);
        return true;
    }

    // Five of a record's six fields are one-character codes. They refer to
    // static characters, which copies share without allocating or counting
    // references, instead of 50000 heap copies of "1" in a big file.
    static QString sharedText(const char16_t *start, qsizetype length)
    {
        static constexpr auto characters = [] {
            std::array<char16_t, 128> all{};
            for (char16_t c = 0; c < 128; ++c)
                all[c] = c;
            return all;
        }();
        if (length == 1 && *start < 128)
            return QString::fromRawData(reinterpret_cast<const QChar *>(&characters[*start]), 1);
        return QString(reinterpret_cast<const QChar *>(start), length);
    }

    // A quoted text may span lines; they still count for later messages.
    void skipQuoted()
    {
        if (isLineEnd(*p_))
            skipLineEnd();
        else
            ++p_;
    }

    Ended readDelimiter()
    {
        if (p_ == end_)
            return Ended::File;
        if (*p_ == u',') {
            ++p_;
            return Ended::Comma;
        }
        skipLineEnd();
        return Ended::LineEnd;
    }

    // `firstRecord`: the record that failed is the first of these bytes.
    static EggDecoded fail(QString message, int line, bool firstRecord = false)
    {
        EggDecoded result;
        result.error = std::move(message);
        result.line = line;
        result.cutShort = firstRecord;
        return result;
    }

    const char16_t *p_;
    const char16_t *end_;
    int line_ = 1;
    int quoteLine_ = 1;
};

} // namespace

namespace {

EggDecoded decodeWhole(QByteArrayView bytes)
{
    QStringDecoder decoder(kEggEncoding, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        EggDecoded result;
        result.error = QStringLiteral("シフトJIS（CP932）を読む仕組みがこのシステムにありません。");
        return result;
    }
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        EggDecoded result;
        result.line = firstUndecodableLine(bytes);
        result.error = QStringLiteral("%1行目に、シフトJIS（CP932）の文字ではないバイトがあります。").arg(result.line);
        return result;
    }
    return Parser(text).run(countLineFeeds(bytes));
}

bool isLeadByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Whether these bytes, a last line without its line end, are one record cut
// short: an open quote or missing fields, and no whole record before the cut
// one.
bool isOneUnfinishedRecord(QByteArrayView line)
{
    EggDecoded decoded = decodeWhole(line);
    // A character cut in two at the very end leaves its lead byte alone.
    if (!decoded.ok() && !decoded.cutShort && isLeadByte(line.back()))
        decoded = decodeWhole(line.first(line.size() - 1));
    return !decoded.ok() && decoded.cutShort;
}

} // namespace

EggDecoded decodeEgg(QByteArrayView bytes)
{
    EggDecoded whole = decodeWhole(bytes);
    if (whole.ok()) {
        // Outside quotes a comma is always a separator.
        whole.lastRecordOpen = !bytes.isEmpty() && bytes.back() == ',';
        return whole;
    }
    // The line ends of CP932 are never trail bytes: the last one found is one.
    qsizetype lastLine = bytes.size();
    while (lastLine > 0 && bytes[lastLine - 1] != '\r' && bytes[lastLine - 1] != '\n')
        --lastLine;
    const QByteArrayView unfinished = bytes.sliced(lastLine);
    if (unfinished.isEmpty() || !isOneUnfinishedRecord(unfinished))
        return whole;
    EggDecoded before = decodeWhole(bytes.first(lastLine));
    if (!before.ok())
        return whole;
    before.unfinishedBytes = unfinished.size();
    return before;
}

EggEncoded encodeEgg(std::span<const WordRecord> loaded, std::span<const WordRecord> made)
{
    EggEncoded result;
    qsizetype length = 0;
    for (auto records : {loaded, made}) {
        for (const WordRecord &r : records)
            length += lineLength(r);
    }
    // The whole file as one text, written in place, then one conversion:
    // the converter's cost is per call, not per character.
    QString text(length, Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = begin;
    qsizetype number = 0;
    for (auto records : {loaded, made}) {
        for (const WordRecord &r : records) {
            out = writeLine(out, r, ++number, result.error);
            if (!out)
                return result;
        }
    }
    text.truncate(out - begin); // bare fields take no quotes
    QStringEncoder encoder(kEggEncoding, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) {
        result.error = QStringLiteral("シフトJIS（CP932）で書く仕組みがこのシステムにありません。");
        return result;
    }
    result.bytes = encoder.encode(text);
    if (encoder.hasError()) {
        result.bytes.clear();
        result.error = describeUnencodable(loaded, made);
    }
    return result;
}
