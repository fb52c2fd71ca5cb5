// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_model.h"
#include "model/current_rates.h"
#include "platform/autostart_entry.h"
#include "support/qt_printers.h"
#include "support/sample_data.h"

#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

// Rates that stay as the test set them.
class FixedRates final : public CurrentRates {
public:
    const std::optional<RateInfo>& info() const override { return record; }
    std::optional<RateInfo> record;
};

// A clock and the model's delays, both moved on by hand: advance() runs every delay that falls
// due, in the order they fall due, and skips those whose context is gone.
class ManualTime final {
public:
    QDateTime now() const { return m_start.addMSecs(m_elapsedMs); }

    AppModel::Delay delay() {
        return [this](int ms, QObject* context, std::function<void()> work) {
            m_pending.push_back({m_elapsedMs + ms, m_sequence++, context, std::move(work)});
        };
    }

    void advance(qint64 ms) {
        const qint64 target = m_elapsedMs + ms;
        for (;;) {
            auto next = std::min_element(m_pending.begin(), m_pending.end(), [](auto& a, auto& b) {
                return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.sequence < b.sequence;
            });
            if (next == m_pending.end() || next->dueMs > target)
                break;
            Pending due = std::move(*next);
            m_pending.erase(next);
            m_elapsedMs = due.dueMs;
            if (due.context)
                due.work();
        }
        m_elapsedMs = target;
    }

private:
    struct Pending {
        qint64 dueMs;
        int sequence;
        QPointer<QObject> context;
        std::function<void()> work;
    };

    QDateTime m_start{QDate(2026, 12, 8), QTime(19, 30)};
    qint64 m_elapsedMs = 0;
    int m_sequence = 0;
    std::vector<Pending> m_pending;
};

// A model over fixed rates, with settings, autostart entry, clipboard, clock and log lines of
// its own.
class ModelTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    AppModel& model(const std::optional<RateInfo>& rates = sampleRates()) {
        m_rates.record = rates;
        return modelOver(m_rates);
    }

    AppModel& modelOver(const CurrentRates& rates) {
        m_model.reset();
        AppModel::Options options;
        options.settings = settings();
        options.clock = [this] { return m_time.now(); };
        options.delay = m_delay ? *m_delay : m_time.delay();
        options.log = [this](const QString& text) { note(text); };
        options.clipboardText = [this] { return m_clipboard; };
        options.setClipboardText = [this](const QString& text) { m_clipboard = text; };
        const AutostartEntry autostart(autostartPath(), executablePath());
        options.loginItemRegistered = [autostart] { return autostart.isRegistered(); };
        options.registerLoginItem = [autostart](bool on) { return autostart.setRegistered(on); };
        options.copiedMarkerMs = m_markerMs;
        m_model = std::make_unique<AppModel>(rates, options);
        return *m_model;
    }

    // Its log lines go where the model's go.
    SettingsStore settings() {
        return SettingsStore(settingsPath(), [this](const QString& text) { note(text); });
    }
    QString settingsPath() const { return m_dir.path() + "/config/Velmora/Velmora.conf"; }
    QString autostartPath() const { return m_dir.path() + "/config/autostart/velmora.desktop"; }
    QString executablePath() const { return m_dir.path() + "/bin/velmora"; }

    void writeSetting(const char* key, const QVariant& value) const {
        writeRawSetting(SettingsStore(settingsPath()), key, value);
    }
    QVariant readSetting(const char* key) const {
        return readRawSetting(SettingsStore(settingsPath()), key);
    }

    void note(const QString& text) {
        if (m_logSink)
            m_logSink(text);
        else
            m_log.append(text);
    }

    // Presses the keys whose labels are the characters of `keys`: u"12×3".
    static void type(AppModel& m, QStringView keys) {
        for (QChar c : keys) {
            const auto key = CalcKeys::fromLabel(QStringView(&c, 1));
            ASSERT_TRUE(key.has_value()) << QString(c).toStdString();
            m.press(*key);
        }
    }

    QTemporaryDir m_dir;
    FixedRates m_rates;
    ManualTime m_time;
    std::optional<AppModel::Delay> m_delay; // instead of the manual time's delays
    std::unique_ptr<AppModel> m_model;
    std::optional<QString> m_clipboard;
    QStringList m_log;
    std::function<void(const QString&)> m_logSink; // instead of collecting lines in m_log
    int m_markerMs = 1500;
};
