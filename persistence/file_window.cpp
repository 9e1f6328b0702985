#include "persistence/file_window.h"

#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "persistence/egg_file.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <functional>

namespace {

// Taken before main() runs, which is "where the program was started".
const QString kStartFolder = QDir::currentPath();

constexpr int kPathRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString withTrailingSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

// The file system roots: the drives on Windows, "/" elsewhere, and beside it
// the removable volumes the desktop mounts, which a user thinks of as drives.
QStringList driveRoots()
{
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots << withTrailingSlash(drive.absoluteFilePath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool removable = root.startsWith(u"/media/") || root.startsWith(u"/run/media/")
                               || root.startsWith(u"/Volumes/");
        if (removable && volume.isValid() && volume.isReady() && QFileInfo(root).isDir())
            roots << withTrailingSlash(root);
    }
    roots.removeDuplicates();
    roots.sort(kPathCase);
    return roots;
}

QString indent(int level) { return QString(2 * level, u' '); }

// The file list as the keyboard uses it: moving to a file names it, as a
// click does, and Enter goes on with the window's button. A double click
// stays what it was, since the mouse has the button.
class FileList final : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void(QListWidgetItem *)> movedTo;
    std::function<void(QListWidgetItem *)> entered;

protected:
    // Tabbing in puts the cursor on the first file, which is a move too.
    void focusInEvent(QFocusEvent *event) override
    {
        QListWidgetItem *item = currentItem();
        QListWidget::focusInEvent(event);
        if (currentItem() && currentItem() != item)
            movedTo(currentItem());
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        QListWidgetItem *item = currentItem();
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && item) {
            entered(item);
            return;
        }
        QListWidget::keyPressEvent(event);
        if (currentItem() && currentItem() != item)
            movedTo(currentItem());
    }
};

} // namespace

QString Form3::startFolder() { return kStartFolder; }

bool openSavedGame(Form1 &stage, const QString &fileName)
{
    const QString previous = stage.FileName;
    const Int16 previousSaved = stage.SavedNewRecords;
    const QString name = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    if (name != stage.FileName) {
        stage.FileName = name;
        stage.SavedNewRecords = 0;
    }
    if (stage.FLoad())
        return true;
    stage.FileName = previous;
    stage.SavedNewRecords = previousSaved;
    return false;
}

