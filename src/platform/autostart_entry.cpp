// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Desktop-entry quoting: the argument in double quotes, with ", `, $ and \ escaped, and % doubled
// because Exec treats it as a field code.
QString quoteExecArgument(const QString& argument) {
    QString quoted;
    quoted.reserve(argument.size() + 2);
    quoted += QLatin1Char('"');
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

// A value is a string first and an Exec line second, so its backslashes are escaped twice.
QString escapeValue(const QString& value) {
    QString out = value;
    return out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
}

// The string-level escapes of a desktop-entry value (\s, \n, \t, \r, \\).
QString unescapeValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            if (next == QLatin1Char('s'))
                out += QLatin1Char(' ');
            else if (next == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else if (next == QLatin1Char('t'))
                out += QLatin1Char('\t');
            else if (next == QLatin1Char('r'))
                out += QLatin1Char('\r');
            else if (next == QLatin1Char('\\'))
                out += QLatin1Char('\\');
            else
                out += QLatin1Char('\\') + QString(next);
        } else {
            out += value[i];
        }
    }
    return out;
}

std::optional<QString> firstArgument(const QString& exec) {
    qsizetype i = 0;
    while (i < exec.size() && exec[i].isSpace())
        ++i;
    if (i >= exec.size())
        return std::nullopt;
    QString arg;
    if (exec[i] == QLatin1Char('"')) {
        for (++i; i < exec.size(); ++i) {
            const QChar c = exec[i];
            if (c == QLatin1Char('"'))
                return arg.replace(QLatin1String("%%"), QLatin1String("%"));
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                arg += exec[++i];
            else
                arg += c;
        }
        return std::nullopt; // unterminated quote
    }
    while (i < exec.size() && !exec[i].isSpace())
        arg += exec[i++];
    return arg.replace(QLatin1String("%%"), QLatin1String("%"));
}

bool sameProgram(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

QByteArray AutostartEntry::desktopEntry(const QString& executable) {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Velmora\n"
                                        "Comment=W\u00E4hrungsrechner mit Taschenrechner\n"
                                        "Exec=%1 --autostart\n"
                                        "Icon=velmora\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escapeValue(quoteExecArgument(executable)));
    return text.toUtf8();
}

std::optional<QString> AutostartEntry::execProgram(const QByteArray& entry) {
    bool inMainGroup = false;
    std::optional<QString> program;
    for (const QByteArray& rawLine : entry.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true")) ||
            (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return std::nullopt;
        if (key == QLatin1String("Exec"))
            program = firstArgument(unescapeValue(value));
    }
    return program;
}

bool AutostartEntry::isRegistered() const {
    QFile file(m_entryPath);
    // Real entries are a few hundred bytes; refuse to slurp something else put there.
    if (file.size() > 64 * 1024 || !file.open(QIODevice::ReadOnly))
        return false;
    const auto program = execProgram(file.readAll());
    return program && sameProgram(*program, m_executable);
}

std::optional<QString> AutostartEntry::setRegistered(bool on) const {
    const auto failed = [this](const QString& why) {
        return std::optional<QString>(m_entryPath + QLatin1String(": ") + why);
    };
    if (!on) {
        QFile file(m_entryPath);
        if (!QFileInfo::exists(m_entryPath) || file.remove())
            return std::nullopt;
        return failed(file.errorString());
    }
    const QString folder = QFileInfo(m_entryPath).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("Ordner %1 l\u00E4sst sich nicht anlegen").arg(folder));
    QSaveFile file(m_entryPath);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    file.write(desktopEntry(m_executable));
    if (!file.commit())
        return failed(file.errorString());
    return std::nullopt;
}
