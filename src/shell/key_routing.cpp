#include "shell/key_routing.h"

namespace KeyRouting {

std::optional<Action> route(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    auto press = [](const QString& key) { return Action{Action::Kind::press, key}; };

    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return press(QStringLiteral("="));
    case Qt::Key_Backspace:
        return press(QStringLiteral("\u232B"));
    case Qt::Key_Delete:
        return press(QStringLiteral("C"));
    case Qt::Key_Escape:
        return Action{Action::Kind::hide, {}};
    default:
        break;
    }

    if (text.size() != 1)
        return std::nullopt;
    const QChar c = text[0];
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('(') || c == QLatin1Char(')'))
        return press(text);
    switch (c.unicode()) {
    case u',':
    case u'.':
        return press(QStringLiteral(","));
    case u'+':
        return press(QStringLiteral("+"));
    case u'-':
        return press(QStringLiteral("\u2212"));
    case u'*':
    case u'x':
    case u'X':
        return press(QStringLiteral("\u00D7"));
    case u'/':
    case u':':
        return press(QStringLiteral("\u00F7"));
    case u'=':
        return press(QStringLiteral("="));
    case u'c':
    case u'C':
        return press(QStringLiteral("C"));
    default:
        return std::nullopt;
    }
}

} // namespace KeyRouting
