// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/format.h"
#include "support/panel_fixture.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/panel_view.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QCheckBox>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

const Currency eur = Currency::eur, usd = Currency::usd, thb = Currency::thb, pln = Currency::pln;

class PanelTest : public PanelFixture {
protected:
    template<typename T = PressableButton> T* find(const QString& name) const {
        T* widget = m_panel->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString text(const QString& name) const { return find<TextLine>(name)->text(); }
    // What a line draws at its width, after any cutting off.
    QString shown(const QString& name) const {
        QString all;
        for (const TextLine::Part& part : find<TextLine>(name)->shownParts())
            all += part.text;
        return all;
    }
    // The status line as drawn, with the warning line below it where there is one: on a line
    // of its own it starts at the edge, without the blanks that part it from the stamp.
    QString statusAsShown() const {
        const TextLine* warning = find<TextLine>("warningLine");
        return shown("statusLine") +
               (warning->isVisibleTo(m_panel.get()) ? "  " + shown("warningLine") : "");
    }
    void click(const QString& name) {
        QWidget* w = find<QWidget>(name);
        ASSERT_TRUE(w);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        QCoreApplication::processEvents();
    }
    void settle() {
        QCoreApplication::processEvents();
        m_panel->adjustSize();
    }
    QImage image() const { return m_panel->grab().toImage(); }
};

TEST_F(PanelTest, FixedWidthForEveryThemeAndCurrencySet) {
    const QList<QList<Currency>> sets{{eur}, {eur, thb}, {eur, usd, pln}, {eur, usd, thb, pln}};
    PanelView& view = panel();
    int previousHeight = 0;
    for (const Theme& theme : Theme::all()) {
        m_model->setTheme(theme);
        for (const auto& set : sets) {
            for (Currency c : {usd, thb, pln})
                m_model->setActive(c, set.contains(c));
            settle();
            EXPECT_EQ(view.sizeHint().width(), Metrics::panelWidth);
            EXPECT_EQ(view.width(), Metrics::panelWidth)
                << theme.id.toStdString() << " " << set.size();
            EXPECT_EQ(find<QWidget>("calculatorCard")->width(), Metrics::contentWidth);
            if (set.size() == 4) {
                EXPECT_GT(view.sizeHint().height(), previousHeight);
            }
            previousHeight = view.sizeHint().height();
            EXPECT_EQ(view.height(), view.sizeHint().height());
        }
    }
}

TEST_F(PanelTest, EuroRowIsEmphasisedWhileAnotherCurrencyIsTheAmount) {
    panel();
    m_model->setActive(usd, true);
    settle();
    ASSERT_EQ(m_model->amountCurrency(), thb);
    QWidget* euroRow = find<QWidget>("row-EUR");
    QWidget* usdRow = find<QWidget>("row-USD");
    const QWidget* results = find<QWidget>("results");
    EXPECT_EQ(euroRow->height(), 38);
    EXPECT_EQ(usdRow->height(), 22);
    // The highlight starts six points further out than the other rows' content.
    auto* usdSymbol = usdRow->findChildren<TextLine*>().first();
    const int usdContent = usdSymbol->mapTo(results, QPoint(0, 0)).x();
    const int euroEdge = euroRow->mapTo(results, QPoint(0, 0)).x();
    EXPECT_EQ(usdContent - euroEdge, 6);
    EXPECT_EQ(euroRow->mapTo(results, QPoint(euroRow->width(), 0)).x(), results->width() - 4);

    const QColor home = Painting::color(m_model->theme().homeFill);
    EXPECT_EQ(image().pixelColor(euroRow->mapTo(m_panel.get(), QPoint(3, 19))), home);
    EXPECT_EQ(find("copy-EUR")->font().pixelSize(), 22);
    EXPECT_EQ(find("copy-USD")->font().pixelSize(), 16);
    // The amount currency's row repeats the typed number, dimmed.
    EXPECT_EQ(find("copy-THB")->foreground(), Painting::color(m_model->theme().text, 0.55));
    EXPECT_EQ(find("copy-USD")->foreground(), Painting::color(m_model->theme().text));

    m_model->setAmountCurrency(eur);
    settle();
    EXPECT_EQ(euroRow->height(), 22);
    EXPECT_EQ(find("copy-EUR")->foreground(), Painting::color(m_model->theme().text, 0.55));
}

TEST_F(PanelTest, EmptyLineState) {
    panel();
    EXPECT_EQ(text("calcText"), "0");
    EXPECT_EQ(find<TextLine>("calcText")->parts().first().color,
              Painting::color(m_model->theme().text, 0.35));
    EXPECT_EQ(text("preview"), " ");
    for (const char* code : {"EUR", "THB"}) {
        EXPECT_EQ(find(QStringLiteral("copy-") + code)->label(), "\u2013");
        EXPECT_FALSE(find(QStringLiteral("copy-") + code)->isEnabled());
    }
    auto* copy = find("copyEuro");
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_EQ(copy->toolTip(), "Erst eine Zahl eingeben");
}

TEST_F(PanelTest, OnlyTheEuroActive) {
    writeSetting(SettingsStore::activeCurrenciesKey, QStringList{"EUR"});
    panel();
    EXPECT_EQ(m_panel->findChildren<PressableButton*>(QRegularExpression("^currency-")).size(), 1);
    EXPECT_EQ(find("currency-EUR")->label(), "\u20AC  EUR");
    EXPECT_EQ(m_panel->findChildren<QWidget*>(QRegularExpression("^row-")).size(), 1);
    EXPECT_TRUE(m_panel->findChildren<PressableButton*>(QRegularExpression("^rate-")).isEmpty());
    EXPECT_EQ(find<QWidget>("row-EUR")->height(), 22);
}

TEST_F(PanelTest, RateButtonsAndTheirDigits) {
    panel(sampleRates(1.08, 38.12345, 4.31234));
    m_model->setActive(usd, true);
    m_model->setActive(pln, true);
    settle();
    EXPECT_EQ(find("rate-THB")->label(), "1 \u20AC = 38,123 \u0E3F");
    EXPECT_EQ(find("rate-USD")->label(), "1 \u20AC = 1,0800 $");
    EXPECT_EQ(find("rate-PLN")->label(), "1 \u20AC = 4,3123 z\u0142");
    EXPECT_EQ(find("rate-THB")->toolTip(),
              "Kurs 1 \u20AC = 38,123 \u0E3F in den Rechner \u00FCbertragen");
    EXPECT_TRUE(find("rate-THB")->isVisibleTo(m_panel.get()));

    click("rate-THB");
    EXPECT_EQ(m_model->calcText(), "38,123");
    EXPECT_EQ(find("copy-EUR")->label(), "1,00");
}

TEST_F(PanelTest, NoRatesNoRateButtons) {
    panel(std::nullopt);
    EXPECT_FALSE(find("rate-THB")->isVisibleTo(m_panel.get()));
}

TEST_F(PanelTest, ControlsCallTheModel) {
    panel();
    for (const char* key : {"7", "+", "3"})
        click(QStringLiteral("key-") + QString::fromUtf8(key));
    EXPECT_EQ(m_model->calcText(), "7 + 3");
    EXPECT_EQ(text("preview"), "= 10,00");
    click("key-=");
    EXPECT_EQ(text("calcText"), "10");

    click("currency-EUR");
    EXPECT_EQ(m_model->amountCurrency(), eur);
    click("copy-THB");
    EXPECT_EQ(m_clipboard, "395,00");
    EXPECT_EQ(find("copy-THB")->symbol(), "checkmark");
    EXPECT_EQ(find("copy-EUR")->symbol(), "doc.on.doc");

    click("copyEuro");
    EXPECT_EQ(m_clipboard, "10,00");
    EXPECT_EQ(find("copyEuro")->label(), "Kopiert");
    EXPECT_EQ(find("copyEuro")->pressable().fill, Painting::color(m_model->theme().accent));
    EXPECT_EQ(find("copy-EUR")->symbol(), "checkmark");
    EXPECT_EQ(find("copyEuro")->toolTip(),
              "Euro-Betrag 10,00 kopieren (auch Strg+C). Andere Betr\u00E4ge: einfach anklicken.");

    m_clipboard = "2 x 4";
    click(QStringLiteral("key-Einf\u00FCgen"));
    EXPECT_EQ(m_model->calcText(), "2 \u00D7 4");

    const auto resetButtons = m_panel->findChildren<PressableButton*>();
    auto reset = std::find_if(resetButtons.begin(), resetButtons.end(), [](PressableButton* b) {
        return b->accessibleName() == "Alles zur\u00FCcksetzen";
    });
    ASSERT_NE(reset, resetButtons.end());
    QTest::mouseClick(*reset, Qt::LeftButton, {}, (*reset)->rect().center());
    EXPECT_EQ(m_model->calcText(), "");
    EXPECT_EQ(m_model->amountCurrency(), thb);

    click("switch-USD");
    EXPECT_TRUE(m_model->isActive(usd));
    EXPECT_NE(m_panel->findChild<QWidget*>("row-USD"), nullptr);
    click("switch-EUR"); // disabled: nothing happens
    EXPECT_TRUE(m_model->isActive(eur));

    click("swatch-graphite");
    EXPECT_EQ(m_model->theme(), Theme::graphite());

    QSignalSpy closed(m_model.get(), &AppModel::closeWindowRequested);
    click("close");
    EXPECT_EQ(closed.count(), 1);
    click("quit");
    EXPECT_EQ(m_quits, 1);

    // An entry that cannot be written leaves the box unticked, although the click ticked it.
    ASSERT_TRUE(QDir().mkpath(autostartPath()));
    click("launchAtLogin");
    EXPECT_FALSE(m_model->launchAtLogin());
    EXPECT_FALSE(find<QCheckBox>("launchAtLogin")->isChecked());
    ASSERT_TRUE(QDir(autostartPath()).removeRecursively());

    click("launchAtLogin");
    EXPECT_TRUE(m_model->launchAtLogin());
    EXPECT_TRUE(QFile::exists(autostartPath()));
    EXPECT_TRUE(find<QCheckBox>("launchAtLogin")->isChecked());

    ASSERT_FALSE(m_live->isLoading());
    click("refresh");
    EXPECT_EQ(m_live->refreshes(), 1);
    EXPECT_TRUE(m_live->isLoading());
    EXPECT_FALSE(find("refresh")->isEnabled());
    m_live->fail();
    QCoreApplication::processEvents();
    EXPECT_TRUE(find("refresh")->isEnabled());
    EXPECT_EQ(statusAsShown(), "aktualisiert " +
                                   Format::stamp(m_live->info()->fetchedAt, m_time.now()) +
                                   "  Keine Verbindung");
}

// The footer's warning is its only report of trouble: at the standard width it is drawn whole,
// and so is the age of the rates, for rates of today, of yesterday and of a year ago.
TEST_F(PanelTest, WarningAndAgeAreShownWholeAtTheStandardWidth) {
    const QDateTime now = m_time.now(); // 08.12.2026 19:30
    struct Row {
        const char* name;
        QDateTime fetched;
        const char* stamp;
    };
    const Row rows[] = {
        {"today", now.addSecs(-3 * 3600), "16:30 Uhr"},
        {"yesterday", now.addDays(-1), "07.12. 19:30 Uhr"},
        {"a year ago", now.addDays(-365), "08.12.25 19:30 Uhr"},
    };
    for (const Row& row : rows) {
        for (const bool failed : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (failed ? ", failed" : ", central bank"));
            RateInfo rates = sampleRates();
            rates.fetchedAt = Timestamps::fromDateTime(row.fetched);
            rates.quotedAt = rates.fetchedAt;
            if (!failed)
                rates.source = QStringLiteral("EZB");
            panel(rates);
            if (failed) {
                click("refresh");
                m_live->fail();
                QCoreApplication::processEvents();
            }
            EXPECT_EQ(m_panel->width(), Metrics::panelWidth);
            const QString warning = failed ? "  Keine Verbindung" : "  EZB als Ersatz";
            EXPECT_EQ(statusAsShown(), "aktualisiert " + QString(row.stamp) + warning);
            if (failed) {
                EXPECT_EQ(shown("sourceLine"), "FloatRates, " + QString(row.stamp));
            }
        }
    }
}

