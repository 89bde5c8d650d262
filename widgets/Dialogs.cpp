#include "Dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include "TextFile.h"

namespace kolma {
namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

void prepare(QFileDialog& d, const FileRequest& r) {
    d.setWindowTitle(r.title);
    d.setNameFilter(qtFilter(r.filter));
    if (!r.directory.isEmpty())
        d.setDirectory(r.directory);
    if (!r.fileName.isEmpty())
        d.selectFile(r.fileName);
    d.setDefaultSuffix(r.defaultExtension);
    d.setOption(QFileDialog::ReadOnly, false);
}

// The name of the entry the dialog's selected Qt filter came from.
void reportChosenFilter(const QFileDialog& d, const FileRequest& r) {
    if (!r.chosenFilter)
        return;
    const QStringList names = filterNames(r.filter);
    const QStringList qtEntries = qtFilter(r.filter).split(QStringLiteral(";;"));
    const int chosen = qtEntries.indexOf(d.selectedNameFilter());
    *r.chosenFilter = names.value(chosen < 0 ? 0 : chosen);
}

class QtDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& r) override {
        QMessageBox box(qtIcon(r.icon), r.caption, r.text, r.buttons, parent);
        if (r.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(r.defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    std::optional<QString> getOpenFileName(QWidget* parent, const FileRequest& r) override {
        QFileDialog d(parent);
        prepare(d, r);
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
            return std::nullopt;
        return d.selectedFiles().first();
    }

    std::optional<QString> getSaveFileName(QWidget* parent, const FileRequest& r) override {
        QFileDialog d(parent);
        prepare(d, r);
        d.setAcceptMode(QFileDialog::AcceptSave);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
            return std::nullopt;
        reportChosenFilter(d, r);
        return d.selectedFiles().first();
    }

    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog d(&printer, parent);
        d.setOptions(QAbstractPrintDialog::PrintDialogOptions());
        return d.exec() == QDialog::Accepted;
    }

    int execModal(QDialog& dialog) override { return dialog.exec(); }
};

QtDialogs& qtDialogs() {
    static QtDialogs instance;
    return instance;
}

Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs() {
    return installed ? *installed : qtDialogs();
}

void setDialogs(Dialogs* d) {
    installed = d;
}

QString qtFilter(const QString& vclFilter) {
    const QStringList parts = vclFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

QStringList filterNames(const QString& vclFilter) {
    const QStringList parts = vclFilter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        names << parts[i];
    return names;
}

FileRequest saveRequest(const QString& title, const QString& filter,
                        const QString& defaultExtension, const QString& currentFile) {
    FileRequest r;
    r.title = title;
    r.filter = filter;
    r.fileName = currentFile;
    r.directory = directoryPart(currentFile);
    r.defaultExtension = defaultExtension;
    return r;
}

void errorBox(QWidget* parent, const QString& text, const QString& caption) {
    dialogs().showMessage(parent,
                          {text, caption, BoxIcon::Error, QMessageBox::Ok, QMessageBox::Ok});
}

bool questionBox(QWidget* parent, const QString& text, const QString& caption) {
    const auto answer = dialogs().showMessage(
        parent, {text, caption, BoxIcon::Question,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No});
    return answer == QMessageBox::Yes;
}

}  // namespace kolma
