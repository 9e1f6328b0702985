#pragma once
// What the game keeps from one run to the next: the folder the player last
// opened or saved a game in, and where the stage stood. Kept in
// $XDG_CONFIG_HOME/nanairobako/nanairobako.ini (by default under ~/.config).
// A file that cannot be read or written only means nothing is remembered.

#include <QString>

class QWidget;

namespace remembered {

// The folder of the last successful open or save, if it is still there;
// empty on a first start.
QString lastFolder();
void useFolder(const QString &folder);

// Moves the stage to where it stood when the game last ended, if that place
// lies on a screen there now; otherwise leaves it where it is.
void restoreStagePlace(QWidget *stage);
void keepStagePlace(const QWidget *stage);

} // namespace remembered
