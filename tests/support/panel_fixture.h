// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/live_rates.h"
#include "support/model_fixture.h"
#include "ui/panel_view.h"

#include <QCoreApplication>

#include <memory>

// Rates whose refreshes the test ends by hand, with the signals the rate store sends: refresh()
// starts one, fail() ends it as a refresh that reached neither feed does.
class ManualRates final : public LiveRates {
public:
    explicit ManualRates(std::optional<RateInfo> record)
        : m_record(std::move(record)) {}

    const std::optional<RateInfo>& info() const override { return m_record; }
    bool isLoading() const override { return m_loading; }
    bool hasFailed() const override { return m_failed; }
    void refresh() override {
        if (m_loading)
            return;
        ++m_refreshes;
        m_loading = true;
        emit isLoadingChanged();
    }

    void fail() {
        m_failed = true;
        emit hasFailedChanged();
        m_loading = false;
        emit isLoadingChanged();
    }
    int refreshes() const { return m_refreshes; }

private:
    std::optional<RateInfo> m_record;
    bool m_loading = false;
    bool m_failed = false;
    int m_refreshes = 0;
};

// The panel's views over rates that hold the given record and refresh only when the test says
// how a refresh ends; quits are counted.
class PanelFixture : public ModelTest {
protected:
    PanelView& panel(const std::optional<RateInfo>& record = sampleRates()) {
        TearDown();
        m_live = std::make_unique<ManualRates>(record);
        m_panel = std::make_unique<PanelView>(modelOver(*m_live), *m_live);
        QObject::connect(m_panel.get(), &PanelView::quitRequested, [this] { ++m_quits; });
        m_panel->show();
        QCoreApplication::processEvents();
        return *m_panel;
    }
    void TearDown() override {
        m_panel.reset();
        m_model.reset();
        m_live.reset();
    }

    std::unique_ptr<ManualRates> m_live;
    std::unique_ptr<PanelView> m_panel;
    int m_quits = 0;
};
