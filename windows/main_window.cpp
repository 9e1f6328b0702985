#include "windows/main_window.h"

#include "windows/about_window.h"
#include "windows/face_view.h"
#include "windows/farewell_window.h"
#include "windows/file_controller.h"
#include "windows/file_window.h"
#include "windows/host.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_accessible.h"
#include "windows/stage_widgets.h"
#include "windows/status_window.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

StageWindow::StageWindow(Host &host, Game &game, QWidget *parent) : QMainWindow(parent), host_(host), game_(game)
{
    [[maybe_unused]] static const bool accessibleStage = (QAccessible::installFactory(stageAccessible), true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildLayout(this, client,
                {
                    {Place::Window, "StageWindow", u"ナナイロバコ。", 3120, 2880, 5985, 3210},
                    {Place::Balloon, "balloon", nullptr, 2520, 720, 3375, 2415},
                    {Place::Label, "wordLabel", u"単語入力(&I)", 120, 120, 975, 255},
                    {Place::Edit, "wordEntry", nullptr, 120, 360, 1935, 270},
                    {Place::Button, "confirmButton", u"確認(&A)", 2520, 120, 855, 495},
                    {Place::Button, "backButton", u"戻る(&R)", 3480, 120, 855, 495},
                    {Place::Button, "quitButton", u"終了(&X)", 4440, 120, 855, 495},
                    {Place::Body, "body", nullptr, 120, 840, 2310, 2310},
                    {Place::Picture, "eye", nullptr, 705, 1275, 1200, 450},
                    {Place::Picture, "mouth", nullptr, 870, 1725, 675, 225},
                    {Place::Speech, "speech", nullptr, 2640, 960, 3135, 495},
                    {Place::Choice, "answer1", nullptr, 2760, 1680, 2895, 255},
                    {Place::Choice, "answer2", nullptr, 2760, 2040, 2895, 255},
                    {Place::Choice, "answer3", nullptr, 2760, 2400, 2895, 255},
                    {Place::Choice, "answer4", nullptr, 2760, 2760, 2895, 255},
                });
    auto child = [this]<typename T>(T *&pointer, const char *name) { pointer = findChild<T *>(QLatin1String(name)); };
    child(wordLabel, "wordLabel");
    child(wordEntry, "wordEntry");
    child(confirmButton, "confirmButton");
    child(backButton, "backButton");
    child(quitButton, "quitButton");
    child(balloon, "balloon");
    child(speech, "speech");
    wordLabel->setBuddy(wordEntry);
    for (int k = 0; k < 4; ++k)
        child(answerLabels[k], QStringLiteral("answer%1").arg(k + 1).toLatin1().constData());
    // The answers move into one group of their own, where they stood.
    answers = new ChoiceGroup(client, answerLabels);
    answers->setObjectName(QStringLiteral("answers"));
    connect(answers, &ChoiceGroup::picked, this, &StageWindow::pick);
    connect(answers, &ChoiceGroup::confirmed, confirmButton, &QPushButton::click);

    files_ = new FileController(host_, game_, this);
    connect(files_, &FileController::opened, this, [this] { wordEntry->setFocus(); });
    connect(wordEntry, &QLineEdit::textEdited, &game_, &Game::typed);
    connect(confirmButton, &QPushButton::clicked, this, [this] {
        game_.confirm();
        answers->announce();
        focusAnswersOrEntry();
    });
    connect(backButton, &QPushButton::clicked, this, [this] {
        game_.back();
        focusAnswersOrEntry();
    });
    connect(quitButton, &QPushButton::clicked, this, &StageWindow::quit);
    setTabOrder(wordEntry, answerLabels[0]);
    for (int k = 0; k < 3; ++k)
        setTabOrder(answerLabels[k], answerLabels[k + 1]);
    setTabOrder(answerLabels[3], confirmButton);
    setTabOrder(confirmButton, backButton);
    setTabOrder(backButton, quitButton);

    buildMenus();
    face = new FaceView(
        this, game_.face(), [this](FaceTimer timer) { game_.faceTick(timer); }, frames, true);
    remarkTimer = makeTimer(this, "remarkTimer", game_.remarkTimer().interval());
    answerBlinkTimer = makeTimer(this, "answerBlinkTimer", game_.answerBlinkTimer().interval());
    connect(remarkTimer, &QTimer::timeout, &game_, &Game::remarkTick);
    connect(answerBlinkTimer, &QTimer::timeout, &game_, &Game::answerBlinkTick);

    connect(&game_, &Game::changed, this, &StageWindow::refresh);
    connect(&game_, &Game::message, this, &StageWindow::showMessage);
    connect(&game_, &Game::fileWindowWanted, files_, &FileController::showFileWindow);
    connect(&game_, &Game::farewellBegins, this, &StageWindow::showFarewell);
    connect(&game_, &Game::quitRequested, this, [this] { host_.exitProgram(); });

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    keepOnScreen(this);
    refresh();
    wordEntry->setFocus();
}

StageWindow::~StageWindow() = default;

FileWindow *StageWindow::fileWindow() const { return files_->fileWindow(); }

void StageWindow::refresh()
{
    const Screen &screen = game_.screen();
    if (speech->text() != screen.sentence)
        speech->setText(screen.sentence);
    answers->show(screen.choices, game_.state().picked);
    if (wordEntry->text() != screen.entryText)
        wordEntry->setText(screen.entryText);
    wordEntry->setEnabled(screen.entryOpen);
    statusAction->setEnabled(screen.statusAvailable);
    face->show();
    follow(remarkTimer, game_.remarkTimer());
    follow(answerBlinkTimer, game_.answerBlinkTimer());
    if (farewellWindow)
        farewellWindow->refresh();
}

void StageWindow::showFarewell()
{
    farewellWindow = new FarewellWindow(host_, game_, frames, this);
    farewellWindow->show();
    // The stage stays loaded, its timers running unseen; there is no way
    // back to it from the scene.
    hide();
}

void StageWindow::showMessage(const QString &text)
{
    // The box comes up over the screen of this moment.
    refresh();
    host_.showMessage(farewellWindow && farewellWindow->isVisible() ? static_cast<QWidget *>(farewellWindow) : this,
                      text);
}

void StageWindow::chooseGameToOpen() { files_->showFileWindow(Game::FileMode::Open); }

void StageWindow::chooseFileToSaveAs() { files_->showFileWindow(Game::FileMode::Save); }

void StageWindow::showStatus()
{
    openOrRaise(statusWindow, [this] { return new StatusWindow(game_, this); });
}

void StageWindow::showAbout()
{
    openOrRaise(aboutWindow, [this] { return new AboutWindow(host_, this); });
}

void StageWindow::pick(int k)
{
    game_.pick(k);
    answers->announce();
}

bool StageWindow::quit()
{
    // What the game still holds unsaved the player chose not to keep, so
    // nothing is left for the next start to offer.
    return files_->leaveGame([this] {
        game_.leave();
        host_.exitProgram();
        return true;
    });
}

void StageWindow::focusAnswersOrEntry()
{
    if (!answers->focusStop())
        focusEntryIfOpen();
}

void StageWindow::focusEntryIfOpen()
{
    if (wordEntry->isEnabled())
        wordEntry->setFocus();
}

void StageWindow::keyPressEvent(QKeyEvent *event)
{
    // Only what no control took arrives here: a digit typed into a text box
    // stays text. The modifiers allowed are the keypad's alone. The game
    // takes the key only for an answer it offers.
    const int k = event->key() - Qt::Key_0;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && k >= 1 && k <= 4 && focusWidget() != wordEntry) {
        pick(k);
        answers->followPick();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void StageWindow::closeEvent(QCloseEvent *event)
{
    // With the stage gone nothing of the game is left to use: closing it ends
    // the program, as "終了(&X)" does, once nothing unsaved stands in the
    // way. A save waiting for its file finishes first.
    if (game_.saving() || !quit())
        event->ignore();
}
