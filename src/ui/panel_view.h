// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppModel;
class CalculatorCard;
class FooterBar;
class LiveRates;

// The panel's content: the calculator card above the footer, 543 points wide, on the theme's
// rounded background with its outline. Redraws on every change of the model or the store,
// and hands the theme's colours to what Qt draws itself (check box, tool tips).
class PanelView final : public QWidget {
    Q_OBJECT

public:
    PanelView(AppModel& model, LiveRates& rates, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Re-reads everything; connected to every change signal of the model and the store.
    void refresh();

signals:
    // The footer's "Beenden".
    void quitRequested();
    // The content's fitting size changed: rows came or went, the euro row was emphasised or
    // not, a warning took a line of its own. The window follows with a refit.
    void fittingSizeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyScheme();
    void orderFocus();

    AppModel& m_model;
    LiveRates& m_rates;
    CalculatorCard* m_card;
    FooterBar* m_footer;
    QString m_schemeFor;
    QList<QWidget*> m_focusOrder;
};
