// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clipboard.h"
#include "shell/app_delegate.h"
#include "shell/popup_panel.h"
#include "support/feeds.h"
#include "support/model_fixture.h"
#include "support/qt_printers.h"
#include "support/sample_data.h"
#include "ui/metrics.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A delegate on the offscreen platform: no tray host, feeds out of reach, log lines collected.
class DelegateTest : public testing::Test {
protected:
    AppDelegate& start(bool atLogin = false) {
        const SettingsStore settings(m_dir.path() + "/Velmora.conf");
        settings.setCachedRates(sampleRates().toJson());
        settings.setActiveCurrencies({"EUR"});
        AppDelegate::Options options;
        options.store.feeds.primaryBase = closedPortBase();
        options.store.feeds.fallbackBase = options.store.feeds.primaryBase;
        options.store.settings = settings;
        options.model.settings = settings;
        options.model.clipboardText = &SystemClipboard::text;
        options.model.setClipboardText = &SystemClipboard::setText;
        options.model.log = [this](const QString& line) { m_log.append(line); };
        options.log = options.model.log;
        options.launchedAtLogin = atLogin;
        options.version = "1.2.3";
        options.delay = m_time.delay();
        options.quit = [this] { ++m_quits; };
        m_delegate = std::make_unique<AppDelegate>(options);
        m_delegate->start();
        return *m_delegate;
    }
    QStringList linesStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& line : m_log) {
            if (line.startsWith(prefix))
                out.append(line);
        }
        return out;
    }

    // The icon check and every refit wait for this time, moved on by hand.
    void advance(qint64 ms) {
        QCoreApplication::processEvents();
        m_time.advance(ms);
    }

    ManualTime m_time;
    QTemporaryDir m_dir;
    QStringList m_log;
    int m_quits = 0;
    std::unique_ptr<AppDelegate> m_delegate;
};

TEST_F(DelegateTest, WithoutATrayThePanelOpensCentred) {
    AppDelegate& d = start();
    ASSERT_FALSE(m_log.isEmpty());
    EXPECT_EQ(m_log.first(), "Start, Version 1.2.3, beim Anmelden: false");
    advance(1499);
    EXPECT_FALSE(d.panel().isVisible());
    advance(1);
    ASSERT_TRUE(d.panel().isVisible());
    EXPECT_EQ(linesStartingWith("Symbol sichtbar: "),
              QStringList{"Symbol sichtbar: false  kein Fenster"});
    EXPECT_EQ(linesStartingWith("Fenster \u00F6ffnen: "),
              QStringList{"Fenster \u00F6ffnen: Symbol nicht sichtbar"});

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = d.panel().geometry();
    EXPECT_EQ(frame.width(), Metrics::panelWidth);
    EXPECT_EQ(frame.top(), area.top() + int(0.12 * area.height()));
    EXPECT_EQ(frame.left(), int(area.left() + area.width() / 2.0 - Metrics::panelWidth / 2.0));
    EXPECT_TRUE(linesStartingWith("Fenster sichtbar: ")
                    .first()
                    .startsWith("Fenster sichtbar: true, Rahmen ("));
}

TEST_F(DelegateTest, AtLoginNothingOpensByItself) {
    AppDelegate& d = start(true);
    EXPECT_EQ(m_log.first(), "Start, Version 1.2.3, beim Anmelden: true");
    advance(1500);
    EXPECT_EQ(linesStartingWith("Symbol sichtbar: false").size(), 1);
    advance(1000);
    EXPECT_FALSE(d.panel().isVisible());
    EXPECT_TRUE(linesStartingWith("Fenster").isEmpty());
}

TEST_F(DelegateTest, ShowHideAndTheirLogLines) {
    AppDelegate& d = start(true);
    d.hidePanel("Esc"); // hidden already: no line
    EXPECT_TRUE(linesStartingWith("Fenster schlie\u00DFen").isEmpty());

    d.showPanel("erneut ge\u00F6ffnet");
    const QRect first = d.panel().geometry();
    d.panel().move(first.topLeft() + QPoint(40, 30)); // the user dragged it
    d.showPanel("erneut ge\u00F6ffnet");
    EXPECT_EQ(d.panel().geometry().topLeft(),
              first.topLeft() + QPoint(40, 30)); // a visible panel stays
    EXPECT_EQ(linesStartingWith("Fenster \u00F6ffnen: erneut ge\u00F6ffnet").size(), 2);
    EXPECT_EQ(linesStartingWith("Fenster sichtbar: true").size(), 2);
    EXPECT_TRUE(d.isHighlighted());

    d.togglePanel();
    EXPECT_FALSE(d.panel().isVisible());
    EXPECT_FALSE(d.isHighlighted());
    EXPECT_EQ(m_log.last(), "Fenster schlie\u00DFen: Symbol angeklickt");
    d.togglePanel();
    EXPECT_TRUE(d.panel().isVisible());
    EXPECT_EQ(linesStartingWith("Fenster \u00F6ffnen: Symbol angeklickt").size(), 1);

    d.model().closeWindow();
    EXPECT_EQ(m_log.last(), "Fenster schlie\u00DFen: Schlie\u00DFen-Knopf");
}

