// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/footer_text.h"

#include "model/format.h"

namespace FooterText {

QString sourceLine(const std::optional<RateInfo>& info, bool isLoading, const QDateTime& now) {
    if (!info)
        return isLoading ? QStringLiteral("Kurse werden geladen \u2026")
                         : QStringLiteral("Noch kein Kurs");
    if (info->isFallback())
        return QStringLiteral("EZB, ") + Format::rateDate(info->rateDate);
    QString line = info->source.value_or(QString());
    if (info->quotedAt)
        line += QStringLiteral(", ") + Format::stamp(*info->quotedAt, now);
    return line;
}

Status statusLine(const std::optional<RateInfo>& info, bool hasFailed, const QDateTime& now) {
    Status status;
    status.base = info ? QStringLiteral("aktualisiert ") + Format::stamp(info->fetchedAt, now)
                       : QStringLiteral(" ");
    if (hasFailed)
        status.warning = QStringLiteral("  Keine Verbindung");
    else if (info && info->isFallback())
        status.warning = QStringLiteral("  EZB als Ersatz");
    return status;
}

} // namespace FooterText