TEST_F(PanelTest, SwitchesFollowTheActiveCurrencies) {
    panel();
    auto* euro = find("switch-EUR");
    EXPECT_FALSE(euro->isEnabled());
    EXPECT_EQ(euro->symbol(), "checkmark");
    EXPECT_EQ(euro->toolTip(), "Euro ist deine Heimatw\u00E4hrung und immer an");
    EXPECT_EQ(find("switch-THB")->toolTip(), "THB ausschalten");
    EXPECT_EQ(find("switch-USD")->toolTip(), "USD einschalten");
    m_model->setActive(thb, false);
    auto* baht = find("switch-THB");
    EXPECT_EQ(baht->symbol(), "plus");
    EXPECT_EQ(baht->pressable().fill, Painting::color(m_model->theme().field));
    EXPECT_EQ(baht->toolTip(), "THB einschalten");
    EXPECT_EQ(baht->accessibleName(), "THB");
    EXPECT_FALSE(baht->isChecked());
    EXPECT_TRUE(find("switch-EUR")->isChecked());
}

TEST_F(PanelTest, EveryControlHasAnAccessibleName) {
    panel();
    m_model->setActive(usd, true);
    for (QAbstractButton* button : m_panel->findChildren<QAbstractButton*>())
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
}

// qobject_cast and findChild<T> go by the meta-object: a widget class without its own would
// pass for its Qt base class, and a lookup by type would find the wrong widgets.
TEST_F(PanelTest, LookupsByTypeFindOnlyThatType) {
    panel();
    int checked = 0;
    for (QObject* object : m_panel->findChildren<QObject*>()) {
        EXPECT_EQ(qobject_cast<PressableButton*>(object) != nullptr,
                  dynamic_cast<PressableButton*>(object) != nullptr)
            << object->metaObject()->className();
        EXPECT_EQ(qobject_cast<TextLine*>(object) != nullptr,
                  dynamic_cast<TextLine*>(object) != nullptr)
            << object->metaObject()->className();
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

TEST_F(PanelTest, ThemeChangeRecoloursEverythingAtOnce) {
    panel();
    const QPoint padding(7, m_panel->height() / 2);
    const QPoint card = find<QWidget>("calculatorCard")->mapTo(m_panel.get(), QPoint(5, 200));
    QImage before = image();
    EXPECT_EQ(before.pixelColor(padding), Painting::color(Theme::navy().background));
    EXPECT_EQ(before.pixelColor(card), Painting::color(Theme::navy().card));

    m_model->setTheme(Theme::white());
    QImage after = image();
    EXPECT_EQ(after.pixelColor(padding), Painting::color(Theme::white().background));
    EXPECT_EQ(after.pixelColor(card), Painting::color(Theme::white().card));
    // What Qt draws itself follows: the check box's label and the tool tips.
    auto* login = find<QCheckBox>("launchAtLogin");
    EXPECT_EQ(login->palette().color(QPalette::WindowText), Painting::color(Theme::white().text));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText),
              Painting::color(Theme::white().text));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase),
              Painting::color(Theme::white().card));
    // The ring moved to the white swatch, drawn in the new accent.
    const QWidget* swatch = find<QWidget>("swatch-white");
    const QColor ring = after.pixelColor(swatch->mapTo(m_panel.get(), QPoint(9, 1)));
    const QColor accent = Painting::color(Theme::white().accent);
    EXPECT_LE(std::abs(ring.red() - accent.red()) + std::abs(ring.green() - accent.green()) +
                  std::abs(ring.blue() - accent.blue()),
              24)
        << ring.name().toStdString(); // antialiased edge of a two-point ring
    const QWidget* navy = find<QWidget>("swatch-navy");
    EXPECT_NE(after.pixelColor(navy->mapTo(m_panel.get(), QPoint(9, 1))), accent);
}

