#include "windows/file_window.h"

#include "persistence/egg_file.h"
#include "windows/layout.h"
#include "windows/remembered.h"
#include "windows/stage_widgets.h"

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

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

// Taken before main() runs, which is "where the program was started".
const QString kStartFolder = QDir::currentPath();

constexpr int kPathRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString withTrailingSlash(const QString &path) { return path.endsWith(u'/') ? path : path + u'/'; }

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

// A name's case folded once, so that sorting compares each pair cheaply.
void sortIgnoringCase(QStringList &names)
{
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString &name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto &[key, name] : keyed)
        names << std::move(name);
}

// ".egg" in any letter case, as the game writes it and other programs may.
bool isSaveName(const char *name)
{
    const std::size_t length = std::strlen(name);
    return length >= 4 && name[length - 4] == '.' && (name[length - 3] | 0x20) == 'e'
           && (name[length - 2] | 0x20) == 'g' && (name[length - 1] | 0x20) == 'g';
}

// What the window lists of a folder, read in one pass over it: its folders
// (hidden ones left out) and its save files (".egg" itself, which a save
// with an empty name makes, included). The listing tells each entry's type;
// only a link is looked up. A folder of 50,000 games must not keep the
// window waiting.
struct FolderContent {
    QStringList folders;
    QStringList saves;
};

FolderContent readFolder(const QString &folder)
{
    FolderContent content;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return content;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        const bool save = isSaveName(name), hidden = name[0] == '.';
        if (!save && hidden)
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat status {};
            if (::stat((path + '/' + name).constData(), &status) != 0)
                continue;
            type = S_ISREG(status.st_mode) ? DT_REG : S_ISDIR(status.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_DIR && !hidden)
            content.folders << QFile::decodeName(name);
        else if (type == DT_REG && save)
            content.saves << QFile::decodeName(name);
    }
    ::closedir(dir);
#else
    const QDir dir(folder);
    content.folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    content.saves = dir.entryList({QStringLiteral("*.EGG")}, QDir::Files | QDir::Hidden);
#endif
    sortIgnoringCase(content.folders);
    sortIgnoringCase(content.saves);
    return content;
}

} // namespace

QString FileWindow::startFolder()
{
    const QString last = remembered::lastFolder();
    return last.isEmpty() ? kStartFolder : last;
}

FileWindow::FileWindow(const QString &folder, Actions actions, QWidget *parent)
    : QWidget(parent, Qt::Window), actions_(std::move(actions))
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout(this, this,
                {
                    {Place::Window, "FileWindow", u"ファイル操作", -1, -1, 4875, 2745},
                    {Place::Label, "nameLabel", u"ファイル名(&N):", 240, 120, 1095, 255},
                    {Place::Edit, "nameEntry", nullptr, 1440, 120, 3375, 270},
                    {Place::Drives, "drives", nullptr, 120, 480, 2415, 300},
                    {Place::List, "folders", nullptr, 120, 840, 2415, 1350},
                    {Place::Files, "files", nullptr, 2640, 480, 2175, 1710},
                    {Place::Button, "saveButton", u"保存(&S)", 2640, 2280, 975, 375},
                    {Place::Button, "openButton", u"開く(&O)", 2640, 2280, 975, 375},
                    {Place::Button, "closeButton", u"終了(&X)", 3720, 2280, 975, 375},
                });
    nameLabel = findChild<QLabel *>(QStringLiteral("nameLabel"));
    nameEntry = findChild<QLineEdit *>(QStringLiteral("nameEntry"));
    drives = findChild<QComboBox *>(QStringLiteral("drives"));
    folders = findChild<QListWidget *>(QStringLiteral("folders"));
    files = findChild<FileList *>(QStringLiteral("files"));
    saveButton = findChild<QPushButton *>(QStringLiteral("saveButton"));
    openButton = findChild<QPushButton *>(QStringLiteral("openButton"));
    closeButton = findChild<QPushButton *>(QStringLiteral("closeButton"));
    nameLabel->setBuddy(nameEntry);

    fillDrives();
    changeFolder(folder);

    connect(files, &FileList::movedTo, this, &FileWindow::clickFile);
    connect(files, &FileList::entered, this, [this](const QModelIndex &item) {
        clickFile(item);
        (openButton->isEnabled() ? openButton : saveButton)->click();
    });
    connect(drives, &QComboBox::currentIndexChanged, this, &FileWindow::chooseDrive);
    connect(folders, &QListWidget::itemActivated, this, &FileWindow::enterFolder);
    connect(files, &QListView::clicked, this, &FileWindow::clickFile);
    connect(openButton, &QPushButton::clicked, this, &FileWindow::openChosenFile);
    connect(saveButton, &QPushButton::clicked, this, &FileWindow::saveChosenFile);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void FileWindow::setMode(Mode mode)
{
    const bool open = mode == Mode::Open;
    openButton->setVisible(open);
    openButton->setEnabled(open);
    saveButton->setVisible(!open);
    saveButton->setEnabled(!open);
}

