#include "windows/status_window.h"

#include "app/game_state.h"
#include "app/stage_widgets.h"
#include "windows/side_window.h"
#include "windows/title.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

namespace {

constexpr QSize kClientSize(px(4755), px(2370));
constexpr int kLabelLeft = 120;
constexpr int kLabelRight = 1455;
constexpr int kLabelHeight = 255;
constexpr int kBoxLeft = 1680;
constexpr int kBoxHeight = 270;

} // namespace

Form2::Form2(const GameState &state, QWidget *parent) : QWidget(parent, kSideWindowFlags)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ステータス"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientSize);

    // One row: a caption label ending where the box begins, and the box.
    auto row = [this](const char *labelName, const QString &caption, const char *boxName,
                      int top, int boxWidth, QLabel *&label, QLineEdit *&box) {
        label = makeLabel(this, labelName, caption,
                          twips(kLabelLeft, top, kLabelRight - kLabelLeft, kLabelHeight));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box = new QLineEdit(this);
        box->setObjectName(QLatin1String(boxName));
        box->setGeometry(twips(kBoxLeft, top, boxWidth, kBoxHeight));
    };
    row("Label2", QStringLiteral("あなたの名前"), "txtYourName", 240, 2055, Label2, txtYourName);
    row("Label1", QStringLiteral("キャラクター名"), "txtCharaName", 600, 2055, Label1, txtCharaName);
    row("Label5", QStringLiteral("語彙レベル"), "txtLevel", 960, 615, Label5, txtLevel);
    row("Label6", QStringLiteral("称号"), "txtJob", 1320, 2055, Label6, txtJob);
    row("Label3", QStringLiteral("学習開始日"), "txtStartDate", 1680, 975, Label3, txtStartDate);
    row("Label4", QStringLiteral("学習終了予定日"), "txtEndDate", 2040, 975, Label4, txtEndDate);

    load(state);
}

void Form2::load(const GameState &state)
{
    // Filled once: the open window goes on showing the values of this moment.
    // A long title is read from its start, so no box is left scrolled to its end.
    auto fill = [](QLineEdit *box, const QString &text) {
        box->setText(text);
        box->setCursorPosition(0);
    };
    fill(txtYourName, state.YourName);
    fill(txtStartDate, state.StartDate);
    fill(txtEndDate, state.EndDate);
    fill(txtCharaName, state.CharaName);
    fill(txtLevel, QString::number(state.Level));
    fill(txtJob, statusTitle(state.Level, state.ELevel, state.DLevel));
    // Dates and levels are short enough to be shown whole.
    constexpr int kInnerMargin = 2; // QLineEdit's own padding on each side
    for (QLineEdit *box : {txtLevel, txtStartDate, txtEndDate}) {
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        fitFont(box, box->text(), box->width() - 2 * (frame + kInnerMargin) - 1);
    }
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
