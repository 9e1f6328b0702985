#pragma once
// The file window "ファイル操作": drive, folder and file lists and a name box,
// in open mode or in save mode. It names the file; the main window's file
// routines do the rest. Modeless, a child window of the stage, destroyed when
// closed.

#include <QHash>
#include <QWidget>

class Form1;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Opens a saved game as the window's 開く(&O) does, for a file named from
// outside the window (the command line). A refused file leaves the current
// file as it was.
bool openSavedGame(Form1 &stage, const QString &fileName);

class Form3 : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Open, Save };

    explicit Form3(Form1 &stage);

    // Exactly one of cmdOpen and cmdSave is shown and enabled.
    void setMode(Mode mode);

    // FileName = the folder of Dir1 joined with the typed name. A name that
    // differs from the current one names a file that holds none of this
    // run's records yet.
    void getFileName();

    // Dir1 enters a folder; File1 follows.
    void changeFolder(const QString &folder);
    QString folder() const { return folder_; }

    // The folder the program was started in. The program never changes its
    // working folder, so every new window starts here.
    static QString startFolder();

    void Drive1Change(int index);
    void Dir1Activated(QListWidgetItem *item);
    void File1Click(QListWidgetItem *item);
    void cmdOpenClick();
    void cmdSaveClick();

    QLabel *Label1 = nullptr;
    QLineEdit *txtFileName = nullptr;
    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdExit = nullptr;

private:
    void runOnChosenFile(bool (Form1::*operation)());
    void fillDrives();
    void fillFolders();
    void fillFiles();
    QString driveOf(const QString &folder) const;

    Form1 &stage_;
    QString folder_;
    // The folder each drive was left in, so that choosing a drive again
    // returns there, as a drive's current folder does.
    QHash<QString, QString> driveFolders_;
};
