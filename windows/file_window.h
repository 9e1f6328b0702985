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

class Form3 : public QWidget {
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

    Form3(const QString &folder, Actions actions, QWidget *parent);

    // Exactly one of cmdOpen and cmdSave is shown and enabled.
    void setMode(Mode mode);

    // The folder of Dir1 joined with the typed name.
    QString getFileName() const;

    // Dir1 enters a folder; File1 follows.
    void changeFolder(const QString &folder);
    QString folder() const { return folder_; }

    // The folder of the last game opened or saved, in this run or one
    // before; at first the folder the program was started in (it never
    // changes its working folder).
    static QString startFolder();

    void Drive1Change(int index);
    void Dir1Activated(QListWidgetItem *item);
    void File1Click(const QModelIndex &item);
    void cmdOpenClick();
    void cmdSaveClick();

    QLabel *Label1 = nullptr;
    QLineEdit *txtFileName = nullptr;
    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    FileList *File1 = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdExit = nullptr;

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
