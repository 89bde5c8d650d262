// The file the text editor shows. A damaged or foreign file whose lines are too long to lay out
// quickly is shown split into pieces and read-only, and saving writes its own bytes back, so
// that neither the program hangs nor the file changes unseen.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QPlainTextEdit;

namespace kolma {

class EditorFile {
public:
    explicit EditorFile(QPlainTextEdit& editor);

    // Shows a file's bytes; true when the file is shown split (and read-only).
    bool show(const QByteArray& bytes);
    // The bytes "Speichern" writes: the file's own while it is shown split and untouched, else
    // the editor's text.
    QByteArray bytesToSave() const;

    // The message shown when a file is shown split.
    static QString splitMessage();

private:
    struct Split {
        QString shown;
        QByteArray original;
    };
    // Whatever else the editor is given to show ends the split view.
    void forgetSplitWhenReplaced();

    QPlainTextEdit& editor_;
    std::optional<Split> split_;
};

}  // namespace kolma
