// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calc_line.h"

#include "model/calculator.h"
#include "model/format.h"

#include <QTextBoundaryFinder>

namespace {

// Spaces of every kind and tabs, but not line breaks.
bool isLineBlank(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimmedOfBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isLineBlank(text[first]))
        ++first;
    while (last > first && isLineBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

QString lastCharacter(const QString& text) {
    if (text.isEmpty())
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.toEnd();
    const qsizetype start = finder.toPreviousBoundary();
    return start < 0 ? text.right(1) : text.mid(start);
}

QString withoutLastCharacter(const QString& text) {
    return text.left(text.size() - lastCharacter(text).size());
}

bool endsWithOperator(const QString& trimmed) {
    return CalcKeys::isOperatorLabel(lastCharacter(trimmed));
}

} // namespace

bool CalcLine::apply(CalcKey key) {
    switch (key) {
    case CalcKey::clear:
        set(QString(), false);
        return true;
    case CalcKey::backspace: {
        const bool hadText = !m_text.isEmpty();
        backspace();
        return hadText;
    }
    case CalcKey::equals:
        return equals();
    case CalcKey::paste:
        return false;
    default:
        break;
    }
    if (CalcKeys::isOperator(key)) {
        appendOperator(key);
        return true;
    }
    set((m_showsResult ? QString() : m_text) + CalcKeys::label(key), false);
    return true;
}

void CalcLine::backspace() {
    m_showsResult = false;
    if (m_text.isEmpty())
        return;
    // A result of "=" or a typed figure loses its last character; an operator goes with its
    // blanks in one step.
    if (!m_text.endsWith(QLatin1Char(' '))) {
        set(withoutLastCharacter(m_text), false);
        return;
    }
    QString line = trimmedOfBlanks(m_text);
    if (endsWithOperator(line))
        line = withoutLastCharacter(line);
    set(trimmedOfBlanks(line), false);
}

void CalcLine::appendOperator(CalcKey op) {
    QString line = trimmedOfBlanks(m_text);
    if (endsWithOperator(line))
        line = trimmedOfBlanks(withoutLastCharacter(line));
    const QString label = CalcKeys::label(op);
    if (!line.isEmpty())
        set(line + QLatin1Char(' ') + label + QLatin1Char(' '), false);
    else // only a minus can start a line: the sign of a negative number
        set(op == CalcKey::minus ? label : QString(), false);
}

bool CalcLine::equals() {
    const auto result = value();
    if (!result)
        return false;
    set(Format::plain(*result), true);
    return true;
}

bool CalcLine::paste(const QString& clipboardText) {
    const QString cleaned = Calculator::cleanPasted(clipboardText);
    if (cleaned.isEmpty())
        return false;
    QString piece = cleaned; // a calculation arrives as it is, unevaluated
    if (!Calculator::isExpression(cleaned)) {
        const auto figure = Calculator::evaluate(cleaned);
        if (!figure)
            return false;
        piece = Format::plain(*figure);
    }
    set(waitsForNumber() ? m_text + piece : piece, false);
    return true;
}

bool CalcLine::insert(const QString& figure) {
    const bool appending = waitsForNumber();
    set(appending ? m_text + figure : figure, false);
    return appending;
}

void CalcLine::clear() {
    set(QString(), false);
}

bool CalcLine::waitsForNumber() const {
    const QString line = trimmedOfBlanks(m_text);
    if (line.isEmpty())
        return false;
    return endsWithOperator(line) || lastCharacter(line) == QLatin1String("(");
}

std::optional<double> CalcLine::value() const {
    if (auto result = Calculator::evaluate(m_text))
        return result;
    return Calculator::evaluate(Calculator::cleanPasted(m_text));
}

std::optional<QString> CalcLine::preview() const {
    if (!Calculator::isExpression(m_text))
        return std::nullopt;
    const auto result = Calculator::evaluate(m_text);
    if (!result)
        return std::nullopt;
    return QStringLiteral("= ") + Format::number(*result, 2);
}

void CalcLine::set(const QString& text, bool showsResult) {
    m_text = text;
    m_showsResult = showsResult;
}
