#include "windows/ending_window.h"

#include "engine/game.h"
#include "windows/face_view.h"
#include "windows/frames.h"
#include "windows/host.h"
#include "windows/layout.h"
#include "windows/side_window.h"
#include "windows/stage_widgets.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

Form4::Form4(Host &host, Game &game, const FrameStore &frames, QWidget *parent)
    : QWidget(parent, kSideWindowFlags), host_(host), game_(game)
{
    // The store frames lie below the client area, never seen.
    buildLayout(this, this,
                {
                    {Place::Window, "Form4", u"Ending...", -1, -1, 5385, 2505},
                    {Place::Body, "imgChara", nullptr, 120, 120, 2310, 2310},
                    {Place::Picture, "imgEye", nullptr, 705, 555, 1200, 450},
                    {Place::Picture, "imgKuchi", nullptr, 855, 1005, 675, 225},
                    {Place::Balloon, "Shape1", nullptr, 2520, 120, 2775, 1815},
                    {Place::Speech, "lblMessage", nullptr, 2640, 240, 2535, 1575},
                    {Place::Button, "cmdNext", u"進む(&N)", 4080, 2040, 1095, 375},
                    {Place::Store, "Frame1", u"目", 0, 2640, 2655, 1095},
                    {Place::Store, "Frame2", u"口", 2760, 2640, 2655, 1095},
                });
    lblMessage = findChild<SpeechLabel *>(QStringLiteral("lblMessage"));
    cmdNext = findChild<QPushButton *>(QStringLiteral("cmdNext"));
    fillStoreFrame(findChild<QGroupBox *>(QStringLiteral("Frame1")), frames, {Frame::img01, Frame::img02, Frame::img03});
    fillStoreFrame(findChild<QGroupBox *>(QStringLiteral("Frame2")), frames, {Frame::img04, Frame::img05, Frame::img06});
    face = new FaceView(this, game_.ending->face, game_, frames, false);
    connect(cmdNext, &QPushButton::clicked, &game_, &Game::cmdNextClick);
    cmdNext->setFocus();
    refresh();
}

void Form4::refresh()
{
    if (lblMessage->text() != game_.ending->sentence)
        lblMessage->setText(game_.ending->sentence);
    face->show();
}

void Form4::closeEvent(QCloseEvent *)
{
    host_.exitProgram();
}
