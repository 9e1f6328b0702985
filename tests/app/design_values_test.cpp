// The stage as laid out: controls, menus and timers, value for value.

#include "design_table.h"
#include "form_fixture.h"

#include <QImage>
#include <QMenu>
#include <QMenuBar>

using MainWindowLayout = StageTest;

TEST_F(MainWindowLayout, ControlsMenusAndTimersAsDesigned)
{
    expectControls(form.get(), {
        {"Form1", "ナナイロバコ。", 3120, 2880, 5985, 3210},
        {"lblNyuryoku", "単語入力(&I)", 120, 120, 975, 255},
        {"txtNyuryoku", "", 120, 360, 1935, 270},
        {"cmdKakunin", "確認(&A)", 2520, 120, 855, 495},
        {"cmdModoru", "戻る(&R)", 3480, 120, 855, 495},
        {"cmdSyuryo", "終了(&X)", 4440, 120, 855, 495},
        {"imgChara", nullptr, 120, 840, 2310, 2310},
        {"imgEye", nullptr, 705, 1275, 1200, 450},
        {"imgKuchi", nullptr, 870, 1725, 675, 225},
        {"Shape1", nullptr, 2520, 720, 3375, 2415},
        {"lblMessage", "おまえのなまえは？", 2640, 960, 3135, 495},
        {"lblSentaku1", "", 2760, 1680, 2895, 255},
        {"lblSentaku2", "", 2760, 2040, 2895, 255},
        {"lblSentaku3", "", 2760, 2400, 2895, 255},
        {"lblSentaku4", "", 2760, 2760, 2895, 255},
        // The picture store, below the client area, never seen.
        {"Frame1", "目", 120, 3360, 4000, 1500},
        {"Frame2", "口", 4200, 3360, 1700, 1500},
        {"Frame3", "アクション１", 120, 5040, 5800, 5000},
    });
    EXPECT_EQ(form->lblNyuryoku->buddy(), form->txtNyuryoku) << "&I reaches the entry box";
    EXPECT_EQ(form->imgChara->frameWidth(), 2) << "the body's sunken border";
    // Long words make long sentences and captions: they wrap inside the
    // balloon instead of running out of it.
    EXPECT_TRUE(form->lblMessage->wordWrap()) << "lblMessage wraps";
    for (ChoiceLabel *label : form->lblSentaku)
        EXPECT_TRUE(label->wordWrap()) << label->objectName().toStdString() << " wraps";

    // The balloon: a crisp one-pixel outline on every side, its corners
    // rounded with a radius of 14 pixels, whose arc leaves (7, 3) inside.
    const QImage balloon = form->Shape1->grab().toImage();
    const QColor outline = form->Shape1->palette().color(QPalette::WindowText);
    const QColor inside = form->Shape1->palette().color(QPalette::Base);
    const int right = balloon.width() - 1, bottom = balloon.height() - 1;
    const struct {
        int x, y;
        QColor color;
    } spots[] = {
        {right / 2, 0, outline}, {right / 2, bottom, outline}, {0, bottom / 2, outline}, {right, bottom / 2, outline},
        {right / 2, bottom / 2, inside}, {7, 3, inside}, {3, 7, inside}, {right - 7, bottom - 3, inside},
        {0, 0, form->Shape1->palette().color(QPalette::Window)},
    };
    for (const auto &spot : spots)
        EXPECT_EQ(balloon.pixelColor(spot.x, spot.y), spot.color) << spot.x << ", " << spot.y;
    const FrameStore &f = form->frames;
    EXPECT_EQ(form->imgKuchi->pixmap().toImage(), f.img04.toImage()) << "the mouth's picture before any frame";
    expectStoredPictures(form.get(), {
        {"img01", &f.img01}, {"img02", &f.img02}, {"img03", &f.img03},
        {"img04", &f.img04}, {"img05", &f.img05}, {"img06", &f.img06},
        {"img000", &f.img000}, {"imgAct101", &f.imgAct[0]}, {"imgAct102", &f.imgAct[1]},
        {"imgAct103", &f.imgAct[2]}, {"imgAct104", &f.imgAct[3]}, {"imgAct105", &f.imgAct[4]},
        {"imgAct106", &f.imgAct[5]}, {"imgAct107", &f.imgAct[6]}, {"imgAct108", &f.imgAct[7]},
        {"imgAct109", &f.imgAct[8]}, {"imgAct110", &f.imgAct[9]}, {"imgAct111", &f.imgAct[10]},
    });

    // The menu bar, item by item in its order.
    const struct {
        const char *menu, *item, *caption;
        bool enabled;
    } items[] = {
        {"ファイル(&F)", "newmenu", "新規(&N)", true},
        {"ファイル(&F)", "opnmenu", "開く(&O)", true},
        {"ファイル(&F)", "asavemenu", "上書き保存(&V)", true},
        {"ファイル(&F)", "savemenu", "名前をつけて保存(&E)", true},
        {"情報(&I)", "statusmenu", "ステータス(&S)", false},
        {"ヘルプ(&H)", "vermenu", "バージョン情報(&V)", true},
    };
    auto line = [](const QString &menu, const QString &item, const QString &caption, bool enabled) {
        return QStringLiteral("%1 / %2 %3%4").arg(menu, item, caption, enabled ? QString() : QStringLiteral(" (disabled)"));
    };
    QStringList designed, built;
    for (const auto &row : items)
        designed << line(QString::fromUtf8(row.menu), QLatin1String(row.item), QString::fromUtf8(row.caption), row.enabled);
    for (const QAction *top : form->menuBar()->actions()) {
        for (const QAction *item : top->menu()->actions())
            built << line(top->text(), item->objectName(), item->text(), item->isEnabled());
    }
    EXPECT_EQ(built, designed);

    // Timers after the load: the talk waits for the name, the choice blink
    // for its first interval.
    expectTimers(form.get(), {
        {"tmrMessage", 6000, false},
        {"tmrTalk", 200, false},
        {"tmrTiming", 3500, true},
        {"tmrAnime", 100, true},
        {"tmrAction", 100, false},
        {"tmrTenmetsu", 0, false},
    });
    QTest::keyClicks(form->txtNyuryoku, QStringLiteral("N"));
    QTest::mouseClick(form->cmdKakunin, Qt::LeftButton);
    expectTimers(form.get(), {{"tmrMessage", 6000, true}, {"tmrTenmetsu", 500, true}});
}
