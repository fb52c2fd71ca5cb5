// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/current_rates.h"

#include <QObject>

// What the panel shows of the rates: the record in use, whether a refresh is running and whether
// the last one failed, with a signal for each, and a way to ask for a refresh. The views see
// only this, so that they build and test without anything that touches the network.
class LiveRates : public QObject, public CurrentRates {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isLoading() const = 0;
    virtual bool hasFailed() const = 0;
    // Starts a refresh unless one is running; a request during a refresh is dropped.
    virtual void refresh() = 0;

signals:
    // Emitted on every assignment, also when the value did not change.
    void infoChanged();
    void isLoadingChanged();
    void hasFailedChanged();
};