TEST_F(PanelTest, LongLinesKeepTheirEnd) {
    panel();
    for (int i = 0; i < 40; ++i)
        m_model->press(*CalcKeys::fromLabel(QString::number(i % 10)));
    type(*m_model, u"+7");
    settle();
    auto* line = find<TextLine>("calcText");
    EXPECT_EQ(line->effectivePixelSize(), int(std::ceil(24 * 0.6)));
    // The end of the line is still painted at the right edge: sample where "7" stands.
    EXPECT_TRUE(m_model->calcText().endsWith("+ 7"));
}

// The lines and the buttons shrink their text alike: to the largest size that fits, but no
// smaller than the minimum scale allows.
TEST(ShrinkToFit, LargestSizeThatFitsDownToTheMinimumScale) {
    const auto widthAt = [](const QFont& font) { return 10.0 * font.pixelSize(); };
    struct Row {
        int size;
        qreal scale, room;
        int expected;
    };
    const Row rows[] = {
        {24, 0.6, 240, 24},   // fits as it is
        {24, 0.6, 239.5, 23}, // one pixel smaller fits
        {24, 0.6, 200, 20},   // fits exactly at 20
        {24, 0.6, 199, 19},   // and not at 20
        {24, 0.6, 0, 15},     // 24 × 0.6, rounded up
        {24, 1.0, 100, 24},   // no shrinking asked for
        {3, 0.1, 0, 1},       // never below one pixel
    };
    for (const Row& row : rows) {
        QFont font;
        font.setPixelSize(row.size);
        EXPECT_EQ(Fonts::shrunkToFit(font, row.scale, row.room, widthAt).pixelSize(), row.expected)
            << row.size << " at " << row.scale << " in " << row.room;
    }
    QFont points;
    points.setPointSize(12); // a size not in pixels is left alone
    EXPECT_EQ(Fonts::shrunkToFit(points, 0.6, 0, widthAt), points);
}

} // namespace
