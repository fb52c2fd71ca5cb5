// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt_printers.h"
#include "ui/footer_text.h"

#include <gtest/gtest.h>

namespace {

const QDateTime now(QDate(2026, 12, 8), QTime(15, 0));

RateInfo record(std::optional<QString> source, std::optional<QTime> quoted) {
    RateInfo info;
    info.perEur = {{"USD", 1.08}, {"THB", 38.1}, {"PLN", 4.3}};
    info.rateDate = "2026-12-07";
    info.fetchedAt = Timestamps::fromDateTime(QDateTime(QDate(2026, 12, 8), QTime(9, 5)));
    info.source = source;
    if (quoted)
        info.quotedAt = Timestamps::fromDateTime(QDateTime(QDate(2026, 12, 8), *quoted));
    return info;
}

TEST(FooterText, SourceAndStatusInEveryState) {
    struct Row {
        const char* name;
        std::optional<RateInfo> info;
        bool loading, failed;
        const char16_t* source;
        const char* base;
        const char* warning;
    };
    const auto primary = record(QStringLiteral("FloatRates"), QTime(1, 0, 1));
    const Row rows[] = {
        {"first start, loading", std::nullopt, true, false, u"Kurse werden geladen \u2026", " ",
         ""},
        {"no record, not loading", std::nullopt, false, false, u"Noch kein Kurs", " ", ""},
        {"no record, failed", std::nullopt, false, true, u"Noch kein Kurs", " ",
         "  Keine Verbindung"},
        {"primary with quote", primary, false, false, u"FloatRates, 01:00 Uhr",
         "aktualisiert 09:05 Uhr", ""},
        {"primary, failed since", primary, true, true, u"FloatRates, 01:00 Uhr",
         "aktualisiert 09:05 Uhr", "  Keine Verbindung"},
        {"primary without quote", record(QStringLiteral("FloatRates"), std::nullopt), false, false,
         u"FloatRates", "aktualisiert 09:05 Uhr", ""},
        {"fallback", record(QStringLiteral("EZB"), std::nullopt), false, false, u"EZB, 07.12.26",
         "aktualisiert 09:05 Uhr", "  EZB als Ersatz"},
        {"fallback and failed: failure wins", record(QStringLiteral("EZB"), std::nullopt), false,
         true, u"EZB, 07.12.26", "aktualisiert 09:05 Uhr", "  Keine Verbindung"},
        {"no source counts as fallback", record(std::nullopt, QTime(1, 0)), false, false,
         u"EZB, 07.12.26", "aktualisiert 09:05 Uhr", "  EZB als Ersatz"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FooterText::sourceLine(row.info, row.loading, now),
                  QString::fromUtf16(row.source));
        const auto status = FooterText::statusLine(row.info, row.failed, now);
        EXPECT_EQ(status.base, row.base);
        EXPECT_EQ(status.warning, row.warning);
    }
}

} // namespace
