#include "CatalogueFile.h"

#include <QFile>
#include <cmath>

#include "Numbers.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kEndToken = QStringLiteral("endl");

// White space as a C stream sees it in the C locale; a no-break space belongs to its token.
bool isTokenSeparator(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

// Hands out the tokens one by one; past the end it reports that nothing is left.
class TokenStream {
public:
    explicit TokenStream(const QStringList& tokens) : tokens_(tokens) {}
    bool atEnd() const { return next_ >= tokens_.size(); }
    qsizetype remaining() const { return tokens_.size() - next_; }
    const QString& take() { return tokens_[next_++]; }
    // Skips the rest of an overlong record, its "endl" included.
    void skipRecord() {
        while (!atEnd() && take() != kEndToken) {
        }
    }

private:
    const QStringList& tokens_;
    qsizetype next_ = 0;
};

}  // namespace

std::optional<QStringList> readCatalogueTokens(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return catalogueTokens(decodeText(file.readAll()));
}

QStringList catalogueTokens(const QString& text) {
    QStringList tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || isTokenSeparator(text[i]);
        if (separator && start >= 0) {
            tokens.append(text.mid(start, i - start));
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
    }
    return tokens;
}

std::vector<PairRecord> pairRecords(const QStringList& tokens) {
    std::vector<PairRecord> records;
    TokenStream in(tokens);
    for (int r = 0; r < kMaxCatalogueRecords && !in.atEnd(); ++r) {
        PairRecord record;
        record.type = in.take();
        while (!in.atEnd()) {
            const QString first = in.take();
            if (first == kEndToken || in.atEnd())
                break;  // an unpaired first token is dropped
            const QString second = in.take();
            if (second == kEndToken)
                break;
            if (record.pairs.size() == kMaxCatalogueEntries) {
                in.skipRecord();
                break;
            }
            record.pairs.emplace_back(first, second);
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<DiameterRecord> diameterRecords(const QStringList& tokens) {
    std::vector<DiameterRecord> records;
    TokenStream in(tokens);
    for (int r = 0; r < kMaxCatalogueRecords && in.remaining() >= 3; ++r) {
        DiameterRecord record;
        record.dn = in.take();
        record.outerDiameter = in.take();
        record.seriesCode = in.take();
        while (!in.atEnd()) {
            const QString wall = in.take();
            if (wall == kEndToken)
                break;
            if (record.wallThicknesses.size() == kMaxCatalogueEntries) {
                in.skipRecord();
                break;
            }
            record.wallThicknesses.append(wall);
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::optional<double> catalogueNumber(const QString& text) {
    bool ok = false;
    const double value = germanLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> firstInvalidPoint(const std::vector<PairRecord>& records) {
    for (const auto& record : records) {
        for (const auto& [q, h] : record.pairs) {
            if (!catalogueNumber(q))
                return q;
            if (!catalogueNumber(h))
                return h;
        }
    }
    return std::nullopt;
}

QString totalZetaText(int count, float zeta) {
    const float total = static_cast<float>(count) * zeta;
    return twoDecimals(total);
}

QString innerDiameterText(double outerDiameter, double wallThickness) {
    return twoDecimals(outerDiameter - 2 * wallThickness);
}

}  // namespace kolma
