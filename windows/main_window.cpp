#include "windows/main_window.h"

#include "windows/about_window.h"
#include "windows/ending_window.h"
#include "windows/face_view.h"
#include "windows/file_window.h"
#include "windows/host.h"
#include "windows/layout.h"
#include "windows/stage_widgets.h"
#include "windows/side_window.h"
#include "windows/stage_accessible.h"
#include "windows/status_window.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Leaving the game by ending the program: what it still holds unsaved the
// player chose not to keep, so nothing is left for the next start to offer.
std::function<bool()> exitProgram(Host &host, Game &game)
{
    return [&host, &game] {
        game.leave();
        host.exitProgram();
        return true;
    };
}

} // namespace

Form1::Form1(Host &host, Game &game, QWidget *parent) : QMainWindow(parent), host_(host), game_(game)
{
    [[maybe_unused]] static const bool accessibleStage = (QAccessible::installFactory(stageAccessible), true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    // The store frames lie below the client area, so they are never seen.
    buildLayout(this, client,
                {
                    {Place::Window, "Form1", u"ナナイロバコ。", 3120, 2880, 5985, 3210},
                    {Place::Balloon, "Shape1", nullptr, 2520, 720, 3375, 2415},
                    {Place::Label, "lblNyuryoku", u"単語入力(&I)", 120, 120, 975, 255},
                    {Place::Edit, "txtNyuryoku", nullptr, 120, 360, 1935, 270},
                    {Place::Button, "cmdKakunin", u"確認(&A)", 2520, 120, 855, 495},
                    {Place::Button, "cmdModoru", u"戻る(&R)", 3480, 120, 855, 495},
                    {Place::Button, "cmdSyuryo", u"終了(&X)", 4440, 120, 855, 495},
                    {Place::Body, "imgChara", nullptr, 120, 840, 2310, 2310},
                    {Place::Picture, "imgEye", nullptr, 705, 1275, 1200, 450},
                    {Place::Picture, "imgKuchi", nullptr, 870, 1725, 675, 225},
                    {Place::Speech, "lblMessage", nullptr, 2640, 960, 3135, 495},
                    {Place::Choice, "lblSentaku1", nullptr, 2760, 1680, 2895, 255},
                    {Place::Choice, "lblSentaku2", nullptr, 2760, 2040, 2895, 255},
                    {Place::Choice, "lblSentaku3", nullptr, 2760, 2400, 2895, 255},
                    {Place::Choice, "lblSentaku4", nullptr, 2760, 2760, 2895, 255},
                    {Place::Store, "Frame1", u"目", 120, 3360, 4000, 1500},
                    {Place::Store, "Frame2", u"口", 4200, 3360, 1700, 1500},
                    {Place::Store, "Frame3", u"アクション１", 120, 5040, 5800, 5000},
                });
    auto child = [this]<typename T>(T *&pointer, const char *name) {
        pointer = findChild<T *>(QLatin1String(name));
    };
    child(lblNyuryoku, "lblNyuryoku");
    child(txtNyuryoku, "txtNyuryoku");
    child(cmdKakunin, "cmdKakunin");
    child(cmdModoru, "cmdModoru");
    child(cmdSyuryo, "cmdSyuryo");
    child(Shape1, "Shape1");
    child(lblMessage, "lblMessage");
    lblNyuryoku->setBuddy(txtNyuryoku);
    // The answers move into one group of their own, where they stood.
    auto *answers = new ChoiceGroup(client);
    answers->setObjectName(QStringLiteral("answers"));
    QRect groupArea;
    for (int k = 0; k < 4; ++k) {
        child(lblSentaku[k], QStringLiteral("lblSentaku%1").arg(k + 1).toLatin1().constData());
        groupArea |= lblSentaku[k]->geometry();
        connect(lblSentaku[k], &ChoiceLabel::clicked, this, [this, k] {
            game_.lblSentakuClick(k + 1);
            announceChoices();
        });
        connect(lblSentaku[k], &ChoiceLabel::stepped, this, [this, k](int direction) { stepAnswer(k, direction); });
    }
    answers->setGeometry(groupArea);
    for (ChoiceLabel *label : lblSentaku) {
        const QRect area = label->geometry().translated(-groupArea.topLeft());
        label->setParent(answers);
        label->setGeometry(area);
    }
    fillStoreFrame(findChild<QGroupBox *>(QStringLiteral("Frame1")), frames, {Frame::img01, Frame::img02, Frame::img03});
    fillStoreFrame(findChild<QGroupBox *>(QStringLiteral("Frame2")), frames, {Frame::img04, Frame::img05, Frame::img06});
    fillStoreFrame(findChild<QGroupBox *>(QStringLiteral("Frame3")), frames,
                   {Frame::img000, Frame::imgAct101, Frame::imgAct102, Frame::imgAct103, Frame::imgAct104,
                    Frame::imgAct105, Frame::imgAct106, Frame::imgAct107, Frame::imgAct108, Frame::imgAct109,
                    Frame::imgAct110, Frame::imgAct111});

    connect(txtNyuryoku, &QLineEdit::textEdited, &game_, &Game::txtNyuryokuChange);
    connect(cmdKakunin, &QPushButton::clicked, this, [this] {
        game_.cmdKakuninClick();
        announceChoices();
        focusAnswersOrEntry();
    });
    connect(cmdModoru, &QPushButton::clicked, this, [this] {
        game_.cmdModoruClick();
        focusAnswersOrEntry();
    });
    connect(cmdSyuryo, &QPushButton::clicked, this, [this] { leaveGame(exitProgram(host_, game_)); });
    setTabOrder(txtNyuryoku, lblSentaku[0]);
    for (int k = 0; k < 3; ++k)
        setTabOrder(lblSentaku[k], lblSentaku[k + 1]);
    setTabOrder(lblSentaku[3], cmdKakunin);
    setTabOrder(cmdKakunin, cmdModoru);
    setTabOrder(cmdModoru, cmdSyuryo);

    buildMenus();
    face = new FaceView(this, game_.face, game_, frames, true);
    tmrMessage = makeTimer(this, "tmrMessage", game_.tmrMessage.interval());
    tmrTenmetsu = makeTimer(this, "tmrTenmetsu", game_.tmrTenmetsu.interval());
    connect(tmrMessage, &QTimer::timeout, &game_, &Game::tmrMessageTick);
    connect(tmrTenmetsu, &QTimer::timeout, &game_, &Game::tmrTenmetsuTick);

    connect(&game_, &Game::changed, this, &Form1::refresh);
    connect(&game_, &Game::message, this, &Form1::showMessage);
    connect(&game_, &Game::fileWindowWanted, this, &Form1::showFileWindow);
    connect(&game_, &Game::quitRequested, this, [this] { host_.exitProgram(); });

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    keepOnScreen(this);
    refresh();
    txtNyuryoku->setFocus();
}

Form1::~Form1() = default;

void Form1::refresh()
{
    if (lblMessage->text() != game_.sentence)
        lblMessage->setText(game_.sentence);
    for (int k = 0; k < 4; ++k) {
        const ChoiceCue &cue = game_.choices[k];
        ChoiceLabel *label = lblSentaku[k];
        label->setText(cue.caption);
        label->setEnabled(cue.enabled);
        label->setOpaque(cue.lit);
        if (cue.visible != !label->isHidden())
            label->setVisible(cue.visible);
    }
    // One stop for the whole group: the picked answer, or the first that can be.
    ChoiceLabel *stop = answerStop();
    for (ChoiceLabel *label : lblSentaku)
        label->setFocusPolicy(label == stop ? Qt::StrongFocus : label->isEnabled() ? Qt::ClickFocus : Qt::NoFocus);
    if (txtNyuryoku->text() != game_.entryText)
        txtNyuryoku->setText(game_.entryText);
    txtNyuryoku->setEnabled(game_.entryOpen);
    statusmenu->setEnabled(game_.statusMenu);
    face->show();
    follow(tmrMessage, game_.tmrMessage);
    follow(tmrTenmetsu, game_.tmrTenmetsu);

    if (game_.ending && !endingWindow) {
        endingWindow = new Form4(host_, game_, frames, this);
        endingWindow->show();
        // The stage stays loaded, its timers running unseen; there is no
        // way back to it from the scene.
        hide();
    }
    if (endingWindow)
        endingWindow->refresh();
}

void Form1::showMessage(const QString &text)
{
    // The box comes up over the screen of this moment.
    refresh();
    host_.showMessage(endingWindow && endingWindow->isVisible() ? static_cast<QWidget *>(endingWindow) : this, text);
}

void Form1::opnmenuClick() { showFileWindow(Game::FileMode::Open); }

void Form1::savemenuClick() { showFileWindow(Game::FileMode::Save); }

void Form1::statusmenuClick()
{
    openOrRaise(statusWindow, [this] { return new Form2(game_, this); });
}

void Form1::vermenuClick()
{
    openOrRaise(aboutWindow, [this] { return new frmAbout(host_, this); });
}

void Form1::showFileWindow(Game::FileMode mode)
{
    if (!fileWindow) {
        Form3::Actions actions;
        actions.picked = [this](const QString &file) { game_.chooseFile(file); };
        actions.open = [this](const QString &file) { return askAndOpen(file); };
        actions.save = [this](const QString &file) { return saveAs(file); };
        fileWindow = new Form3(Form3::startFolder(), std::move(actions), this);
        // What waited for a save through the window waits no longer once
        // the window is gone: that save did not happen.
        connect(fileWindow, &QObject::destroyed, this, [this] { afterSave_ = nullptr; });
    }
    fileWindow->setMode(mode == Game::FileMode::Open ? Form3::Mode::Open : Form3::Mode::Save);
    fileWindow->show();
    fileWindow->raise();
    fileWindow->activateWindow();
}

bool Form1::leaveGame(std::function<bool()> leave)
{
    afterSave_ = nullptr;
    if (!game_.hasUnsavedRecords())
        return leave();
    const int answer = host_.ask(this, QStringLiteral("教えたことばや名前を、まだ保存していません。保存しますか？"),
                                 {QStringLiteral("保存"), QStringLiteral("保存しない"), QStringLiteral("キャンセル")}, 0);
    if (answer == 1)
        return leave();
    if (answer != 0)
        return false;
    if (!game_.FileName.isEmpty())
        return mayAddToCurrentFile() && game_.FSave(game_.FileName) && leave();
    showFileWindow(Game::FileMode::Save);
    fileWindow->txtFileName->clear();
    afterSave_ = std::move(leave);
    return false;
}

bool Form1::mayAddToCurrentFile()
{
    // A click in the file window's list makes a file current without a word;
    // this game's words go into another game's file only when asked for.
    if (!game_.addsToAnotherFile())
        return true;
    const QString name = QFileInfo(game_.FileName).fileName();
    return host_.ask(this,
                     QStringLiteral("「%1」は、このゲームで開いたり保存したりしたファイルではありません。"
                                    "このゲームのことばを書き足しますか？")
                         .arg(name),
                     {QStringLiteral("書き足す"), QStringLiteral("キャンセル")}, 1)
           == 0;
}

bool Form1::saveAs(const QString &fileName)
{
    if (game_.replacesAnotherFile(fileName)) {
        const QString name = QFileInfo(withEggExtension(fileName)).fileName();
        if (host_.ask(fileWindow, QStringLiteral("「%1」はもうあります。置きかえますか？").arg(name),
                      {QStringLiteral("置きかえる"), QStringLiteral("キャンセル")}, 1)
            != 0)
            return false;
    }
    if (!game_.NFSave(fileName))
        return false;
    if (const std::function<bool()> leave = std::exchange(afterSave_, nullptr))
        leave();
    return true;
}

bool Form1::askAndOpen(const QString &fileName)
{
    return leaveGame([this, fileName] { return openSavedGame(fileName); });
}

bool Form1::openSavedGame(const QString &fileName)
{
    if (!game_.FLoad(fileName))
        return false;
    txtNyuryoku->setFocus();
    return true;
}

bool Form1::offered(int k) const { return game_.choices[k].enabled && game_.choices[k].visible; }

bool Form1::answerHasFocus() const
{
    return std::find(lblSentaku.begin(), lblSentaku.end(), focusWidget()) != lblSentaku.end();
}

ChoiceLabel *Form1::answerStop() const
{
    const int picked = game_.Choice;
    if (picked >= 1 && picked <= 4 && offered(picked - 1))
        return lblSentaku[picked - 1];
    for (int k = 0; k < 4; ++k) {
        if (offered(k))
            return lblSentaku[k];
    }
    return nullptr;
}

void Form1::focusAnswersOrEntry()
{
    if (ChoiceLabel *stop = answerStop())
        stop->setFocus(Qt::OtherFocusReason);
    else
        focusEntryIfOpen();
}

void Form1::stepAnswer(int from, int direction)
{
    for (int k = (from + direction + 4) % 4; k != from; k = (k + direction + 4) % 4) {
        if (offered(k)) {
            game_.lblSentakuClick(k + 1);
            announceChoices();
            lblSentaku[k]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Form1::focusEntryIfOpen()
{
    if (txtNyuryoku->isEnabled())
        txtNyuryoku->setFocus();
}

void Form1::announceChoices()
{
    QAccessible::State checked;
    checked.checked = true;
    for (ChoiceLabel *label : lblSentaku) {
        QAccessibleStateChangeEvent event(label, checked);
        QAccessible::updateAccessibility(&event);
    }
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Only what no control took arrives here: a digit typed into a text box
    // stays text. The modifiers allowed are the keypad's alone. The game
    // takes the key only for an answer it offers.
    const int k = event->key() - Qt::Key_0;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && k >= 1 && k <= 4 && focusWidget() != txtNyuryoku) {
        game_.lblSentakuClick(k);
        announceChoices();
        if (ChoiceLabel *stop = answerStop(); stop && answerHasFocus())
            stop->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Enter on an answer goes on, as 確認 does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && answerHasFocus()) {
        cmdKakunin->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // With the stage gone nothing of the game is left to use: closing it ends
    // the program, as "終了(&X)" does, once nothing unsaved stands in the
    // way. A save waiting for its file finishes first.
    if (game_.saving() || !leaveGame(exitProgram(host_, game_)))
        event->ignore();
}
