#include "windows/ending_window.h"

#include "animation/frames.h"
#include "app/host.h"
#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "windows/ending_script.h"
#include "windows/side_window.h"

#include <QTimer>

#include <QPushButton>

#include <QCloseEvent>

namespace {

constexpr QSize kClientSize(px(5385), px(2505));
constexpr int kTimingInterval = 3500;
constexpr int kAnimeInterval = 100;
constexpr int kTalkInterval = 200;

} // namespace

Form4::Form4(Host &host, const FrameStore &frames, const QString &yourName, QWidget *parent)
    : QWidget(parent, kSideWindowFlags), YourName(yourName), host_(host), frames_(frames)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ending..."));
    setFixedSize(kClientSize);

    buildControls();
    buildPictureStore();
    buildTimers();
    load();
}

void Form4::buildControls()
{
    imgChara = makeBodyView(this, twips(120, 120, 2310, 2310), frames_.img000);
    imgEye = makeFrameView(this, "imgEye", twips(705, 555, 1200, 450), frames_.img01);
    imgKuchi = makeFrameView(this, "imgKuchi", twips(855, 1005, 675, 225), frames_.img04);

    Shape1 = new Balloon(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twips(2520, 120, 2775, 1815));

    lblMessage = makeLabel(this, "lblMessage", QString(), twips(2640, 240, 2535, 1575));
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage->setWordWrap(true);

    cmdNext = makeButton(this, "cmdNext", QStringLiteral("進む(&N)"), twips(4080, 2040, 1095, 375));
    connect(cmdNext, &QPushButton::clicked, this, &Form4::cmdNextClick);
    cmdNext->setFocus();
}

void Form4::buildPictureStore()
{
    // Below the client area, never seen: the frames the displays are handed.
    const FrameStore &f = frames_;
    Frame1 = makeStoreFrame(this, "Frame1", QStringLiteral("目"), twips(0, 2640, 2655, 1095),
                            {{"img01", &f.img01}, {"img02", &f.img02}, {"img03", &f.img03}});
    Frame2 = makeStoreFrame(this, "Frame2", QStringLiteral("口"), twips(2760, 2640, 2655, 1095),
                            {{"img04", &f.img04}, {"img05", &f.img05}, {"img06", &f.img06}});
}

void Form4::buildTimers()
{
    tmrTiming = makeTimer(this, "tmrTiming", kTimingInterval);
    tmrAnime = makeTimer(this, "tmrAnime", kAnimeInterval);
    tmrTalk = makeTimer(this, "tmrTalk", kTalkInterval);
    connect(tmrTiming, &QTimer::timeout, this, &Form4::tmrTimingTick);
    connect(tmrAnime, &QTimer::timeout, this, &Form4::tmrAnimeTick);
    connect(tmrTalk, &QTimer::timeout, this, &Form4::tmrTalkTick);
}

void Form4::load()
{
    TalkCount = 0;
    ScriptLine = 0;
    tmrTiming->start();
    tmrAnime->start();
    tmrTalk->stop();
    lblMessage->setText(kEndingOpening);
}

void Form4::cmdNextClick()
{
    TalkCount = 0;
    enableTimer(tmrTalk);
    if (ScriptLine < kScriptLines) {
        lblMessage->setText(scriptLine(ScriptLine, YourName));
        // The mouth stops on whatever frame it shows, open or not.
        if (isSilentLine(ScriptLine))
            tmrTalk->stop();
        ++ScriptLine;
        return;
    }
    host_.showMessage(this, kEndingFarewell);
    host_.exitProgram();
}

void Form4::tmrTimingTick() { enableTimer(tmrAnime); }

void Form4::tmrAnimeTick()
{
    if (stepBlink(*imgEye, frames_))
        tmrAnime->stop();
}

void Form4::tmrTalkTick()
{
    if (stepTalk(*imgKuchi, frames_, TalkCount))
        tmrTalk->stop();
}

void Form4::closeEvent(QCloseEvent *event)
{
    event->accept();
    host_.exitProgram();
}
