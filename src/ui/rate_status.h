#pragma once

#include <QWidget>

class AppModel;
class RateStore;
class TextLine;

// Where the rates come from and how fresh they are, with a warning when the feeds failed or
// the central bank stands in: two short lines in the footer.
class RateStatus final : public QWidget {
    Q_OBJECT

public:
    RateStatus(AppModel& model, RateStore& store, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& m_model;
    RateStore& m_store;
    TextLine* const m_source;
    TextLine* const m_status;
};
