#include "windows/status_window.h"

#include "engine/game.h"
#include "engine/title.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

StatusWindow::StatusWindow(const Game &game, QWidget *parent) : QWidget(parent, kSideWindowFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // A row: a caption label ending where its box begins, and the box.
    buildLayout(this, this,
                {
                    {Place::Window, "StatusWindow", u"ステータス", -1, -1, 4755, 2370},
                    {Place::Label, "playerNameLabel", u"あなたの名前", 120, 240, 1335, 255},
                    {Place::Edit, "playerNameBox", nullptr, 1680, 240, 2055, 270},
                    {Place::Label, "characterNameLabel", u"キャラクター名", 120, 600, 1335, 255},
                    {Place::Edit, "characterNameBox", nullptr, 1680, 600, 2055, 270},
                    {Place::Label, "levelLabel", u"語彙レベル", 120, 960, 1335, 255},
                    {Place::Edit, "levelBox", nullptr, 1680, 960, 615, 270},
                    {Place::Label, "titleLabel", u"称号", 120, 1320, 1335, 255},
                    {Place::Edit, "titleBox", nullptr, 1680, 1320, 2055, 270},
                    {Place::Label, "startDateLabel", u"学習開始日", 120, 1680, 1335, 255},
                    {Place::Edit, "startDateBox", nullptr, 1680, 1680, 975, 270},
                    {Place::Label, "endDateLabel", u"学習終了予定日", 120, 2040, 1335, 255},
                    {Place::Edit, "endDateBox", nullptr, 1680, 2040, 975, 270},
                });
    for (QLabel *label : findChildren<QLabel *>())
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    playerNameBox = findChild<QLineEdit *>(QStringLiteral("playerNameBox"));
    characterNameBox = findChild<QLineEdit *>(QStringLiteral("characterNameBox"));
    levelBox = findChild<QLineEdit *>(QStringLiteral("levelBox"));
    titleBox = findChild<QLineEdit *>(QStringLiteral("titleBox"));
    startDateBox = findChild<QLineEdit *>(QStringLiteral("startDateBox"));
    endDateBox = findChild<QLineEdit *>(QStringLiteral("endDateBox"));
    load(game);
}

void StatusWindow::load(const Game &game)
{
    const GameState &state = game.state();
    // Filled once: the open window goes on showing the values of this moment.
    // A long title is read from its start, so no box is left scrolled to its end.
    auto fill = [](QLineEdit *box, const QString &text) {
        box->setText(text);
        box->setCursorPosition(0);
    };
    fill(playerNameBox, state.playerName);
    fill(startDateBox, state.startDate);
    fill(endDateBox, state.endDate);
    fill(characterNameBox, state.characterName);
    fill(levelBox, QString::number(state.level));
    fill(titleBox, statusTitle(state.level, state.vulgarCount, state.uselessCount));
    // Dates, levels and titles are short enough to be shown whole; names
    // too, unless the player chose a long one.
    for (QLineEdit *box : {playerNameBox, characterNameBox, levelBox, titleBox, startDateBox, endDateBox})
        fitField(box);
}

void StatusWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
