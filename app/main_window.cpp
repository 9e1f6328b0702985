#include "app/main_window.h"

#include "app/host.h"
#include "app/stage_widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTimer>

namespace {

constexpr QSize kClientSize(px(5985), px(3210)); // 399 x 214
constexpr QPoint kScreenPosition(px(3120), px(2880));

constexpr int kTalkInterval = 200;
constexpr int kTimingInterval = 3500;
constexpr int kMessageInterval = 6000;
constexpr int kAnimeInterval = 100;
constexpr int kActionInterval = 100;

// Pressing and releasing Alt puts the menu bar into keyboard mode, where the
// menu's letter opens it. The desktop this game comes from works that way,
// and it keeps "情報(&I)" reachable although Alt+I belongs to the entry box.
class AltNavigationStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// What assistive technology is told about the stage's own widgets: the
// sentence is a notification, the answers are a set of choices with the
// picked one checked, and each can be pressed as a click would.
class SpeechAccessible : public QAccessibleWidget {
public:
    explicit SpeechAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel *>(widget())->text() : QAccessibleWidget::text(t);
    }
};

class ChoiceAccessible : public QAccessibleWidget {
public:
    explicit ChoiceAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::RadioButton) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? label()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        const auto *stage = qobject_cast<const Form1 *>(widget()->window());
        s.checked = stage && stage->Choice >= 1 && stage->Choice <= 4
                    && stage->lblSentaku[stage->Choice - 1] == label();
        return s;
    }
    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            emit label()->clicked();
    }

private:
    ChoiceLabel *label() const { return static_cast<ChoiceLabel *>(widget()); }
};

