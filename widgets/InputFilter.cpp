#include "InputFilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kolma {
namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool typesCharacter(QChar c) {
    const bool control = c.unicode() < 0x20 || c.unicode() == 0x7f;
    return !control || c == QLatin1Char('\b') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool letsThrough(InputFilter kind, QChar c) {
    switch (kind) {
        case InputFilter::WholeNumber:
        case InputFilter::WholeNumberBlankToOne:
            return isDigit(c);
        case InputFilter::Decimal:
            return isDigit(c) || c == QLatin1Char(',');
        case InputFilter::NoBlank:
            return c != QLatin1Char(' ');
        case InputFilter::NoneAccepted:
            return false;
    }
    return false;
}

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QLineEdit* edit, InputFilter kind) : QObject(edit), edit_(edit), kind_(kind) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;
        // Tab, Escape and Delete carry control characters but type nothing: focus moves and
        // dialogs close as everywhere else. Backspace and Enter are characters to the filters.
        if (!typesCharacter(key->text().front()))
            return false;
        const bool pass = letsThrough(kind_, key->text().front());
        if (kind_ == InputFilter::WholeNumberBlankToOne && edit_->text() == QLatin1String(" "))
            edit_->setText(QStringLiteral("1"));
        // Enter never reaches the edit, but a dialog's default button still takes it.
        if (isEnter(*key)) {
            QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(edit_->window(), &forwarded);
            return true;
        }
        return !pass;
    }

private:
    QLineEdit* edit_;
    InputFilter kind_;
};

}  // namespace

void installInputFilter(QLineEdit* edit, InputFilter kind) {
    edit->installEventFilter(new KeyPressFilter(edit, kind));
}

}  // namespace kolma
