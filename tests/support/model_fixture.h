#pragma once

#include "app/app_model.h"
#include "rates/rate_store.h"
#include "support/closed_port.h"
#include "support/qt_printers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A model over a store that holds given rates from its cache and cannot reach any feed, with
// settings, autostart entry and log lines of its own.
class ModelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QGuiApplication::clipboard()->clear();
    }

    static RateInfo rates(double usd = 1.08, double thb = 39.5, double pln = 4.3) {
        RateInfo info;
        info.perEur = {{"USD", usd}, {"THB", thb}, {"PLN", pln}};
        info.rateDate = "2026-12-08";
        info.fetchedAt = 787000000;
        info.source = QStringLiteral("FloatRates");
        return info;
    }

    QString settingsPath() const { return m_dir.path() + "/config/Velmora/Velmora.conf"; }
    QString autostartPath() const { return m_dir.path() + "/config/autostart/velmora.desktop"; }
    QString executablePath() const { return m_dir.path() + "/bin/velmora"; }

    void writeSetting(const QString& key, const QVariant& value) const {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.setValue(key, value);
        settings.sync();
    }
    QVariant readSetting(const QString& key) const {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key);
    }

    AppModel& model(const std::optional<RateInfo>& cached = rates()) {
        if (cached)
            writeSetting(RateStore::cacheKey, cached->toJson());
        RateStore::Options storeOptions;
        storeOptions.feeds.primaryBase = deadBase();
        storeOptions.feeds.fallbackBase = deadBase();
        storeOptions.settingsPath = settingsPath();
        m_model.reset();
        m_store = std::make_unique<RateStore>(storeOptions);

        AppModel::Options options;
        options.settingsPath = settingsPath();
        options.autostartPath = autostartPath();
        options.executablePath = executablePath();
        options.log = m_logSink ? m_logSink : [this](const QString& text) { m_log.append(text); };
        options.copiedMarkerMs = m_markerMs;
        m_model = std::make_unique<AppModel>(*m_store, options);
        return *m_model;
    }

    static QString deadBase() { return closedPortBase(); }

    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    QTemporaryDir m_dir;
    std::unique_ptr<RateStore> m_store;
    std::unique_ptr<AppModel> m_model;
    QStringList m_log;
    std::function<void(const QString&)> m_logSink; // instead of collecting lines in m_log
    int m_markerMs = 1500;
};

// Visible blank at the end of a line in the tables: "12 +␣".
inline QString line(const char16_t* text) {
    return QString::fromUtf16(text).replace(QChar(u'\u2423'), QLatin1Char(' '));
}
