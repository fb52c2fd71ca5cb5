// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/panel_fixture.h"
#include "ui/painting.h"
#include "ui/panel_view.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// The panel as a screen reader and a keyboard user meet it, asked in-process through the same
// accessibility interfaces that Qt hands to AT-SPI.
class AccessibilityTest : public PanelFixture {
protected:
    QAccessibleInterface* node(QWidget* widget) const {
        return QAccessible::queryAccessibleInterface(widget);
    }
    // The screen reader's tree below `root`, one "role name" a line, children indented.
    static void flatten(QAccessibleInterface* root, QStringList& out, int depth = 0) {
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface* child = root->child(i);
            out.append(QString(depth * 2, ' ') + QString::number(child->role()) + ' ' +
                       child->text(QAccessible::Name) +
                       (child->state().checked ? QStringLiteral(" [x]") : QString()));
            flatten(child, out, depth + 1);
        }
    }
    QStringList tree() const {
        QStringList out;
        flatten(node(m_panel.get()), out);
        return out;
    }
};

TEST_F(AccessibilityTest, EveryTextIsReadableWithItsRole) {
    panel();
    m_model->setActive(Currency::usd, true);
    type(*m_model, u"12\u00D73");
    QCoreApplication::processEvents();
    const QStringList lines = tree();
    const auto has = [&lines](QAccessible::Role role, const QString& name) {
        return lines.contains(QString::number(role) + ' ' + name) ||
               std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
                   return line.trimmed() == QString::number(role) + ' ' + name;
               });
    };
    struct Row {
        QAccessible::Role role;
        const char16_t* name;
    };
    const Row rows[] = {
        {QAccessible::StaticText, u"12 \u00D7 3  = 36,00"}, // the line with its preview
        {QAccessible::ListItem, u"EUR 0,91"},
        {QAccessible::ListItem, u"USD 0,98"},
        {QAccessible::ListItem, u"THB 36,00"},
        {QAccessible::Button, u"Kurs 1 \u20AC = 39,500 \u0E3F in den Rechner \u00FCbertragen"},
        {QAccessible::Button, u"Mal"},
        {QAccessible::Button, u"R\u00FCcktaste"},
        {QAccessible::StaticText, u"FloatRates"},
        {QAccessible::StaticText, u"\u00A9 2026 Velmora"},
        {QAccessible::CheckBox, u"Beim Anmelden starten"},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(has(row.role, QString::fromUtf16(row.name)))
            << QString::fromUtf16(row.name).toStdString() << "\n"
            << lines.join('\n').toStdString();
    // Drawing and duplicates are left out: the symbol, the code and the preview on their own.
    for (const char16_t* name : {u"\u20AC", u"= 36,00", u"Die Zahl ist in "})
        EXPECT_FALSE(has(QAccessible::StaticText, QString::fromUtf16(name)))
            << QString::fromUtf16(name).toStdString();
}

TEST_F(AccessibilityTest, TogglesSayWhichIsOn) {
    panel();
    m_model->setTheme(Theme::lightBlue());
    QCoreApplication::processEvents();
    const QStringList lines = tree();
    const QString radio = QString::number(QAccessible::RadioButton) + ' ';
    const QString check = QString::number(QAccessible::CheckBox) + ' ';
    struct Row {
        QString prefix;
        QStringList names;
        QStringList on;
    };
    const Row rows[] = {
        {radio, {"EUR", "THB"}, {"THB"}},                                    // amount currency
        {radio, {"Navy", "Graphit", "Hellblau", "Wei\u00DF"}, {"Hellblau"}}, // theme
        {check, {"USD", "PLN"}, {}},                                         // switches, off
    };
    for (const Row& row : rows) {
        for (const QString& name : row.names) {
            const QString off = row.prefix + name;
            const QString on = off + " [x]";
            const bool isOn = row.on.contains(name);
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [&](const QString& l) { return l.trimmed() == on; }),
                      isOn ? 1 : 0)
                << on.toStdString() << "\n"
                << lines.join('\n').toStdString();
        }
    }
}

