#include "TitleBlock.h"

#include <optional>

#include "TextFile.h"

namespace kolma {
namespace {

// Windows-1252 differs from Latin-1 in 0x80 ... 0x9F only.
std::optional<char> windows1252Byte(QChar c) {
    static const char16_t k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (k80to9F[i] == u)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
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
    for (int i = 0; i < 4; ++i) {
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
