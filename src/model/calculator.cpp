// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calculator.h"

#include "model/currency.h"

#include <QTextBoundaryFinder>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Token {
    enum class Kind { number, op, open, close };
    Kind kind;
    double value = 0;
    char op = 0; // one of + - * / for Kind::op
};

QString withoutCurrencyNames(const QString& text) {
    QString result = text;
    const QString blank(QLatin1Char(' '));
    for (const QString& word : Currencies::pastedWords())
        result.replace(word, blank, Qt::CaseInsensitive);
    for (const QString& symbol : Currencies::pastedSymbols())
        result.replace(symbol, blank, Qt::CaseSensitive);
    return result;
}

// Calls f(cluster) for every grapheme cluster of the text, in order.
template<typename F> void forEachGrapheme(const QString& text, F&& f) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype next = finder.toNextBoundary();
        if (next <= start) // defensive: never loop on a finder that stops advancing
            next = text.size();
        f(QStringView(text).mid(start, next - start));
        start = next;
    }
}

bool isSkippedBlank(char16_t c) {
    switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\r':
    case u'\u00A0':
    case u'\u202F':
    case u'\u2009':
        return true;
    default:
        return false;
    }
}

char operatorFor(char16_t c) {
    switch (c) {
    case u'+':
        return '+';
    case u'-':
    case u'\u2212':
    case u'\u2013':
    case u'\u2014':
        return '-';
    case u'*':
    case u'\u00D7':
    case u'x':
    case u'X':
    case u'\u00B7':
        return '*';
    case u'/':
    case u'\u00F7':
    case u':':
        return '/';
    default:
        return 0;
    }
}

// Reads a figure made of ASCII digits, "." and ",". A lone separator is the decimal one,
// repeated ones group thousands, and with both kinds present the last one decides.
std::optional<double> readFigure(std::string figure) {
    const auto commas = std::count(figure.begin(), figure.end(), ',');
    const auto stops = std::count(figure.begin(), figure.end(), '.');
    auto removeAll = [&figure](char c) { std::erase(figure, c); };

    if (commas > 0 && stops > 0) {
        if (figure.rfind(',') > figure.rfind('.')) {
            if (commas != 1)
                return std::nullopt;
            removeAll('.');
            std::replace(figure.begin(), figure.end(), ',', '.');
        } else {
            if (stops != 1)
                return std::nullopt;
            removeAll(',');
        }
    } else if (commas >= 2) {
        removeAll(',');
    } else if (commas == 1) {
        std::replace(figure.begin(), figure.end(), ',', '.');
    } else if (stops >= 2) {
        removeAll('.');
    }

    if (figure.empty() || figure == ".")
        return std::nullopt;
    double value = 0;
    const char* first = figure.data();
    const char* last = first + figure.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (end != last)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too many digits for a double: a long integer part overflows, a long run of leading
        // fraction zeros underflows. Either way the figure is readable; the result check of
        // evaluate() then refuses an infinite value.
        const auto dot = figure.find('.');
        const std::string whole = figure.substr(0, dot);
        const bool big = whole.find_first_not_of('0') != std::string::npos;
        return big ? HUGE_VAL : 0.0;
    }
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

std::optional<std::vector<Token>> tokenize(const QString& input) {
    const QString text = withoutCurrencyNames(input);
    std::vector<Token> tokens;
    std::string figure;
    bool readable = true;

    auto flush = [&]() -> bool {
        if (figure.empty())
            return true;
        const auto value = readFigure(figure);
        figure.clear();
        if (!value)
            return false;
        tokens.push_back({Token::Kind::number, *value, 0});
        return true;
    };

    forEachGrapheme(text, [&](QStringView cluster) {
        if (!readable)
            return;
        // Every accepted character is a single UTF-16 unit; a longer cluster ("\r\n", a digit
        // with a combining mark, a surrogate pair) is unreadable.
        if (cluster.size() != 1) {
            readable = false;
            return;
        }
        const char16_t c = cluster[0].unicode();
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u',') {
            figure.push_back(static_cast<char>(c));
            return;
        }
        if (isSkippedBlank(c))
            return;
        Token token{Token::Kind::op, 0, 0};
        if (const char op = operatorFor(c))
            token.op = op;
        else if (c == u'(')
            token.kind = Token::Kind::open;
        else if (c == u')')
            token.kind = Token::Kind::close;
        else {
            readable = false;
            return;
        }
        if (!flush()) {
            readable = false;
            return;
        }
        tokens.push_back(token);
    });

    if (!readable || !flush())
        return std::nullopt;
    return tokens;
}

class Parser final {
public:
    explicit Parser(const std::vector<Token>& tokens)
        : m_tokens(tokens) {}

    bool atEnd() const { return m_pos >= m_tokens.size(); }