TEST_F(AccessibilityTest, TabGoesThroughEveryControlInReadingOrderAndWraps) {
    PanelView& view = panel();
    type(*m_model, u"1");
    QCoreApplication::processEvents();
    const QStringList expected{
        "Alles zur\u00FCcksetzen", "Kopieren", "EUR", "THB", "Betrag in EUR kopieren",
        "Betrag in THB kopieren", "Kurs 1 \u20AC = 39,500 \u0E3F in den Rechner \u00FCbertragen",
        "L\u00F6schen", "R\u00FCcktaste", "Geteilt durch", "Mal", "7", "8", "9", "Minus", "4", "5",
        "6", "Plus", "1", "2", "3", "Gleich", "0", "Komma", "Einf\u00FCgen",
        // the euro's switch is always on and takes no focus
        "USD", "THB", "PLN", "Navy", "Graphit", "Hellblau", "Wei\u00DF",
        "Kurse jetzt aktualisieren", "Beim Anmelden starten", "Schlie\u00DFen", "Beenden",
        "Alles zur\u00FCcksetzen"};
    QWidget* focus = &view;
    QStringList visited;
    // As the panel opens: the window itself has the focus, no control.
    view.setFocus();
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = view.focusWidget();
        visited.append(focus ? focus->accessibleName() : QStringLiteral("<none>"));
    }
    EXPECT_EQ(visited, expected);

    // Shift+Tab goes back the same way.
    QTest::keyClick(focus, Qt::Key_Backtab);
    EXPECT_EQ(view.focusWidget()->accessibleName(), "Beenden");
    QTest::keyClick(view.focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(view.focusWidget()->accessibleName(), "Schlie\u00DFen");
}

TEST_F(AccessibilityTest, SpaceActsOnTheFocusedControlOtherKeysReachTheCalculator) {
    PanelView& view = panel();
    QWidget* usd = m_panel->findChild<QWidget*>("switch-USD");
    usd->setFocus(Qt::TabFocusReason);
    QTest::keyClick(usd, Qt::Key_Space);
    EXPECT_TRUE(m_model->isActive(Currency::usd));
    // A key the button does not take goes on to its parents; the window routes it to the
    // calculator (here the view stands in for the window and the key stays unhandled).
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(usd, &digit);
    EXPECT_FALSE(digit.isAccepted());
    (void)view;
}

// The ring must be seen in every theme: against the control's own fill, WCAG's 3:1 for
// non-text contrast.
TEST_F(AccessibilityTest, FocusRingStandsOutInEveryTheme) {
    auto luminance = [](QColor c) {
        auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    auto contrast = [&](QColor a, QColor b) {
        const double la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    };
    panel();
    for (const Theme& theme : Theme::all()) {
        m_model->setTheme(theme);
        QCoreApplication::processEvents();
        // Where each control draws its ring: just inside its edge; on a swatch, around the dot.
        const std::pair<const char*, QPoint> controls[] = {
            {"key-7", {26, 1}},         {"key-=", {26, 1}},      {"switch-THB", {19, 1}},
            {"currency-THB", {40, 1}},  {"refresh", {12, 1}},    {"quit", {30, 1}},
            {"launchAtLogin", {40, 1}}, {"swatch-navy", {9, 3}}, {"swatch-white", {9, 3}},
        };
        for (const auto& [name, edge] : controls) {
            auto* control = m_panel->findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_TRUE(control) << name;
            control->clearFocus();
            const QColor fill = control->grab().toImage().pixelColor(edge);
            control->setFocus(Qt::TabFocusReason);
            const QColor ring = control->grab().toImage().pixelColor(edge);
            EXPECT_GE(contrast(ring, fill), 3.0)
                << theme.id.toStdString() << " " << name << " ring " << ring.name().toStdString()
                << " on " << fill.name().toStdString();
        }
    }
}

} // namespace