TEST_F(DelegateTest, RefitKeepsTheTopAndLogsTheSizes) {
    AppDelegate& d = start(true);
    d.showPanel("erneut ge\u00F6ffnet");
    const QRect before = d.panel().geometry();
    d.model().setActive(Currency::thb, true); // a row and a rate button more
    advance(79);
    EXPECT_TRUE(linesStartingWith("Fenstergr\u00F6\u00DFe").isEmpty());
    advance(1);
    const QRect after = d.panel().geometry();
    EXPECT_EQ(after.top(), before.top());
    EXPECT_GT(after.height(), before.height());
    EXPECT_EQ(linesStartingWith("Fenstergr\u00F6\u00DFe").first(),
              QStringLiteral("Fenstergr\u00F6\u00DFe %1\u00D7%2 \u2192 %1\u00D7%3")
                  .arg(Metrics::panelWidth)
                  .arg(before.height())
                  .arg(after.height()));

    // A refit to the same size says nothing.
    d.refitIfVisible();
    advance(100);
    EXPECT_EQ(linesStartingWith("Fenstergr\u00F6\u00DFe").size(), 1)
        << m_log.join("\n").toStdString();
    EXPECT_EQ(d.panel().geometry(), after);
}

// Not only rates and currencies change the content's size: the euro row is emphasised only
// while another currency is the amount currency.
TEST_F(DelegateTest, TheWindowFollowsTheContentWhateverChangesIt) {
    AppDelegate& d = start(true);
    d.model().setActive(Currency::thb, true);
    d.model().setAmountCurrency(Currency::thb); // the euro row emphasised
    d.showPanel("erneut ge\u00F6ffnet");
    QWidget* content = d.panel().content();
    auto fitted = [&] { return d.panel().height() == content->sizeHint().height(); };
    // The refresh at opening fails, and the footer's warning takes a line of its own.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.store().isLoading(); }, 5000));
    advance(80);
    ASSERT_TRUE(fitted());
    const int tall = d.panel().height();
    for (const auto& [amount, height] :
         {std::pair{Currency::eur, tall - 16}, std::pair{Currency::thb, tall}}) {
        d.model().setAmountCurrency(amount);
        advance(80);
        EXPECT_EQ(d.panel().height(), height);
        EXPECT_TRUE(fitted());
    }
}

// A screen too small for the content: the window keeps to the screen, the content scrolls, and a
// control reached by Tab is scrolled into view.
TEST_F(DelegateTest, ContentLargerThanTheWindowScrollsToTheFocusedControl) {
    AppDelegate& d = start(true);
    d.showPanel("erneut ge\u00F6ffnet");
    PopupPanel& panel = d.panel();
    auto* scroll = panel.findChild<QScrollArea*>("panelScroll");
    ASSERT_NE(scroll, nullptr);
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()); // the common case: nothing scrolls
    panel.resize(panel.width() + panel.scrollBarExtent(), 200);
    QCoreApplication::processEvents();
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    auto inView = [&](const char* name) {
        QWidget* w = panel.findChild<QWidget*>(name);
        const QRect shown(w->mapTo(scroll->viewport(), QPoint()), w->size());
        return scroll->viewport()->rect().contains(shown);
    };
    EXPECT_FALSE(inView("quit"));
    panel.findChild<QWidget*>("quit")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(inView("quit"));
    panel.findChild<QWidget*>("currency-EUR")->setFocus(Qt::BacktabFocusReason);
    EXPECT_TRUE(inView("currency-EUR"));
}

TEST_F(DelegateTest, KeysCopyPasteAndQuitReachTheModel) {
    AppDelegate& d = start(true);
    d.showPanel("erneut ge\u00F6ffnet");
    PopupPanel& panel = d.panel();
    QTest::keyClicks(&panel, "12*3");
    QTest::keyClick(&panel, Qt::Key_Return);
    EXPECT_EQ(d.model().calcText(), "36");
    QTest::keyClick(&panel, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "36,00");
    EXPECT_EQ(d.model().calcText(), "36"); // Ctrl+C is no "C" key

    QGuiApplication::clipboard()->setText("2 x 4");
    QTest::keyClick(&panel, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.model().calcText(), "2 \u00D7 4");
    QTest::keyClick(&panel, Qt::Key_C);
    EXPECT_EQ(d.model().calcText(), "");

    // With a control ringed, Space presses it and the rest still goes to the calculator.
    QWidget* usd = panel.findChild<QWidget*>("switch-USD");
    ASSERT_NE(usd, nullptr);
    usd->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(d.model().isActive(Currency::usd));
    QTest::keyClick(usd, Qt::Key_Space);
    EXPECT_TRUE(d.model().isActive(Currency::usd));
    QTest::keyClicks(usd, "2*4");
    QTest::keyClick(usd, Qt::Key_Return);
    EXPECT_EQ(d.model().calcText(), "8");

    QTest::keyClick(&panel, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(m_quits, 1);
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(m_log.last(), "Fenster schlie\u00DFen: Esc");
}

} // namespace
