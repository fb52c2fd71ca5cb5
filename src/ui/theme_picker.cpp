#include "ui/theme_picker.h"

#include "app/app_model.h"
#include "ui/painting.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPainter>

namespace {

class Swatch final : public QAbstractButton {
public:
    Swatch(AppModel& model, const Theme& theme, QWidget* parent)
        : QAbstractButton(parent), m_model(model), m_theme(theme) {
        setObjectName(QStringLiteral("swatch-") + theme.id);
        setFixedSize(18, 18);
        setFocusPolicy(Qt::NoFocus);
        setToolTip(QStringLiteral("Farbthema ") + theme.name);
        setAccessibleName(toolTip());
        connect(this, &QAbstractButton::clicked, this, [this] { m_model.setTheme(m_theme); });
    }

    bool isCurrent() const { return m_model.theme().id == m_theme.id; }
    QSize sizeHint() const override { return {18, 18}; }

protected:
    bool hitButton(const QPoint& pos) const override {
        const QPointF d = QPointF(pos) - QRectF(rect()).center();
        return d.x() * d.x() + d.y() * d.y() <= 81.0;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF circle(0, 0, 18, 18);
        p.setPen(Qt::NoPen);
        p.setBrush(Painting::color(m_theme.background));
        p.drawEllipse(circle);
        p.setBrush(Painting::color(m_theme.accent));
        p.drawEllipse(QRectF(6, 6, 6, 6));

        // The ring lies inside the circle's edge, in the colours of the theme in use.
        const Theme& current = m_model.theme();
        const qreal width = isCurrent() ? 2.0 : 1.0;
        p.setPen(QPen(isCurrent() ? Painting::color(current.accent) : Painting::color(current.text, 0.3), width));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(circle.adjusted(width / 2, width / 2, -width / 2, -width / 2));
        p.restore();
    }

private:
    AppModel& m_model;
    Theme m_theme;
};

} // namespace

ThemePicker::ThemePicker(AppModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("themePicker"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (const Theme& theme : Theme::all())
        layout->addWidget(new Swatch(model, theme, this));
}

void ThemePicker::refresh() {
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}
