#include "windows/farewell_window.h"

#include "engine/game.h"
#include "windows/face_view.h"
#include "windows/frames.h"
#include "windows/host.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"

#include <QCloseEvent>
#include <QPushButton>

FarewellWindow::FarewellWindow(Host &host, Game &game, const FrameStore &frames, QWidget *parent)
    : QWidget(parent, kSideWindowFlags), host_(host), game_(game)
{
    buildLayout(this, this,
                {
                    {Place::Window, "FarewellWindow", u"Ending...", -1, -1, 5385, 2505},
                    {Place::Body, "body", nullptr, 120, 120, 2310, 2310},
                    {Place::Picture, "eye", nullptr, 705, 555, 1200, 450},
                    {Place::Picture, "mouth", nullptr, 855, 1005, 675, 225},
                    {Place::Balloon, "balloon", nullptr, 2520, 120, 2775, 1815},
                    {Place::Speech, "speech", nullptr, 2640, 240, 2535, 1575},
                    {Place::Button, "nextButton", u"進む(&N)", 4080, 2040, 1095, 375},
                });
    speech = findChild<SpeechLabel *>(QStringLiteral("speech"));
    nextButton = findChild<QPushButton *>(QStringLiteral("nextButton"));
    face = new FaceView(
        this, game_.farewell()->face, [this](FaceTimer timer) { game_.farewellFaceTick(timer); }, frames, false);
    connect(nextButton, &QPushButton::clicked, &game_, &Game::nextLine);
    nextButton->setFocus();
    refresh();
}

void FarewellWindow::refresh()
{
    if (speech->text() != game_.farewell()->sentence)
        speech->setText(game_.farewell()->sentence);
    face->show();
}

void FarewellWindow::closeEvent(QCloseEvent *) { host_.exitProgram(); }
