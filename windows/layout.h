#pragma once
// A window's layout as one table: each control's kind, name, caption and
// rectangle in twips. The constructor walks it; the numbers stand nowhere else.

#include <QString>

#include <initializer_list>

class QWidget;

struct Place {
    enum Kind {
        Window,  // the window itself: title, screen position (left < 0: the system's) and client size
        Label,   // plain text
        Speech,  // the character's sentence
        Choice,  // an answer choice
        Edit,    // a one-line text box
        Button,  // a push button, never auto-default
        Balloon, // the speech balloon
        Picture, // a face display
        Body,    // the body display, with its sunken border
        Drives,  // a drop-down list
        List,    // a list
        Files,   // the file list
        Line,    // an etched separator line
        Page,    // a read-only page of formatted text, its links opened by the desktop
    };
    Kind kind;
    const char *name;
    const char16_t *caption; // nullptr: none
    int left, top, width, height;
};

// Creates every control of the table as a child of `client`, named and placed
// (the window row sets `window`'s title, position and client size).
// Moves a window just enough that all of it, title bar and borders included,
// lies on its screen's available area: the table's position holds where it
// fits, on a small or dense screen it would not. Until the window manager has
// framed the window, it looks again when the window is shown and framed.
void keepOnScreen(QWidget *window);

void buildLayout(QWidget *window, QWidget *client, std::initializer_list<Place> table);
