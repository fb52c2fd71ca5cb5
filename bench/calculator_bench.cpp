// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calculator.h"

#include <benchmark/benchmark.h>

namespace {

// A pasted block the size of a long spreadsheet column: figures, German separators,
// operators, currency names and line breaks, repeated up to the wanted length.
QString pastedText(qsizetype bytes) {
    const QString line = QString::fromUtf16(u"1.234,56 EUR + 7,5 \u00D7 (3 - 1) Total 12 x 3\n");
    QString text;
    text.reserve(bytes + line.size());
    while (text.size() * 2 < bytes) // UTF-16: two bytes a character
        text += line;
    return text;
}

// The same size, but a text the calculator reads to the end: one long sum.
QString longSum(qsizetype bytes) {
    const QString term = QStringLiteral("12,5 \u00D7 3 + ");
    QString text;
    while (text.size() * 2 < bytes)
        text += term;
    return text + QLatin1Char('1');
}

void BM_EvaluateTypicalLine(benchmark::State& state) {
    const QString line = QString::fromUtf16(u"12,5 \u00D7 3");
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculator::evaluate(line));
}
BENCHMARK(BM_EvaluateTypicalLine);

void BM_CleanPastedTypicalLine(benchmark::State& state) {
    const QString line = QString::fromUtf16(u"12,5 \u00D7 3");
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculator::cleanPasted(line));
}
BENCHMARK(BM_CleanPastedTypicalLine);

void BM_EvaluateLarge(benchmark::State& state) {
    const QString text = longSum(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculator::evaluate(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EvaluateLarge)
    ->Arg(256 << 10)
    ->Arg(512 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

void BM_CleanPastedLarge(benchmark::State& state) {
    const QString text = pastedText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculator::cleanPasted(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CleanPastedLarge)
    ->Arg(256 << 10)
    ->Arg(512 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

} // namespace