    std::optional<double> expression() {
        auto value = term();
        while (value && isOp('+', '-')) {
            const char op = m_tokens[m_pos++].op;
            const auto rhs = term();
            if (!rhs)
                return std::nullopt;
            *value = op == '+' ? *value + *rhs : *value - *rhs;
        }
        return value;
    }

private:
    std::optional<double> term() {
        auto value = factor();
        while (value && isOp('*', '/')) {
            const char op = m_tokens[m_pos++].op;
            const auto rhs = factor();
            if (!rhs)
                return std::nullopt;
            if (op == '*') {
                *value *= *rhs;
            } else {
                if (*rhs == 0.0)
                    return std::nullopt;
                *value /= *rhs;
            }
        }
        return value;
    }

    std::optional<double> factor() {
        if (atEnd())
            return std::nullopt;
        // Signs and parentheses recurse; a bound on their nesting keeps pasted text from
        // exhausting the stack.
        if (m_depth >= Calculator::maxNesting)
            return std::nullopt;
        const Token& token = m_tokens[m_pos++];
        switch (token.kind) {
        case Token::Kind::number:
            return token.value;
        case Token::Kind::close:
            return std::nullopt;
        case Token::Kind::op: {
            if (token.op != '-' && token.op != '+')
                return std::nullopt;
            ++m_depth;
            auto value = factor();
            --m_depth;
            if (value && token.op == '-')
                *value = -*value;
            return value;
        }
        case Token::Kind::open: {
            ++m_depth;
            const auto value = expression();
            --m_depth;
            if (!value || atEnd() || m_tokens[m_pos].kind != Token::Kind::close)
                return std::nullopt;
            ++m_pos;
            return value;
        }
        }
        return std::nullopt;
    }

    bool isOp(char a, char b) const {
        return !atEnd() && m_tokens[m_pos].kind == Token::Kind::op &&
               (m_tokens[m_pos].op == a || m_tokens[m_pos].op == b);
    }

    const std::vector<Token>& m_tokens;
    std::size_t m_pos = 0;
    int m_depth = 0;
};

bool isCopiedSymbol(char16_t c) {
    return QStringView(u".,+-\u2212\u2013*\u00D7/\u00F7()").contains(QChar(c));
}

bool isStrippedAtStart(QChar c) {
    return QStringView(u"+*\u00D7/\u00F7., ").contains(c);
}

bool isStrippedAtEnd(QChar c) {
    return QStringView(u"+-\u2212\u2013*\u00D7/\u00F7., ").contains(c);
}

bool isNumeric(QStringView cluster) {
    if (cluster.isEmpty())
        return false;
    char32_t first = cluster[0].unicode();
    if (cluster.size() > 1 && cluster[0].isHighSurrogate() && cluster[1].isLowSurrogate())
        first = QChar::surrogateToUcs4(cluster[0], cluster[1]);
    return QChar::isNumber(first);
}

} // namespace

namespace Calculator {

std::optional<double> evaluate(const QString& text) {
    const auto tokens = tokenize(text);
    if (!tokens || tokens->empty())
        return std::nullopt;
    Parser parser(*tokens);
    const auto value = parser.expression();
    if (!value || !parser.atEnd() || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

bool isExpression(const QString& text) {
    const auto tokens = tokenize(text);
    return tokens && tokens->size() >= 3;
}

QString cleanPasted(const QString& input) {
    const QString text = withoutCurrencyNames(input);

    std::vector<QStringView> clusters;
    forEachGrapheme(text, [&clusters](QStringView cluster) { clusters.push_back(cluster); });

    auto isSpace = [](QStringView cluster) { return cluster == u" "; };
    auto numericNeighbour = [&](std::size_t i, int step) {
        for (std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + step;
             j >= 0 && j < static_cast<std::ptrdiff_t>(clusters.size()); j += step) {
            if (!isSpace(clusters[static_cast<std::size_t>(j)]))
                return isNumeric(clusters[static_cast<std::size_t>(j)]);
        }
        return false;
    };

    QString out;
    out.reserve(text.size());
    auto append = [&out](QChar c) {
        // Runs of spaces collapse as they are written, and none leads.
        if (c == QLatin1Char(' ') && (out.isEmpty() || out.back() == QLatin1Char(' ')))
            return;
        out.append(c);
    };

    for (std::size_t i = 0; i < clusters.size(); ++i) {
        const QStringView cluster = clusters[i];
        const char16_t c = cluster.size() == 1 ? cluster[0].unicode() : 0;
        if ((c >= u'0' && c <= u'9') || (c != 0 && isCopiedSymbol(c)))
            append(QChar(c));
        else if (c == u'x' || c == u'X')
            append(numericNeighbour(i, -1) && numericNeighbour(i, +1) ? QChar(u'\u00D7')
                                                                      : QLatin1Char(' '));
        else
            append(QLatin1Char(' '));
    }

    qsizetype first = 0;
    while (first < out.size() && isStrippedAtStart(out[first]))
        ++first;
    qsizetype last = out.size();
    while (last > first && isStrippedAtEnd(out[last - 1]))
        --last;
    return out.mid(first, last - first);
}

} // namespace Calculator
