#include "TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

#include "KolmaError.h"

namespace kolma {

QByteArray readFileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw KolmaError(
            QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(fileName));
    return file.readAll();
}

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        throw KolmaError(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(fileName));
}

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 ... 0x9F; Qt has no codec for it without ICU.
QString fromWindows1252(const QByteArray& bytes) {
    static const char16_t k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(k80to9F[byte - 0x80]) : QChar(byte);
    }
    return text;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = fromWindows1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString readTextFile(const QString& fileName) {
    return decodeText(readFileBytes(fileName));
}

std::vector<DataLine> dataLines(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<DataLine> data;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(';')))
            data.push_back({i + 1, line});
    }
    return data;
}

namespace {

int lastSeparator(const QString& fileName) {
    return std::max(fileName.lastIndexOf(QLatin1Char('/')),
                    fileName.lastIndexOf(QLatin1Char('\\')));
}

}  // namespace

QString directoryPart(const QString& fileName) {
    const int separator = lastSeparator(fileName);
    return separator < 0 ? QString() : fileName.left(separator == 0 ? 1 : separator);
}

QString namePart(const QString& fileName) {
    return fileName.mid(lastSeparator(fileName) + 1);
}

QString replacedExtension(const QString& fileName, const QString& extension) {
    const QString name = namePart(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return fileName.left(fileName.size() - name.size()) + base + extension;
}

std::optional<QString> splitLongLines(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.size() / kShownPiece + 1);
    bool split = false;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const qsizetype length = end - start;
        if (length > kLongestShownLine) {
            split = true;
            for (qsizetype piece = start; piece < end; piece += kShownPiece) {
                shown +=
                    QStringView(text).mid(piece, std::min<qsizetype>(kShownPiece, end - piece));
                if (piece + kShownPiece < end)
                    shown += QLatin1Char('\n');
            }
        } else {
            shown += QStringView(text).mid(start, length);
        }
        if (end < text.size())
            shown += QLatin1Char('\n');
        start = end + 1;
    }
    if (!split)
        return std::nullopt;
    return shown;
}

}  // namespace kolma
