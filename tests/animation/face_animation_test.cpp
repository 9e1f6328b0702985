#include "form_fixture.h"

class FaceTest : public StageTest {
protected:
    const FrameStore &f = form->frames;
    bool bodyShows(const QPixmap &frame) const { return form->imgChara->shows(frame); }
    // The eye frame after each blink tick, until the blink stops: 1 open,
    // 2 half closed, 3 closed.
    QString blink()
    {
        QString seen;
        while (form->tmrAnime->isActive() && seen.size() < 5) {
            form->tmrAnimeTick();
            const FrameView *eye = form->imgEye;
            seen += eye->shows(f.img01) ? u'1' : eye->shows(f.img02) ? u'2' : eye->shows(f.img03) ? u'3' : u'?';
        }
        return seen;
    }
};

TEST_F(FaceTest, FrameIdentityIsThePictureNotItsLook)
{
    FrameView view;
    view.showDesignPicture(f.img01);
    EXPECT_EQ(view.shownFrame(), nullptr) << "a look-alike shows no frame";
    view.showFrame(f.img01);
    EXPECT_TRUE(view.shows(f.img01));
    const QPixmap copy = f.img01;
    EXPECT_FALSE(view.shows(copy)) << "a shared copy is another picture";
}

TEST_F(FaceTest, BlinkTickByTick)
{
    EXPECT_EQ(blink(), u"231") << "right after start";
    form->tmrTimingTick();
    EXPECT_TRUE(form->imgEye->shows(f.img01)) << "the timing tick only starts the blink";
    form->imgEye->showFrame(f.img02); // the scolding's half-closed eyes
    EXPECT_EQ(blink(), u"31");
    form->tmrTimingTick();
    form->imgEye->showDesignPicture(f.img01);
    EXPECT_EQ(blink(), u"1") << "no frame: straight to open, and stop";
}

TEST_F(FaceTest, ActionPlaysElevenFramesEndsWithABlinkAndResumes)
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

    // Started again, it goes on from the frame shown, and waits on a picture it does not know.
    form->imgChara->showFrame(f.imgAct[4]);
    form->Action();
    form->tmrActionTick();
    EXPECT_TRUE(bodyShows(f.imgAct[5]));
    form->imgChara->showDesignPicture(f.img000);
    form->tmrActionTick();
    EXPECT_EQ(form->imgChara->shownFrame(), nullptr);
    EXPECT_TRUE(form->tmrAction->isActive());
}

TEST_F(FaceTest, ChosenAnswerFlashesUntilTheChoiceIsCleared)
{
    // Starts from one lit label so that a tick that merely copies the
    // choice, or leaves another label lit, shows up in the pattern.
    auto flash = [this](int lit, int choice) {
        for (ChoiceLabel *label : form->lblSentaku)
            label->setOpaque(label == form->lblSentaku[lit]);
        form->Choice = choice;
        QString seen;
        for (int tick = 0; tick < 2; ++tick) {
            form->tmrTenmetsuTick();
            for (ChoiceLabel *label : form->lblSentaku)
                seen += label->isOpaque() ? u'#' : u'.';
        }
        return seen;
    };
    EXPECT_EQ(flash(1, 2), u".....#..");
    EXPECT_EQ(flash(3, 4), u".......#");
    EXPECT_EQ(flash(0, 0), u"........");
}
