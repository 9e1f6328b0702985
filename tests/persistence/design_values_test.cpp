// The file window as laid out: captions and positions in twips.

#include "design_table.h"
#include "form_fixture.h"
#include "persistence/file_window.h"

#include <QLabel>

using FileWindowLayout = StageTest;

TEST_F(FileWindowLayout, ControlsAsDesigned)
{
    form->opnmenu->trigger();
    ASSERT_TRUE(form->fileWindow);
    expectControls(form->fileWindow, {
        {"Form3", "ファイル操作", -1, 0, 4875, 2745},
        {"Label1", "ファイル名(&N):", 240, 120, 1095, 255},
        {"txtFileName", "", 1440, 120, 3375, 270},
        {"Drive1", nullptr, 120, 480, 2415, 300},
        {"Dir1", nullptr, 120, 840, 2415, 1350},
        {"File1", nullptr, 2640, 480, 2175, 1710},
        {"cmdSave", "保存(&S)", 2640, 2280, 975, 375},
        {"cmdOpen", "開く(&O)", 2640, 2280, 975, 375},
        {"cmdExit", "終了(&X)", 3720, 2280, 975, 375},
    });
    EXPECT_EQ(form->fileWindow->Label1->buddy(), form->fileWindow->txtFileName) << "&N reaches the name box";
}
