// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QStringView>

namespace scriptlang {

// A name as a hash key, without a copy: a view into the script or a table kept alive elsewhere.
// Hashed and compared inline; the checker looks names up at nearly every token.
struct NameKey {
    QStringView text;
    NameKey(QStringView view) : text(view) {} // NOLINT: converts implicitly on purpose
    NameKey(const QString& string) : text(string) {}

    friend bool operator==(NameKey a, NameKey b)
    {
        if (a.text.size() != b.text.size())
            return false;
        for (qsizetype i = 0; i < a.text.size(); ++i) {
            if (a.text[i] != b.text[i])
                return false;
        }
        return true;
    }
};

inline size_t qHash(NameKey key, size_t seed = 0)
{
    size_t h = 1469598103934665603ULL ^ seed;
    for (QChar c : key.text)
        h = (h ^ c.unicode()) * 1099511628211ULL;
    return h;
}

} // namespace scriptlang
