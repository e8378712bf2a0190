// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The store in which a control saves its properties with the window that
// holds it. Keys compare without regard to case and are kept in lower case in
// the order they were first written; a value equal to its default is not
// stored, and a missing key reads as the default.
//
// Values are QVariants holding qint64 (integers and colours), double, bool,
// QString, QFont or runtime::Picture.

namespace runtime {

// True when the value is one of the integer or floating-point types.
bool isNumber(const QVariant &value);

class PropertyBag
{
public:
    struct Entry {
        QString key; // lower case
        QVariant value;
    };

    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});

    bool contains(const QString &name) const;
    // Stores without comparing with a default (for readers of saved files).
    void set(const QString &name, const QVariant &value);
    void remove(const QString &name);
    const QList<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // True when two values stand for the same property value (1 and 1.0, 15 and 15 as qint64).
    static bool sameValue(const QVariant &a, const QVariant &b);

private:
    qsizetype indexOf(const QString &name) const;

    QList<Entry> m_entries;
};

} // namespace runtime
