#include "app/stage_widgets.h"
#include "form_fixture.h"

#include <QTimer>

class FaceTest : public StageTest {
protected:
    const FrameStore &f = form->frames;
    bool eyeShows(const QPixmap &frame) const { return form->imgEye->shows(frame); }
    bool bodyShows(const QPixmap &frame) const { return form->imgChara->shows(frame); }
};

TEST_F(FaceTest, FrameIdentityIsThePictureNotItsLook)
{
    FrameView view;
    view.showDesignPicture(f.img01);
    EXPECT_EQ(view.shownFrame(), nullptr) << "a look-alike shows no frame";
    EXPECT_FALSE(view.shows(f.img01));
    view.showFrame(f.img01);
    EXPECT_TRUE(view.shows(f.img01));
    EXPECT_FALSE(view.shows(f.img02));
    const QPixmap copy = f.img01;
    EXPECT_FALSE(view.shows(copy)) << "a shared copy is another picture";
}

TEST_F(FaceTest, BlinksRightAfterStartThenWaitsForTheTimingTick)
{
    ASSERT_TRUE(form->tmrAnime->isActive());
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img02));
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img03));
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img01));
    EXPECT_FALSE(form->tmrAnime->isActive());

    form->tmrTimingTick();
    EXPECT_TRUE(form->tmrAnime->isActive());
    EXPECT_TRUE(eyeShows(f.img01)) << "the timing tick only starts the blink";
}

TEST_F(FaceTest, BlinkFromAnExpressionOrADesignPicture)
{
    form->imgEye->showFrame(f.img02); // the scolding's half-closed eyes
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img03));
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img01));
    EXPECT_FALSE(form->tmrAnime->isActive());

    form->tmrTimingTick();
    form->imgEye->showDesignPicture(f.img01);
    form->tmrAnimeTick();
    EXPECT_TRUE(eyeShows(f.img01));
    EXPECT_FALSE(form->tmrAnime->isActive()) << "no frame: straight to open, and stop";
}

TEST_F(FaceTest, ActionPlaysElevenFramesAndEndsWithABlink)
{
    form->Action();
    form->Action(); // a second call plays the same sequence, not another
    EXPECT_TRUE(form->tmrAction->isActive());
    EXPECT_FALSE(form->tmrAnime->isActive()) << "a blink under way stops";

    for (int k = 0; k < FrameStore::kActionFrames; ++k) {
        form->tmrActionTick();
        ASSERT_TRUE(bodyShows(f.imgAct[k])) << "tick " << k + 1;
    }
    form->tmrTimingTick(); // a blink during the action leaves it alone
    EXPECT_TRUE(bodyShows(f.imgAct.back()));
    form->tmrAnime->stop();

    form->tmrActionTick();
    EXPECT_TRUE(bodyShows(f.img000));
    EXPECT_FALSE(form->tmrAction->isActive());
    EXPECT_TRUE(form->tmrAnime->isActive());
}

TEST_F(FaceTest, ActionGoesOnFromTheFrameShown)
{
    form->imgChara->showFrame(f.imgAct[4]); // imgAct105
    form->Action();
    form->tmrActionTick();
    EXPECT_TRUE(bodyShows(f.imgAct[5]));

    form->imgChara->showDesignPicture(f.img000);
    form->tmrActionTick();
    EXPECT_EQ(form->imgChara->shownFrame(), nullptr);
    EXPECT_TRUE(form->tmrAction->isActive()) << "an unknown picture: the sequence waits";
}

TEST_F(FaceTest, ChosenAnswerFlashesUntilTheChoiceIsCleared)
{
    auto opaque = [this] {
        QString lit;
        for (ChoiceLabel *label : form->lblSentaku)
            lit += label->isOpaque() ? u'#' : u'.';
        return lit;
    };
    form->lblSentaku[1]->setOpaque(true);
    form->Choice = 2;
    form->tmrTenmetsuTick();
    EXPECT_EQ(opaque(), u"....");
    form->tmrTenmetsuTick();
    EXPECT_EQ(opaque(), u".#..");

    form->lblSentaku[1]->setOpaque(false);
    form->lblSentaku[3]->setOpaque(true);
    form->Choice = 4;
    form->tmrTenmetsuTick();
    EXPECT_EQ(opaque(), u"....");
    form->tmrTenmetsuTick();
    EXPECT_EQ(opaque(), u"...#");

    form->lblSentaku[0]->setOpaque(true);
    form->Choice = 0;
    form->tmrTenmetsuTick();
    EXPECT_EQ(opaque(), u"....");
}

TEST_F(FaceTest, ChoiceBlinkStaysSilentUntilItHasAnInterval)
{
    EXPECT_FALSE(form->tmrTenmetsu->isActive());
    form->setTenmetsuInterval(500);
    EXPECT_TRUE(form->tmrTenmetsu->isActive());
    EXPECT_EQ(form->tmrTenmetsu->interval(), 500);
}
