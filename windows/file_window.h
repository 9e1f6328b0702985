#pragma once
// The file window "ファイル操作": drive, folder and file lists and a name box,
// in open mode or in save mode. It names the file and hands the name on;
// whoever opened it does the rest. Modeless, a child window of the stage,
// destroyed when closed.

#include <QHash>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QModelIndex;
class FileList;
class QPushButton;

class FileWindow : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Open, Save };

    // What becomes of a named file: a file clicked in the list becomes the
    // current one; open and save say whether they succeeded.
    struct Actions {
        std::function<void(const QString &)> picked;
        std::function<bool(const QString &)> open;
        std::function<bool(const QString &)> save;
    };

    FileWindow(const QString &folder, Actions actions, QWidget *parent);

    // Exactly one of openButton and saveButton is shown and enabled.
    void setMode(Mode mode);

    // Empties the name box.
    void clearName();

    // The folder of folders joined with the typed name.
    QString chosenFile() const;

    // folders enters a folder; files follows.
    void changeFolder(const QString &folder);
    QString folder() const { return folder_; }

    // The folder of the last game opened or saved, in this run or one
    // before; at first the folder the program was started in (it never
    // changes its working folder).
    static QString startFolder();

    void chooseDrive(int index);
    void enterFolder(QListWidgetItem *item);
    void clickFile(const QModelIndex &item);
    void openChosenFile();
    void saveChosenFile();

    QLabel *nameLabel = nullptr;
    QLineEdit *nameEntry = nullptr;
    QComboBox *drives = nullptr;
    QListWidget *folders = nullptr;
    FileList *files = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *openButton = nullptr;
    QPushButton *closeButton = nullptr;

private:
    void runOnChosenFile(const std::function<bool(const QString &)> &operation);
    void fillDrives();
    // The way down to the folder, then these folders within it.
    void fillFolders(const QStringList &subfolders);
    QString driveOf(const QString &folder) const;

    Actions actions_;
    QString folder_;
    // The folder each drive was left in, so that choosing a drive again
    // returns there, as a drive's current folder does.
    QHash<QString, QString> driveFolders_;
};
