// The side windows as laid out: captions, positions in twips, timers.

#include "design_table.h"
#include "form_fixture.h"
#include "windows/about_window.h"
#include "windows/status_window.h"

#include <QImage>

using SideWindowLayout = StageTest;

TEST_F(SideWindowLayout, StatusWindow)
{
    QTest::keyClicks(form->txtNyuryoku, QStringLiteral("N"));
    QTest::mouseClick(form->cmdKakunin, Qt::LeftButton);
    form->statusmenu->trigger();
    ASSERT_TRUE(form->statusWindow);
    // Each caption is right-aligned and ends at 1455, where its box follows.
    expectControls(form->statusWindow, {
        {"Form2", "ステータス", -1, 0, 4755, 2370},
        {"Label2", "あなたの名前", 120, 240, 1335, 255},
        {"Label1", "キャラクター名", 120, 600, 1335, 255},
        {"Label5", "語彙レベル", 120, 960, 1335, 255},
        {"Label6", "称号", 120, 1320, 1335, 255},
        {"Label3", "学習開始日", 120, 1680, 1335, 255},
        {"Label4", "学習終了予定日", 120, 2040, 1335, 255},
        {"txtYourName", nullptr, 1680, 240, 2055, 270},
        {"txtCharaName", nullptr, 1680, 600, 2055, 270},
        {"txtLevel", nullptr, 1680, 960, 615, 270},
        {"txtJob", nullptr, 1680, 1320, 2055, 270},
        {"txtStartDate", nullptr, 1680, 1680, 975, 270},
        {"txtEndDate", nullptr, 1680, 2040, 975, 270},
    });
    for (QLabel *label : form->statusWindow->findChildren<QLabel *>())
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight) << label->objectName().toStdString();
}

TEST_F(SideWindowLayout, EndingWindow)
{
    form->Ending();
    ASSERT_TRUE(form->endingWindow);
    expectControls(form->endingWindow, {
        {"Form4", "Ending...", -1, 0, 5385, 2505},
        {"imgChara", nullptr, 120, 120, 2310, 2310},
        {"imgEye", nullptr, 705, 555, 1200, 450},
        {"imgKuchi", nullptr, 855, 1005, 675, 225},
        {"Shape1", nullptr, 2520, 120, 2775, 1815},
        {"lblMessage", "・・・・・。", 2640, 240, 2535, 1575},
        {"cmdNext", "進む(&N)", 4080, 2040, 1095, 375},
        {"Frame1", "目", 0, 2640, 2655, 1095},
        {"Frame2", "口", 2760, 2640, 2655, 1095},
    });
    const FrameStore &f = form->frames;
    expectStoredPictures(form->endingWindow, {{"img01", &f.img01}, {"img02", &f.img02}, {"img03", &f.img03},
                                              {"img04", &f.img04}, {"img05", &f.img05}, {"img06", &f.img06}});
    expectTimers(form->endingWindow, {
        {"tmrTiming", 3500, true},
        {"tmrAnime", 100, true},
        {"tmrTalk", 200, false},
    });
}

TEST_F(SideWindowLayout, VersionWindow)
{
    form->vermenu->trigger();
    ASSERT_TRUE(form->aboutWindow);
    expectControls(form->aboutWindow, {
        {"frmAbout", "ﾊﾞｰｼﾞｮﾝ情報", 2340, 1935, 3240, 1530},
        {"picIcon", nullptr, 240, 240, 540, 540},
        {"lblTitle", "なないろばこ。", 1050, 240, 1245, 240},
        {"lblVersion", "ver1.0", 1080, 600, 525, 225},
        {"Line1", nullptr, 90, 885, 3030, 45}, // grey from 90 to 3120, white under it: 3 pixels
        {"cmdOK", "OK", 165, 1065, 1380, 345},
        {"cmdSysInfo", "ｼｽﾃﾑ情報(&S)...", 1680, 1080, 1380, 345},
    });
    EXPECT_TRUE(form->aboutWindow->cmdOK->isDefault()) << "Enter presses OK";
    EXPECT_FALSE(form->aboutWindow->isModal()) << "the stage stays usable";
    EXPECT_FALSE(form->aboutWindow->picIcon->pixmap().isNull()) << "the icon";
    // The etched line: grey over white, the white one pixel in from the left.
    const QImage line = form->aboutWindow->Line1->grab().toImage();
    EXPECT_EQ(line.pixelColor(0, 0), QColor(128, 128, 128));
    EXPECT_NE(line.pixelColor(0, 1), QColor(Qt::white));
    EXPECT_EQ(line.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(line.pixelColor(line.width() - 1, 2), QColor(Qt::white));
}
