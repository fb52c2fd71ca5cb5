// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/log.h"
#include "model/format.h"
#include "support/model_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

namespace {

using Cs = QList<Currency>;
const Currency eur = Currency::eur, usd = Currency::usd, thb = Currency::thb, pln = Currency::pln;

TEST_F(ModelTest, FirstStartShowsEuroAndBaht) {
    AppModel& m = model();
    EXPECT_EQ(m.activeCurrencies(), (Cs{eur, thb}));
    EXPECT_EQ(m.amountCurrency(), thb);
    EXPECT_EQ(m.calcText(), "");
    EXPECT_EQ(m.theme(), Theme::navy());
    EXPECT_FALSE(m.launchAtLogin());
    EXPECT_FALSE(m.copiedCurrency().has_value());
}

TEST_F(ModelTest, StoredCurrencyListsOfEveryShape) {
    struct Row {
        const char* name;
        QVariant stored;
        Cs active;
        Currency amount;
    };
    const Row rows[] = {
        {"PLN, USD", QStringList{"PLN", "USD"}, {eur, usd, pln}, usd},
        {"empty list", QStringList{}, {eur}, eur},
        {"one element", QStringList{"PLN"}, {eur, pln}, pln},
        {"duplicates and junk",
         QStringList{"THB", "thb", "XXX", "THB", "", "EUR"},
         {eur, thb},
         thb},
        {"all", QStringList{"USD", "PLN", "THB", "EUR"}, {eur, usd, thb, pln}, thb},
        {"wrong type", QVariant(42), {eur, thb}, thb},
        {"bytes", QVariant(QByteArray("USD")), {eur, thb}, thb},
        {"mixed list", QVariantList{QStringLiteral("USD"), 7}, {eur, thb}, thb},
    };
    for (const Row& row : rows) {
        writeSetting(SettingsStore::activeCurrenciesKey, row.stored);
        AppModel& m = model();
        EXPECT_EQ(m.activeCurrencies(), row.active) << row.name;
        EXPECT_EQ(m.amountCurrency(), row.amount) << row.name;
    }
}

TEST_F(ModelTest, StoredThemesAndDamagedValues) {
    const std::pair<QVariant, const char*> rows[] = {
        {QStringLiteral("graphite"), "graphite"},      {QStringLiteral("brown"), "lightblue"},
        {QStringLiteral("Graphit"), "navy"},           {QVariant(3), "navy"},
        {QVariant(QStringList{"white", "x"}), "navy"},
    };
    for (const auto& [stored, expected] : rows) {
        writeSetting(SettingsStore::themeKey, stored);
        EXPECT_EQ(model().theme().id, expected) << stored.toString().toStdString();
    }
}

TEST_F(ModelTest, GarbageSettingsFileStillGivesAValidModel) {
    QDir().mkpath(QFileInfo(settings().path()).absolutePath());
    for (const QByteArray& junk :
         {QByteArray("\x00\x01\xff[General]\nactiveCurrencies=@Variant(\x00\x00)\n", 40),
          QByteArray("[General]\ntheme=@ByteArray(white)\nactiveCurrencies=@Invalid(\n"),
          QByteArray(5000, '\xfe')}) {
        QFile file(settings().path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(junk);
        file.close();
        AppModel& m = model(std::nullopt);
        EXPECT_EQ(m.activeCurrencies().first(), eur);
        EXPECT_TRUE(std::is_sorted(m.activeCurrencies().begin(), m.activeCurrencies().end()));
        EXPECT_TRUE(std::any_of(Theme::all().begin(), Theme::all().end(),
                                [&m](const Theme& t) { return t == m.theme(); }));
        // Written afresh over the damage: no failed save.
        m.setTheme(Theme::white());
        EXPECT_TRUE(m_log.isEmpty()) << m_log.join('\n').toStdString();
        EXPECT_EQ(readSetting(SettingsStore::themeKey).toString(), "white");
    }
}

TEST_F(ModelTest, SwitchingCurrenciesPersistsLogsAndMovesTheAmountCurrency) {
    AppModel& m = model();
    QSignalSpy spy(&m, &AppModel::activeCurrenciesChanged);

    m.setActive(usd, true);
    EXPECT_EQ(m.activeCurrencies(), (Cs{eur, usd, thb}));
    EXPECT_EQ(m.amountCurrency(), thb);
    m.setActive(pln, true);
    m.setActive(thb, false); // the amount currency goes: the dollar takes over
    EXPECT_EQ(m.activeCurrencies(), (Cs{eur, usd, pln}));
    EXPECT_EQ(m.amountCurrency(), usd);
    m.setActive(thb, true); // switching on never changes the amount currency
    EXPECT_EQ(m.amountCurrency(), usd);
    m.setActive(usd, false);
    m.setActive(thb, false);
    m.setActive(pln, false); // the last one: the euro remains
    EXPECT_EQ(m.activeCurrencies(), (Cs{eur}));
    EXPECT_EQ(m.amountCurrency(), eur);
    m.setActive(pln, false); // removing an absent currency is no error
    EXPECT_EQ(spy.count(), 8);

    const QStringList expectedLog{
        "W\u00E4hrungen: EUR, USD, THB", "W\u00E4hrungen: EUR, USD, THB, PLN",
        "W\u00E4hrungen: EUR, USD, PLN", "W\u00E4hrungen: EUR, USD, THB, PLN",
        "W\u00E4hrungen: EUR, THB, PLN", "W\u00E4hrungen: EUR, PLN",
        "W\u00E4hrungen: EUR",           "W\u00E4hrungen: EUR",
    };
    EXPECT_EQ(m_log, expectedLog);

    m.setActive(usd, true);
    EXPECT_EQ(readSetting(SettingsStore::activeCurrenciesKey).toStringList(),
              (QStringList{"EUR", "USD"}));
    EXPECT_EQ(model().activeCurrencies(), (Cs{eur, usd}));
}

TEST_F(ModelTest, TheEuroCannotBeSwitchedOff) {
    AppModel& m = model();
    QSignalSpy spy(&m, &AppModel::activeCurrenciesChanged);
    m.setActive(eur, false);
    m.setActive(eur, true);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_FALSE(readSetting(SettingsStore::activeCurrenciesKey).isValid());
}

TEST_F(ModelTest, ThemeIsPersistedAndReadByTheNextModel) {
    AppModel& m = model();
    QSignalSpy spy(&m, &AppModel::themeChanged);
    m.setTheme(Theme::white());
    m.setTheme(Theme::white());
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(readSetting(SettingsStore::themeKey).toString(), "white");
    EXPECT_EQ(model().theme(), Theme::white());
}

TEST_F(ModelTest, LoginItemFollowsTheAutostartEntry) {
    AppModel& m = model();
    QSignalSpy spy(&m, &AppModel::launchAtLoginChanged);
    m.setLaunchAtLogin(true);
    EXPECT_TRUE(m.launchAtLogin());
    ASSERT_TRUE(QFile::exists(autostartPath()));
    EXPECT_TRUE(model().launchAtLogin()); // a new model reads it back

    model().setLaunchAtLogin(false);
    EXPECT_FALSE(QFile::exists(autostartPath()));
    EXPECT_FALSE(m_model->launchAtLogin());
    EXPECT_EQ(spy.count(), 1);
}

// Blocked in ways that stop root too; the flag shows what is there, and the log says why.
TEST_F(ModelTest, LoginItemThatCannotBeChangedReadsBackAndIsLogged) {
    const QString folder = m_dir.path() + "/config/autostart";
    struct Row {
        const char* name;
        QString blocker; // a file, or a folder when it ends in a slash
        bool on;
        QString said;
    };
    const Row rows[] = {
        {"autostart folder is a file", folder, true, "Autostart nicht eingerichtet: "},
        {"entry is a folder", autostartPath() + "/", true, "Autostart nicht eingerichtet: "},
        {"entry is a folder with something in it", autostartPath() + "/x/", false,
         "Autostart nicht entfernt: "},
    };
    ASSERT_TRUE(QDir().mkpath(m_dir.path() + "/config"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(folder);
        QDir(folder).removeRecursively();
        if (row.blocker.endsWith('/')) {
            ASSERT_TRUE(QDir().mkpath(row.blocker));
        } else {
            QFile blocker(row.blocker);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        m_log.clear();
        AppModel& m = model();
        QSignalSpy spy(&m, &AppModel::launchAtLoginChanged);
        m.setLaunchAtLogin(row.on);
        EXPECT_FALSE(m.launchAtLogin());
        EXPECT_EQ(spy.count(), 1);
        ASSERT_EQ(m_log.size(), 1);
        EXPECT_TRUE(m_log[0].startsWith(row.said + autostartPath() + ": "))
            << m_log[0].toStdString();
    }
}

// A disk that takes nothing costs the person nothing in the running program: the values stay,
// one line says so, and one more when the settings reach the disk again.
TEST_F(ModelTest, SettingsThatCannotBeSavedAreKeptAndLoggedOnce) {
    const QString file = settingsPath();
    const QString folder = QFileInfo(file).absolutePath();
    // Unlike a folder without write permission, each of these stops root as well.
    const std::pair<const char*, bool> blockers[] = {
        {"settings file is a folder", true},
        {"settings folder is a file", false},
    };
    for (const auto& [name, fileIsFolder] : blockers) {
        SCOPED_TRACE(name);
        QDir(folder).removeRecursively();
        if (fileIsFolder) {
            ASSERT_TRUE(QDir().mkpath(file));
        } else {
            QFile blocker(folder);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        m_log.clear();
        AppModel& m = model();
        m.setTheme(Theme::white());
        m.setActive(usd, true);
        m.setTheme(Theme::graphite());
        EXPECT_EQ(m.theme(), Theme::graphite());
        EXPECT_EQ(m.activeCurrencies(), (Cs{eur, usd, thb}));
        const QStringList failed{"Einstellungen nicht gespeichert: " + file +
                                     " l\u00E4sst sich nicht schreiben",
                                 "W\u00E4hrungen: EUR, USD, THB"};
        EXPECT_EQ(m_log, failed);

        QFile::remove(folder);
        QDir(folder).removeRecursively();
        m.setActive(pln, true);
        m.setTheme(Theme::lightBlue());
        const QStringList recovered{"Einstellungen wieder gespeichert",
                                    "W\u00E4hrungen: EUR, USD, THB, PLN"};
        EXPECT_EQ(m_log, failed + recovered);
        EXPECT_EQ(readSetting(SettingsStore::themeKey).toString(), "lightblue");
        EXPECT_EQ(readSetting(SettingsStore::activeCurrenciesKey).toStringList(),
                  (QStringList{"EUR", "USD", "THB", "PLN"}));
    }
}

TEST_F(ModelTest, ConversionThroughTheEuro) {
    AppModel& m = model();
    type(m, u"395");
    EXPECT_DOUBLE_EQ(*m.converted(eur), 10.0);
    EXPECT_NEAR(*m.converted(usd), 10.8, 1e-9);
    EXPECT_EQ(*m.converted(thb), 395.0); // exactly the amount
    EXPECT_EQ(m.amountForCopy(eur), "10,00");

    m.setAmountCurrency(eur);
    EXPECT_EQ(*m.converted(thb), 15602.5);
    EXPECT_EQ(Format::number(*m.converted(thb), 2), "15.602,50");
    EXPECT_EQ(m.amountForCopy(thb), "15602,50");
    EXPECT_EQ(m.euroForCopy(), "395,00");

    m.press(CalcKey::clear);
    EXPECT_FALSE(m.converted(eur).has_value());
    type(m, u"12+");
    EXPECT_EQ(m.converted(eur), 12.0);
}

TEST_F(ModelTest, ConversionWithoutUsableRatesGivesNothing) {
    RateInfo noPln = sampleRates();
    noPln.perEur.remove("PLN");
    RateInfo zeroUsd = sampleRates(0.0);
    const std::pair<std::optional<RateInfo>, Currency> rows[] = {
        {std::nullopt, eur}, {noPln, pln}, {zeroUsd, eur}};
    for (const auto& [cached, target] : rows) {
        AppModel& m = model(cached);
        m.setAmountCurrency(usd);
        m.press(CalcKey::digit5);
        EXPECT_FALSE(m.converted(target).has_value());
        m.copyAmount(target);
        EXPECT_FALSE(m.copiedCurrency().has_value());
        EXPECT_TRUE(m_log.isEmpty());
        m.insertRate(usd, target, 4);
        EXPECT_EQ(m.calcText(), "5");
    }
}

TEST_F(ModelTest, CopyPutsMoneyTextOnTheClipboardAndLogsIt) {
    AppModel& m = model();
    type(m, u"1234,5");
    m.setAmountCurrency(eur);
    m.copyEuro();
    EXPECT_EQ(m_clipboard, "1234,50");
    EXPECT_EQ(m.copiedCurrency(), eur);
    EXPECT_EQ(m_log, QStringList{"Kopiert: 1234,50 EUR"});

    m.press(CalcKey::clear);
    m_clipboard = "unchanged";
    m.copyAmount(usd);
    EXPECT_EQ(m_clipboard, "unchanged");
    EXPECT_EQ(m_log.size(), 1);
}

TEST_F(ModelTest, CopiedMarkerTimers) {
    m_markerMs = 300;
    AppModel& m = model();
    m.press(CalcKey::digit8);

    // The same currency twice within the time: the first timer clears the marker early.
    m.copyEuro();
    m_time.advance(150);
    m.copyEuro();
    m_time.advance(149);
    EXPECT_EQ(m.copiedCurrency(), eur);
    m_time.advance(1);
    EXPECT_FALSE(m.copiedCurrency().has_value());

    // Another currency within the time: the marker moves and stays its full time.
    m.copyAmount(usd);
    m_time.advance(150);
    m.copyAmount(thb);
    m_time.advance(200); // past the dollar's timer
    EXPECT_EQ(m.copiedCurrency(), thb);
    m_time.advance(99);
    EXPECT_EQ(m.copiedCurrency(), thb);
    m_time.advance(1);
    EXPECT_FALSE(m.copiedCurrency().has_value());
}

// With the program's own Qt timer: one that fires after the model is gone must do nothing.
TEST_F(ModelTest, MarkerTimerOutlivingTheModelDoesNothing) {
    m_markerMs = 100;
    m_delay = &AppModel::onTimer;
    AppModel& m = model();
    m.press(CalcKey::digit8);
    QSignalSpy spy(&m, &AppModel::copiedCurrencyChanged);
    m.copyEuro();
    m_model.reset();
    QTest::qWait(200); // a timer that touched the freed model would be caught by the sanitizers
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(ModelTest, InsertRate) {
    AppModel& m = model(sampleRates(1.08, 39.45678));
    m.setAmountCurrency(eur);
    m.insertRate(eur, thb, 3);
    EXPECT_EQ(m.calcText(), "39,457");
    EXPECT_EQ(m.amountCurrency(), thb);
    EXPECT_EQ(m.amountForCopy(eur), "1,00");

    m.press(CalcKey::clear);
    m.setAmountCurrency(eur);
    type(m, u"100\u00D7");
    m.insertRate(eur, thb, 3);
    EXPECT_EQ(m.calcText(), "100 \u00D7 39,457");
    EXPECT_EQ(m.amountCurrency(), eur);

    // An inactive target takes the line but not the amount currency.
    m.insertRate(eur, usd, 4);
    EXPECT_EQ(m.calcText(), "1,08");
    EXPECT_EQ(m.amountCurrency(), eur);

    m.insertRate(usd, thb, 7); // more digits than the line shows
    EXPECT_EQ(m.calcText(), Format::plain(39.45678 / 1.08));
}

TEST_F(ModelTest, ResetAll) {
    AppModel& m = model();
    m.setAmountCurrency(eur);
    type(m, u"4=");
    ASSERT_TRUE(m.showsResult());
    m.resetAll();
    EXPECT_EQ(m.calcText(), "");
    EXPECT_EQ(m.amountCurrency(), thb);
    EXPECT_FALSE(m.showsResult());
}

TEST_F(ModelTest, PasteOfNothingOrTooMuchChangesNothing) {
    AppModel& m = model();
    type(m, u"42");
    m_clipboard.reset(); // no text: empty, or an image
    m.pasteIntoCalculator();
    EXPECT_EQ(m.calcText(), "42");

    m_clipboard = QString((1 << 20) + 1, QLatin1Char('7'));
    m.pasteIntoCalculator();
    EXPECT_EQ(m.calcText(), "42");

    m_clipboard = QString(1 << 19, QLatin1Char('7')) + " + 1";
    m.pasteIntoCalculator();
    EXPECT_TRUE(m.calcText().endsWith(" + 1"));
}

// Driven as a person would: keys, a paste, a copy; the log goes to a real file.
TEST_F(ModelTest, PersonAtTheKeypad) {
    const QString logFile = m_dir.path() + "/state/Velmora.log";
    m_logSink = [logFile](const QString& text) {
        Log::writeTo(logFile, text, QDateTime::currentDateTime());
    };
    AppModel& person = model();

    person.setActive(usd, true);
    type(person, u"12,5\u00D7");
    m_clipboard = "3 EUR";
    person.press(CalcKey::paste);
    EXPECT_EQ(person.calcText(), "12,5 \u00D7 3");
    EXPECT_EQ(person.calcPreview(), "= 37,50");
    person.press(CalcKey::equals);
    EXPECT_EQ(person.calcText(), "37,5");
    person.copyAmount(eur); // 37.5 baht at 39.5 per euro
    EXPECT_EQ(m_clipboard, "0,95");
    person.copyAmount(usd);
    EXPECT_EQ(m_clipboard, Format::money(37.5 / 39.5 * 1.08));

    QFile file(logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith("  W\u00E4hrungen: EUR, USD, THB"));
    EXPECT_TRUE(lines[1].endsWith("  Kopiert: 0,95 EUR"));
    EXPECT_TRUE(lines[2].endsWith("  Kopiert: 1,03 USD"));
    EXPECT_EQ(lines[3], "");
}

} // namespace
