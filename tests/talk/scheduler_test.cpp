// The message tick through its timer: a scripted draw picks a record, and the
// remark, the gag and the mouth follow from that record alone.

#include "form_fixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

class SchedulerTest : public StageTest {
protected:
    void SetUp() override { enter(u"N"_s); } // NewData(0 ... 2): the dates and the name
};

// Each record lies at index 3 of one memory; index 3 of the other memory
// holds a decoy of the same kind with every answer turned round, so a remark
// or judgement that reads the wrong memory shows.
TEST_F(SchedulerTest, RemarksAboutTheDrawnRecord)
{
    const struct {
        const char *memory, *kind, *sub, *like, *useful, *vulgar;
        const char *sentence;
        bool gag, bared;
    } rows[] = {
        {"Data", "1", "3", "1", "1", "2", "こないだWたべたぞ。", false, false},
        {"NewData", "1", "3", "3", "1", "2", "こないだWたべたけどNがいうほどまずくはなかったな。", false, true},
        {"NewData", "1", "1", "2", "1", "1", "Wになってみたいな。", true, false},      // vulgar only
        {"Data", "2", "1", "1", "2", "2", "Wってイカスな。", true, false},             // useless only
        {"Data", "2", "3", "3", "2", "1", "Wにつれてったらただじゃすまさんからな。", true, true},
        {"NewData", "3", "", "1", "1", "2", "N、W　あいさつもいいもんだな。", false, false}, // a greeting
        {"Data", "3", "", "3", "1", "2", "Wか。つまらんあいさつだな。", false, true},
        {"Data", "4", "", "2", "1", "2", "曰く「W」", false, false},                    // a saying
        {"NewData", "4", "", "3", "1", "2", "曰く「W」", false, true},
    };
    auto turned = [](const char *code, const char *a, const char *b) { return s(code) == s(a) ? s(b) : s(a); };
    for (const auto &r : rows) {
        const bool fromData = r.memory == std::string("Data");
        SCOPED_TRACE(std::string(r.memory) + " " + r.sentence);
        const WordRecord record{u"W"_s, s(r.kind), s(r.sub), s(r.like), s(r.useful), s(r.vulgar)};
        const WordRecord decoy{u"decoy"_s, s(r.kind), s(r.sub), turned(r.like, "1", "3"),
                               turned(r.useful, "1", "2"), turned(r.vulgar, "1", "2")};
        form->DataMax = 3;
        form->Data[1] = form->Data[2] = {u"2026/01/01"_s, Code::StartDate, {}, {}, {}, {}};
        form->Data[3] = fromData ? record : decoy;
        form->i = 3;
        form->appendNewRecord(fromData ? decoy : record);
        form->tmrAction->stop();
        form->imgChara->showFrame(form->frames.img000);
        form->imgKuchi->showFrame(form->frames.img04);
        form->LastRand = -1;

        const int k = fromData ? 3 : form->DataMax + 1 + 3; // the draw that lands on index 3
        host.draws = {(k - 0.2) / (form->DataMax + form->i)};
        tick(form->tmrMessage);
        EXPECT_EQ(form->Rand, 3);
        EXPECT_EQ(form->TalkFrom, fromData ? u"y" : u"q");
        EXPECT_EQ(said(), s(r.sentence));
        EXPECT_EQ(form->tmrAction->isActive(), r.gag) << "a vulgar or useless word plays the gag (EroHantei, DameHantei)";
        EXPECT_EQ(form->imgKuchi->shows(form->frames.img06), r.bared) << "a disliked word bares the teeth (HateHantei)";
        EXPECT_EQ(form->tmrTalk->isActive(), !r.bared) << "the mouth talks unless the word is disliked";
    }
}

} // namespace