QString FileWindow::chosenFile() const { return joinFolderAndName(folder_, nameEntry->text()); }

void FileWindow::clearName() { nameEntry->clear(); }

void FileWindow::fillDrives()
{
    const QSignalBlocker blocker(drives);
    drives->clear();
    for (const QString &root : driveRoots())
        drives->addItem(QDir::toNativeSeparators(root), root);
}

QString FileWindow::driveOf(const QString &folder) const
{
    const QString path = withTrailingSlash(folder);
    QString best;
    for (int k = 0; k < drives->count(); ++k) {
        const QString root = drives->itemData(k).toString();
        if (path.startsWith(root, kPathCase) && root.size() > best.size())
            best = root;
    }
    return best.isEmpty() ? withTrailingSlash(QDir::rootPath()) : best;
}

void FileWindow::changeFolder(const QString &folder)
{
    folder_ = QDir::cleanPath(QDir(folder).absolutePath());
    const QString root = driveOf(folder_);
    driveFolders_.insert(root, folder_);
    {
        const QSignalBlocker blocker(drives);
        drives->setCurrentIndex(drives->findData(root));
    }
    FolderContent content = readFolder(folder_);
    fillFolders(content.folders);
    files->setNames(std::move(content.saves));
}

void FileWindow::fillFolders(const QStringList &subfolders)
{
    // The way down from the drive's root to the folder, then its subfolders
    // one step further in, as a tree that shows only the open branch.
    folders->clear();
    const QString root = driveOf(folder_);
    auto add = [this](const QString &text, const QString &path) {
        auto *item = new QListWidgetItem(text, folders);
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
    folders->setCurrentItem(current);
    const QDir dir(folder_);
    for (const QString &sub : subfolders)
        add(indent(level + 1) + sub, dir.filePath(sub));
}

void FileWindow::chooseDrive(int index)
{
    if (index < 0)
        return;
    const QString root = drives->itemData(index).toString();
    changeFolder(driveFolders_.value(root, root));
}

void FileWindow::enterFolder(QListWidgetItem *item)
{
    if (item)
        changeFolder(item->data(kPathRole).toString());
}

void FileWindow::clickFile(const QModelIndex &item)
{
    if (!item.isValid())
        return;
    nameEntry->setText(item.data().toString());
    actions_.picked(chosenFile());
}

void FileWindow::openChosenFile() { runOnChosenFile(actions_.open); }

void FileWindow::saveChosenFile() { runOnChosenFile(actions_.save); }

// Opening and saving keep the window when they fail, so that another name
// can be tried.
void FileWindow::runOnChosenFile(const std::function<bool(const QString &)> &operation)
{
    // The folder of the file itself: a name typed as a whole path may lead
    // out of the folder the window shows.
    const QString fileName = chosenFile();
    if (operation(fileName)) {
        remembered::useFolder(QFileInfo(fileName).absolutePath());
        close();
    }
}