QAccessibleInterface *stageAccessible(const QString &className, QObject *object)
{
    if (className == u"SpeechLabel")
        return new SpeechAccessible(static_cast<QWidget *>(object));
    if (className == u"ChoiceLabel")
        return new ChoiceAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void enableTimer(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}

Form1::Form1(Host &host, QWidget *parent) : QMainWindow(parent), host_(host)
{
    setObjectName(QStringLiteral("Form1"));
    static const bool accessibleStage = (QAccessible::installFactory(stageAccessible), true);
    Q_UNUSED(accessibleStage);
    setWindowTitle(QStringLiteral("ナナイロバコ。"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    buildControls();
    buildPictureStore();
    buildMenus();
    buildTimers();

    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    move(kScreenPosition);

    NewGame();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    setCentralWidget(client);

    Shape1 = new Balloon(client);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twips(2520, 720, 3375, 2415));

    lblNyuryoku = new QLabel(QStringLiteral("単語入力(&I)"), client);
    lblNyuryoku->setObjectName(QStringLiteral("lblNyuryoku"));
    lblNyuryoku->setGeometry(twips(120, 120, 975, 255));

    txtNyuryoku = new QLineEdit(client);
    txtNyuryoku->setObjectName(QStringLiteral("txtNyuryoku"));
    txtNyuryoku->setGeometry(twips(120, 360, 1935, 270));
    lblNyuryoku->setBuddy(txtNyuryoku);

    // No button is the default one: Enter in the entry box confirms nothing.
    cmdKakunin = makeButton(client, "cmdKakunin", QStringLiteral("確認(&A)"), twips(2520, 120, 855, 495));
    cmdModoru = makeButton(client, "cmdModoru", QStringLiteral("戻る(&R)"), twips(3480, 120, 855, 495));
    cmdSyuryo = makeButton(client, "cmdSyuryo", QStringLiteral("終了(&X)"), twips(4440, 120, 855, 495));
    connect(cmdKakunin, &QPushButton::clicked, this, [this] {
        cmdKakuninClick();
        announceChoices();
        focusEntryIfOpen();
    });
    connect(cmdModoru, &QPushButton::clicked, this, [this] {
        cmdModoruClick();
        focusEntryIfOpen();
    });
    connect(cmdSyuryo, &QPushButton::clicked, this, [this] { host_.exitProgram(); });

    imgChara = makeBodyView(client, twips(120, 840, 2310, 2310), frames.img000);
    imgEye = makeFrameView(client, "imgEye", twips(705, 1275, 1200, 450), frames.img01);
    imgKuchi = makeFrameView(client, "imgKuchi", twips(870, 1725, 675, 225), frames.img04);
    imgChara->setAccessibleName(QStringLiteral("キャラクター"));
    imgEye->setAccessibleName(QStringLiteral("キャラクターの目"));
    imgKuchi->setAccessibleName(QStringLiteral("キャラクターの口"));

    lblMessage = new SpeechLabel(QStringLiteral("なにかことばおしえろ。"), client);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setGeometry(twips(2640, 960, 3135, 495));
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage->setWordWrap(true);
    lblMessage->setTextFormat(Qt::PlainText);

    constexpr int kChoiceTops[] = {1680, 2040, 2400, 2760};
    for (int k = 0; k < 4; ++k) {
        auto *label = new ChoiceLabel(client);
        label->setObjectName(QStringLiteral("lblSentaku%1").arg(k + 1));
        label->setGeometry(twips(2760, kChoiceTops[k], 2895, 255));
        label->setTextFormat(Qt::PlainText);
        label->setEnabled(false);
        label->setVisible(false);
        connect(label, &ChoiceLabel::clicked, this, [this, k] {
            lblSentakuClick(k + 1);
            announceChoices();
        });
        lblSentaku[k] = label;
    }

    setTabOrder(txtNyuryoku, cmdKakunin);
    setTabOrder(cmdKakunin, cmdModoru);
    setTabOrder(cmdModoru, cmdSyuryo);
}

void Form1::buildPictureStore()
{
    // The store lies below the fixed client area, so it is never seen; it
    // only holds the frames the displays are handed.
    const FrameStore &f = frames;
    Frame1 = makeStoreFrame(centralWidget(), "Frame1", QStringLiteral("目"), twips(120, 3360, 4000, 1500),
                            {{"img01", &f.img01}, {"img02", &f.img02}, {"img03", &f.img03}});
    Frame2 = makeStoreFrame(centralWidget(), "Frame2", QStringLiteral("口"), twips(4200, 3360, 1700, 1500),
                            {{"img04", &f.img04}, {"img05", &f.img05}, {"img06", &f.img06}});
    Frame3 = makeStoreFrame(centralWidget(), "Frame3", QStringLiteral("アクション１"),
                            twips(120, 5040, 5800, 5000),
                            {{"img000", &f.img000}, {"imgAct101", &f.imgAct[0]}, {"imgAct102", &f.imgAct[1]},
                             {"imgAct103", &f.imgAct[2]}, {"imgAct104", &f.imgAct[3]},
                             {"imgAct105", &f.imgAct[4]}, {"imgAct106", &f.imgAct[5]},
                             {"imgAct107", &f.imgAct[6]}, {"imgAct108", &f.imgAct[7]},
                             {"imgAct109", &f.imgAct[8]}, {"imgAct110", &f.imgAct[9]},
                             {"imgAct111", &f.imgAct[10]}});
}

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto *style = new AltNavigationStyle(bar->style()->name());
    style->setParent(this);
    bar->setStyle(style);
    bar->installEventFilter(this);

    filemenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    filemenu->setObjectName(QStringLiteral("filemenu"));
    newmenu = filemenu->addAction(QStringLiteral("新規(&N)"), this, &Form1::NewGame);
    opnmenu = filemenu->addAction(QStringLiteral("開く(&O)"), this, &Form1::opnmenuClick);
    asavemenu = filemenu->addAction(QStringLiteral("上書き保存(&V)"), this, &Form1::asavemenuClick);
    savemenu = filemenu->addAction(QStringLiteral("名前をつけて保存(&E)"), this, &Form1::savemenuClick);

    infomenu = bar->addMenu(QStringLiteral("情報(&I)"));
    infomenu->setObjectName(QStringLiteral("infomenu"));
    statusmenu = infomenu->addAction(QStringLiteral("ステータス(&S)"), this, &Form1::statusmenuClick);

    helpmenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpmenu->setObjectName(QStringLiteral("helpmenu"));
    vermenu = helpmenu->addAction(QStringLiteral("バージョン情報(&V)"), this, &Form1::vermenuClick);

    newmenu->setObjectName(QStringLiteral("newmenu"));
    opnmenu->setObjectName(QStringLiteral("opnmenu"));
    asavemenu->setObjectName(QStringLiteral("asavemenu"));
    savemenu->setObjectName(QStringLiteral("savemenu"));
    statusmenu->setObjectName(QStringLiteral("statusmenu"));
    vermenu->setObjectName(QStringLiteral("vermenu"));
}

void Form1::buildTimers()
{
    tmrTalk = makeTimer(this, "tmrTalk", kTalkInterval);
    tmrTiming = makeTimer(this, "tmrTiming", kTimingInterval);
    tmrMessage = makeTimer(this, "tmrMessage", kMessageInterval);
    tmrAnime = makeTimer(this, "tmrAnime", kAnimeInterval);
    tmrAction = makeTimer(this, "tmrAction", kActionInterval);
    tmrTenmetsu = makeTimer(this, "tmrTenmetsu", 0);

    connect(tmrTalk, &QTimer::timeout, this, &Form1::tmrTalkTick);
    connect(tmrTiming, &QTimer::timeout, this, &Form1::tmrTimingTick);
    connect(tmrMessage, &QTimer::timeout, this, &Form1::tmrMessageTick);
    connect(tmrAnime, &QTimer::timeout, this, &Form1::tmrAnimeTick);
    connect(tmrAction, &QTimer::timeout, this, &Form1::tmrActionTick);
    connect(tmrTenmetsu, &QTimer::timeout, this, &Form1::tmrTenmetsuTick);

    tmrTiming->start();
    tmrMessage->start();
    tmrAnime->start();
    // tmrTenmetsu is enabled but has no interval yet: it stays silent until
    // the first confirmation (setTenmetsuInterval).
}

void Form1::setTenmetsuInterval(int ms)
{
    if (tmrTenmetsu->interval() == ms && (ms == 0 || tmrTenmetsu->isActive()))
        return;
    tmrTenmetsu->setInterval(ms);
    if (ms > 0 && tenmetsuEnabled_)
        tmrTenmetsu->start();
    else
        tmrTenmetsu->stop();
}

void Form1::NewGame()
{
    host_.seedRandom();
    FileName.clear();
    SavedNewRecords = 0;
    FileMark = {};
    CharaName = kCharaName;
    Level = ELevel = DLevel = i = J = DataMax = 0;
    Step = -1;
    Rand = -1;
    LastRand = -1;
    TalkFrom = QStringLiteral("y");
    beginPeriod(host_.today());

    imgChara->showFrame(frames.img000);
    imgEye->showFrame(frames.img01);
    lblMessage->setText(QStringLiteral("おまえのなまえは？"));
    tmrTalk->stop();
    tmrMessage->stop();
    statusmenu->setEnabled(false);
    resetDialogue();
}

void Form1::resetDialogue()
{
    // A question left on screen by a new game or an open would otherwise keep
    // the entry box locked, and the name could not be typed; its answers
    // would be stored with the next word that skips a question.
    Choice = 0;
    clearAnswers();
    txtNyuryoku->clear();
    txtNyuryoku->setEnabled(true);
    for (ChoiceLabel *label : lblSentaku) {
        label->clear();
        label->setEnabled(false);
        label->setOpaque(false);
    }
    txtNyuryoku->setFocus();
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
    // stays text. The modifiers allowed are the keypad's alone.
    const int k = event->key() - Qt::Key_0;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && k >= 1 && k <= 4 && focusWidget() != txtNyuryoku) {
        ChoiceLabel *label = lblSentaku[k - 1];
        if (!label->isHidden() && label->isEnabled()) {
            lblSentakuClick(k);
            announceChoices();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // With the stage gone nothing of the game is left to use: closing it ends
    // the program, as "終了(&X)" does, and saves nothing.
    event->accept();
    host_.exitProgram();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // Alt+I is both the entry box's key and the "情報(&I)" menu's; the
    // control wins. The menu stays reachable through Alt, then I.
    if (watched == menuBar() && event->type() == QEvent::Shortcut) {
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->key() == QKeySequence(Qt::ALT | Qt::Key_I)) {
            txtNyuryoku->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
