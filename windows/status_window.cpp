#include "windows/status_window.h"

#include "engine/game.h"
#include "engine/title.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>

Form2::Form2(const Game &game, QWidget *parent) : QWidget(parent, kSideWindowFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // A row: a caption label ending where its box begins, and the box.
    buildLayout(this, this,
                {
                    {Place::Window, "Form2", u"ステータス", -1, -1, 4755, 2370},
                    {Place::Label, "Label2", u"あなたの名前", 120, 240, 1335, 255},
                    {Place::Edit, "txtYourName", nullptr, 1680, 240, 2055, 270},
                    {Place::Label, "Label1", u"キャラクター名", 120, 600, 1335, 255},
                    {Place::Edit, "txtCharaName", nullptr, 1680, 600, 2055, 270},
                    {Place::Label, "Label5", u"語彙レベル", 120, 960, 1335, 255},
                    {Place::Edit, "txtLevel", nullptr, 1680, 960, 615, 270},
                    {Place::Label, "Label6", u"称号", 120, 1320, 1335, 255},
                    {Place::Edit, "txtJob", nullptr, 1680, 1320, 2055, 270},
                    {Place::Label, "Label3", u"学習開始日", 120, 1680, 1335, 255},
                    {Place::Edit, "txtStartDate", nullptr, 1680, 1680, 975, 270},
                    {Place::Label, "Label4", u"学習終了予定日", 120, 2040, 1335, 255},
                    {Place::Edit, "txtEndDate", nullptr, 1680, 2040, 975, 270},
                });
    const std::pair<QLabel **, const char *> labels[] = {{&Label1, "Label1"}, {&Label2, "Label2"},
                                                         {&Label3, "Label3"}, {&Label4, "Label4"},
                                                         {&Label5, "Label5"}, {&Label6, "Label6"}};
    for (const auto &[label, name] : labels) {
        *label = findChild<QLabel *>(QLatin1String(name));
        (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    txtYourName = findChild<QLineEdit *>(QStringLiteral("txtYourName"));
    txtCharaName = findChild<QLineEdit *>(QStringLiteral("txtCharaName"));
    txtLevel = findChild<QLineEdit *>(QStringLiteral("txtLevel"));
    txtJob = findChild<QLineEdit *>(QStringLiteral("txtJob"));
    txtStartDate = findChild<QLineEdit *>(QStringLiteral("txtStartDate"));
    txtEndDate = findChild<QLineEdit *>(QStringLiteral("txtEndDate"));
    load(game);
}

void Form2::load(const Game &state)
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
    // Dates, levels and titles are short enough to be shown whole; names
    // too, unless the player chose a long one.
    for (QLineEdit *box : {txtYourName, txtCharaName, txtLevel, txtJob, txtStartDate, txtEndDate})
        fitField(box);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
