#include "EditorFile.h"

#include <QPlainTextEdit>

#include "TextFile.h"

namespace kolma {

EditorFile::EditorFile(QPlainTextEdit& editor) : editor_(editor) {
    QObject::connect(&editor_, &QPlainTextEdit::textChanged, &editor_,
                     [this] { forgetSplitWhenReplaced(); });
}

bool EditorFile::show(const QByteArray& bytes) {
    const QString text = decodeText(bytes);
    const std::optional<QString> split = splitLongLines(text);
    split_.reset();
    editor_.setReadOnly(false);
    if (!split) {
        editor_.setPlainText(text);
        return false;
    }
    editor_.setPlainText(*split);
    editor_.setReadOnly(true);
    split_ = Split{*split, bytes};
    return true;
}

QByteArray EditorFile::bytesToSave() const {
    if (split_)
        return split_->original;
    return editor_.toPlainText().toUtf8();
}

QString EditorFile::splitMessage() {
    return QStringLiteral(
               "Die Datei enthält Zeilen mit mehr als %1 Zeichen. Sie wird in Stücken zu %2 "
               "Zeichen und schreibgeschützt angezeigt; beim Speichern bleibt sie unverändert.")
        .arg(kLongestShownLine)
        .arg(kShownPiece);
}

void EditorFile::forgetSplitWhenReplaced() {
    if (!split_ || editor_.toPlainText() == split_->shown)
        return;
    split_.reset();
    editor_.setReadOnly(false);
}

}  // namespace kolma
