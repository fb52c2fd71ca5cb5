// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/calc_key.h"

#include <QString>

#include <optional>

// The calculator's input line and the rules by which keys, pastes and inserted rates edit it.
// A plain value: no clipboard, no signals; the model around it announces the changes.
//
// The line is free text. The rules only shape it (operators between single blanks, one operator
// at a time, a leading minus); whether it is a calculation is decided when it is evaluated.
class CalcLine final {
public:
    const QString& text() const { return m_text; }
    // The line holds the result of "=": the next key that types itself starts a new line.
    bool showsResult() const { return m_showsResult; }

    // One key. Returns whether the line was written, also when its text stayed the same; a key
    // that cannot act (backspace on an empty line, "=" without a value) returns false. Paste is
    // no key here, since it needs the clipboard: see paste().
    bool apply(CalcKey key);
    // Clipboard text, cleaned down to a figure or a calculation. False when nothing usable is in
    // it.
    bool paste(const QString& clipboardText);
    // A figure (a rate) that continues a line waiting for a number or else replaces the line.
    // Returns true when it was appended.
    bool insert(const QString& figure);
    void clear();

    // The trimmed line ends with an operator or "(".
    bool waitsForNumber() const;
    // As written, else as cleaned, so that "12 + " still counts as 12.
    std::optional<double> value() const;
    // "= 37,50" under a complete calculation; nothing under a single figure.
    std::optional<QString> preview() const;

private:
    void backspace();
    void appendOperator(CalcKey op);
    bool equals();
    void set(const QString& text, bool showsResult);

    QString m_text;
    bool m_showsResult = false;
};