Form3::Form3(Form1 &stage) : QWidget(&stage, Qt::Window), stage_(stage)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ファイル操作"));
    setFixedSize(px(4875), px(2745));

    Label1 = new QLabel(QStringLiteral("ファイル名(&N):"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(240, 120, 1095, 255));
    fitFont(Label1, QString(Label1->text()).remove(u'&'), Label1->width());

    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setGeometry(twips(1440, 120, 3375, 270));
    Label1->setBuddy(txtFileName);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(twips(120, 480, 2415, 300));

    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(twips(120, 840, 2415, 1350));

    auto *files = new FileList(this);
    files->movedTo = [this](QListWidgetItem *item) { File1Click(item); };
    files->entered = [this](QListWidgetItem *item) {
        File1Click(item);
        (cmdOpen->isEnabled() ? cmdOpen : cmdSave)->click();
    };
    File1 = files;
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(twips(2640, 480, 2175, 1710));

    cmdSave = makeButton(this, "cmdSave", QStringLiteral("保存(&S)"), twips(2640, 2280, 975, 375));
    cmdOpen = makeButton(this, "cmdOpen", QStringLiteral("開く(&O)"), twips(2640, 2280, 975, 375));
    cmdExit = makeButton(this, "cmdExit", QStringLiteral("終了(&X)"), twips(3720, 2280, 975, 375));

    fillDrives();
    changeFolder(startFolder());

    connect(Drive1, &QComboBox::currentIndexChanged, this, &Form3::Drive1Change);
    connect(Dir1, &QListWidget::itemActivated, this, &Form3::Dir1Activated);
    connect(File1, &QListWidget::itemClicked, this, &Form3::File1Click);
    connect(cmdOpen, &QPushButton::clicked, this, &Form3::cmdOpenClick);
    connect(cmdSave, &QPushButton::clicked, this, &Form3::cmdSaveClick);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

void Form3::setMode(Mode mode)
{
    const bool open = mode == Mode::Open;
    cmdOpen->setVisible(open);
    cmdOpen->setEnabled(open);
    cmdSave->setVisible(!open);
    cmdSave->setEnabled(!open);
}

void Form3::getFileName()
{
    const QString name = joinFolderAndName(folder_, txtFileName->text());
    if (name != stage_.FileName) {
        stage_.FileName = name;
        stage_.SavedNewRecords = 0;
    }
}

void Form3::fillDrives()
{
    const QSignalBlocker blocker(Drive1);
    Drive1->clear();
    for (const QString &root : driveRoots())
        Drive1->addItem(QDir::toNativeSeparators(root), root);
}

QString Form3::driveOf(const QString &folder) const
{
    const QString path = withTrailingSlash(folder);
    QString best;
    for (int k = 0; k < Drive1->count(); ++k) {
        const QString root = Drive1->itemData(k).toString();
        if (path.startsWith(root, kPathCase) && root.size() > best.size())
            best = root;
    }
    return best.isEmpty() ? withTrailingSlash(QDir::rootPath()) : best;
}

void Form3::changeFolder(const QString &folder)
{
    folder_ = QDir::cleanPath(QDir(folder).absolutePath());
    const QString root = driveOf(folder_);
    driveFolders_.insert(root, folder_);
    {
        const QSignalBlocker blocker(Drive1);
        Drive1->setCurrentIndex(Drive1->findData(root));
    }
    fillFolders();
    fillFiles();
}

void Form3::fillFolders()
{
    // The way down from the drive's root to the folder, then its subfolders
    // one step further in, as a tree that shows only the open branch.
    Dir1->clear();
    const QString root = driveOf(folder_);
    auto add = [this](const QString &text, const QString &path) {
        auto *item = new QListWidgetItem(text, Dir1);
        item->setData(kPathRole, path);
        return item;
    };
    QListWidgetItem *current = add(QDir::toNativeSeparators(root), root);
    QString path = root;
    const QStringList steps = withTrailingSlash(folder_).mid(root.size()).split(u'/', Qt::SkipEmptyParts);
    int level = 0;
    for (const QString &step : steps) {
        path = withTrailingSlash(path) + step;
        current = add(indent(++level) + step, path);
    }
    Dir1->setCurrentItem(current);
    const QDir dir(folder_);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(indent(level + 1) + sub, dir.filePath(sub));
}

void Form3::fillFiles()
{
    // The name filter of QDir ignores letter case, so ".egg" files the game
    // writes are listed along with ".EGG" ones; so is ".egg" itself, which a
    // save with an empty name makes.
    File1->clear();
    const QDir dir(folder_);
    File1->addItems(dir.entryList({QStringLiteral("*.EGG")}, QDir::Files | QDir::Hidden,
                                  QDir::Name | QDir::IgnoreCase));
}

void Form3::Drive1Change(int index)
{
    if (index < 0)
        return;
    const QString root = Drive1->itemData(index).toString();
    changeFolder(driveFolders_.value(root, root));
}

void Form3::Dir1Activated(QListWidgetItem *item)
{
    if (item)
        changeFolder(item->data(kPathRole).toString());
}

void Form3::File1Click(QListWidgetItem *item)
{
    if (!item)
        return;
    txtFileName->setText(item->text());
    getFileName();
}

void Form3::cmdOpenClick() { runOnChosenFile(&Form1::FLoad); }

void Form3::cmdSaveClick() { runOnChosenFile(&Form1::NFSave); }

// Opening and saving keep the window when they fail, so that another name
// can be tried; the current file stays the one the game was in.
void Form3::runOnChosenFile(bool (Form1::*operation)())
{
    const QString previous = stage_.FileName;
    const Int16 previousSaved = stage_.SavedNewRecords;
    getFileName();
    if (!(stage_.*operation)()) {
        stage_.FileName = previous;
        stage_.SavedNewRecords = previousSaved;
        return;
    }
    close();
}
