// Long lists in messages: a box with a thousand node numbers or file lines helps nobody and may
// not even fit the screen, so a message names the first few and how many there are in all.
#pragma once

#include <QStringList>

namespace kolma {

// The first `shown` items, followed by "… (insgesamt n)" when there are more; with a unit,
// "… (insgesamt n Zeilen)".
inline QStringList shortened(const QStringList& items, int shown, const QString& unit = {}) {
    if (items.size() <= shown)
        return items;
    QStringList listed = items.mid(0, shown);
    listed << (unit.isEmpty() ? QStringLiteral("… (insgesamt %1)").arg(items.size())
                              : QStringLiteral("… (insgesamt %1 %2)").arg(items.size()).arg(unit));
    return listed;
}

}  // namespace kolma
