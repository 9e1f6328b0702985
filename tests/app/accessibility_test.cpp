// What a screen reader is told: the sentence is a notification, the answers
// are choices with the picked one checked, the pictures have names and the
// picture store is not there. (That Orca reads each new sentence out is
// checked by tools/orca-check.sh: the toolkit sends no events to a test
// without a real accessibility bus.)

#include "form_fixture.h"

#include <QAccessible>
#include <QGroupBox>

namespace {

class AccessibilityTest : public StageTest {
protected:
    static QAccessibleInterface *of(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
};

TEST_F(AccessibilityTest, TheSentenceIsANotificationNamedByItsText)
{
    form->txtNyuryoku->setText(QStringLiteral("Taro"));
    form->cmdKakunin->click();
    QAccessibleInterface *sentence = of(form->lblMessage);
    EXPECT_EQ(sentence->role(), QAccessible::Notification);
    EXPECT_EQ(sentence->text(QAccessible::Name), u"そうか、おまえのなまえはTaroなんだな。");
}

TEST_F(AccessibilityTest, AnswersAreChoicesWithThePickedOneChecked)
{
    form->show();
    for (ChoiceLabel *label : form->lblSentaku)
        EXPECT_TRUE(of(label)->state().invisible) << "no choices before the first question";
    form->Step = 0;
    form->txtNyuryoku->setText(QStringLiteral("apple"));
    form->cmdKakunin->click();
    emit form->lblSentaku[0]->clicked();

    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        QAccessibleInterface *choice = of(form->lblSentaku[k]);
        EXPECT_EQ(choice->role(), QAccessible::RadioButton);
        EXPECT_EQ(choice->text(QAccessible::Name), form->lblSentaku[k]->text());
        EXPECT_TRUE(choice->state().checkable);
        EXPECT_EQ(choice->state().checked, k == 0);
    }
    // The blink that lights and darkens the picked answer leaves it checked.
    form->tmrTenmetsuTick();
    EXPECT_TRUE(of(form->lblSentaku[0])->state().checked);
    // Pressing a choice through the screen reader is a click.
    of(form->lblSentaku[3])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form->Choice, 4);
    EXPECT_TRUE(of(form->lblSentaku[3])->state().checked);
    form->cmdKakunin->click();
    EXPECT_FALSE(of(form->lblSentaku[3])->state().checked) << "a new question has no answer yet";
}

TEST_F(AccessibilityTest, PicturesHaveNamesAndTheStoreIsHidden)
{
    form->show();
    EXPECT_EQ(QStringList({of(form->imgChara)->text(QAccessible::Name), of(form->imgEye)->text(QAccessible::Name),
                           of(form->imgKuchi)->text(QAccessible::Name)}),
              QStringList({"キャラクター", "キャラクターの目", "キャラクターの口"}));
    for (QGroupBox *store : {form->Frame1, form->Frame2, form->Frame3})
        EXPECT_TRUE(of(store)->state().invisible) << qPrintable(store->objectName());
}

} // namespace
