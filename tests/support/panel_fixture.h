// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rates/rate_store.h"
#include "support/feeds.h"
#include "support/model_fixture.h"
#include "ui/panel_view.h"

#include <QCoreApplication>

#include <memory>

// The panel's views over a store that serves the cached record and refreshes only when asked,
// against a feed that cannot be reached; quits are counted.
class PanelFixture : public ModelTest {
protected:
    PanelView& panel(const std::optional<RateInfo>& cached = sampleRates()) {
        TearDown();
        if (cached)
            settings().setCachedRates(cached->toJson());
        RateStore::Options options;
        options.feeds.primaryBase = closedPortBase();
        options.feeds.fallbackBase = options.feeds.primaryBase;
        options.settings = settings();
        options.refreshesByItself = false;
        m_store = std::make_unique<RateStore>(options);
        m_panel = std::make_unique<PanelView>(modelOver(*m_store), *m_store);
        QObject::connect(m_panel.get(), &PanelView::quitRequested, [this] { ++m_quits; });
        m_panel->show();
        QCoreApplication::processEvents();
        return *m_panel;
    }
    void TearDown() override {
        m_panel.reset();
        m_model.reset();
        m_store.reset();
    }

    std::unique_ptr<RateStore> m_store;
    std::unique_ptr<PanelView> m_panel;
    int m_quits = 0;
};
