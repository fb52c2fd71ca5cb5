// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QVariant>

namespace {

constexpr const char* presenceProperty = "velmoraAccessiblePresence";

Accessibility::Presence presenceOf(const QObject* object) {
    return static_cast<Accessibility::Presence>(object->property(presenceProperty).toInt());
}

// The widgets a screen reader sees under `widget`: its children in order, with flattened
// containers replaced by what they hold and hidden ones left out.
void collect(const QWidget* widget, QList<QWidget*>& out) {
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        switch (presenceOf(child)) {
        case Accessibility::Presence::shown:
            out.append(child);
            break;
        case Accessibility::Presence::flattened:
            collect(child, out);
            break;
        case Accessibility::Presence::hidden:
            break;
        }
    }
}

// A widget of the panel as a screen reader sees it. Its parent is the nearest ancestor that is
// shown, so that the tree read from the top and the one read from below agree.
class PanelAccessible : public QAccessibleWidget {
public:
    PanelAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> list = children();
        if (index < 0 || index >= list.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(list[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object())
            return -1;
        return static_cast<int>(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

    QAccessibleInterface* parent() const override {
        QWidget* ancestor = widget()->parentWidget();
        while (ancestor && !ancestor->isWindow() &&
               presenceOf(ancestor) != Accessibility::Presence::shown)
            ancestor = ancestor->parentWidget();
        return ancestor ? QAccessible::queryAccessibleInterface(ancestor)
                        : QAccessibleWidget::parent();
    }

protected:
    QList<QWidget*> children() const {
        QList<QWidget*> list;
        collect(widget(), list);
        return list;
    }
};

// A line of text: a label whose name is the whole text, also where the line shows it cut off.
class TextAccessible final : public PanelAccessible {
public:
    explicit TextAccessible(TextLine* line)
        : PanelAccessible(line, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TextLine*>(widget())->text();
        return PanelAccessible::text(t);
    }
};

// The panel's buttons: pressable, some of them toggles, with the tool tip as description.
class ButtonAccessible final : public PanelAccessible {
public:
    ButtonAccessible(QAbstractButton* button, QAccessible::Role role)
        : PanelAccessible(button, role) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return widget()->toolTip();
        return PanelAccessible::text(t);
    }

    // Asked each time: the role may be set after Qt first asked about the button.
    QAccessible::Role role() const override {
        if (auto* pressable = qobject_cast<PressableButton*>(widget()))
            return pressable->accessibleRole();
        return PanelAccessible::role();
    }

    QAccessible::State state() const override {
        QAccessible::State state = PanelAccessible::state();
        state.pressed = button()->isDown();
        if (button()->isCheckable()) {
            state.checkable = true;
            state.checked = button()->isChecked();
        }
        return state;
    }

    QStringList actionNames() const override {
        if (!widget()->isEnabled())
            return {};
        return {button()->isCheckable() ? toggleAction() : pressAction()};
    }

    void doAction(const QString& name) override {
        if (widget()->isEnabled() && (name == pressAction() || name == toggleAction()))
            button()->click();
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Qt asks once per class name, from the most derived class upwards.
QAccessibleInterface* panelFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("TextLine"))
        return new TextAccessible(static_cast<TextLine*>(widget));
    if (className == QLatin1String("PressableButton")) {
        auto* button = static_cast<PressableButton*>(widget);
        return new ButtonAccessible(button, button->accessibleRole());
    }
    if (className == QLatin1String("ThemeSwatch"))
        return new ButtonAccessible(static_cast<QAbstractButton*>(widget),
                                    QAccessible::RadioButton);
    if (className == QLatin1String("CheckBox"))
        return new ButtonAccessible(static_cast<QAbstractButton*>(widget), QAccessible::CheckBox);
    static const QStringList groups{"PanelView",  "DisplayBox",       "CurrencyPicker",
                                    "Keypad",     "CurrencySwitches", "ThemePicker",
                                    "RateStatus", "CalculatorCard",   "CardFrame",
                                    "FooterBar",  "FilledBox"};
    if (groups.contains(className))
        return new PanelAccessible(widget, QAccessible::Grouping);
    if (className == QLatin1String("ResultList"))
        return new PanelAccessible(widget, QAccessible::List);
    if (className == QLatin1String("ResultRow"))
        return new PanelAccessible(widget, QAccessible::ListItem);
    return nullptr;
}

} // namespace

namespace Accessibility {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(&panelFactory);
        return true;
    }();
    (void)installed;
}

// Qt asks for a widget's interface as soon as the widget sets its accessible name, so the
// factory must be there before the first panel widget is made: when the library is loaded.
Q_CONSTRUCTOR_FUNCTION(install)

void setPresence(QWidget* widget, Presence presence) {
    widget->setProperty(presenceProperty, static_cast<int>(presence));
}

void announceNameChange(QWidget* widget) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace Accessibility
