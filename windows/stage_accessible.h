#pragma once
// What assistive technology is told about the stage's own widgets, which
// have no accessible interface of their own in Qt: the sentence, each
// answer and the group of answers.

class QAccessibleInterface;
class QObject;
class QString;

// The factory QAccessible::installFactory takes: an interface for the
// stage's own widget classes, none for any other.
QAccessibleInterface *stageAccessible(const QString &className, QObject *object);
