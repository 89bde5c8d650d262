#include "TitleBlock.h"

#include <iterator>
#include <optional>

#include "TextFile.h"

namespace kolma {
namespace {

// The characters of the bytes 0x80 ... 0x9F, where Windows-1252 departs from Latin-1, as the
// readers of our text files decode them.
const QString& windows1252From80To9F() {
    static const QString characters = [] {
        QByteArray bytes;
        for (int byte = 0x80; byte <= 0x9F; ++byte)
            bytes.append(static_cast<char>(byte));
        return decodeText(bytes);
    }();
    return characters;
}

std::optional<char> windows1252Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    const qsizetype index = windows1252From80To9F().indexOf(c);
    if (index < 0)
        return std::nullopt;
    return static_cast<char>(0x80 + index);
}

std::optional<QByteArray> toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto byte = windows1252Byte(c);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

}  // namespace

QStringList titleBlockLines(const QByteArray& bytes) {
    const QString text = decodeText(bytes);
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

TitleBlock titleBlockOf(const QStringList& lines) {
    return {lines.value(0), lines.value(1), lines.value(2), lines.value(3)};
}

QStringList withTitleBlock(QStringList lines, const TitleBlock& block) {
    const QString fields[] = {block.client, block.project, block.measure, block.projectNumber};
    for (int i = 0; i < static_cast<int>(std::size(fields)); ++i) {
        if (i < lines.size())
            lines[i] = fields[i];
        else
            lines << fields[i];
    }
    return lines;
}

QByteArray titleBlockBytes(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return toWindows1252(text).value_or(text.toUtf8());
}

}  // namespace kolma
