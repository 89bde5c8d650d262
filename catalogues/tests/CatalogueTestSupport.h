// What the catalogue tests share: readable strings in failure messages, a working directory of
// their own for the catalogue files, list texts and a stand-in for the main window's pump line.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QString>

#include "PumpEditLine.h"
#include "QStringPrinter.h"
#include "WorkingDirectory.h"

namespace kolma::testing {

inline QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Support point texts; fields not given hold a single blank.
inline SupportPointTexts texts(const QStringList& q, const QStringList& h) {
    SupportPointTexts t;
    for (int i = 0; i < kSupportPoints; ++i) {
        t.Q[i] = q.value(i, QStringLiteral(" "));
        t.h[i] = h.value(i, QStringLiteral(" "));
    }
    return t;
}

// The type, flow and head fields of a pump input line.
struct PumpEdits {
    PumpEdits(const QStringList& q, const QStringList& h) {
        const SupportPointTexts t = texts(q, h);
        line.type = &type;
        for (int i = 0; i < kSupportPoints; ++i) {
            Q[i].setText(t.Q[i]);
            H[i].setText(t.h[i]);
            line.Q[i] = &Q[i];
            line.h[i] = &H[i];
        }
    }
    static QStringList textsOf(const QLineEdit (&edits)[kSupportPoints]) {
        QStringList out;
        for (const QLineEdit& edit : edits)
            out << edit.text();
        return out;
    }
    QLineEdit type;
    QLineEdit Q[kSupportPoints];
    QLineEdit H[kSupportPoints];
    PumpEditLine line;
};

}  // namespace kolma::testing
