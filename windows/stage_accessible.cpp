#include "windows/stage_accessible.h"

#include "windows/stage_widgets.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

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
        s.checked = label()->isChecked();
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

// The answers on offer, and only they, are the group's members: a question
// of two answers has two, where the other labels stand empty and shut.
class ChoiceGroupAccessible : public QAccessibleWidget {
public:
    explicit ChoiceGroupAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Grouping) {}
    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> answers = shown();
        return index >= 0 && index < answers.size() ? QAccessible::queryAccessibleInterface(answers[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shown().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> answers;
        for (QWidget *answer : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!answer->isHidden() && answer->isEnabled())
                answers << answer;
        }
        return answers;
    }
};

} // namespace

QAccessibleInterface *stageAccessible(const QString &className, QObject *object)
{
    if (className == u"SpeechLabel")
        return new SpeechAccessible(static_cast<QWidget *>(object));
    if (className == u"ChoiceLabel")
        return new ChoiceAccessible(static_cast<QWidget *>(object));
    if (className == u"ChoiceGroup")
        return new ChoiceGroupAccessible(static_cast<QWidget *>(object));
    return nullptr;
}
