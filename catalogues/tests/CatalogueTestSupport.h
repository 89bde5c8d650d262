// A fresh current directory for each catalogue test, with files written into it; the previous
// current directory comes back at the end.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kolma::testing {

class CatalogueDirectory {
public:
    CatalogueDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~CatalogueDirectory() { QDir::setCurrent(previous_); }
    CatalogueDirectory(const CatalogueDirectory&) = delete;
    CatalogueDirectory& operator=(const CatalogueDirectory&) = delete;

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    void remove(const QString& name) const { QFile::remove(dir_.filePath(name)); }
    QString path() const { return dir_.path(); }

private:
    QString previous_;
    QTemporaryDir dir_;
};

}  // namespace kolma::testing
