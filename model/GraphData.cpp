#include "GraphData.h"

#include <QFile>
#include <QList>

namespace kolma {
namespace {

// Walks the white-space separated tokens of the file.
class Tokens {
public:
    explicit Tokens(const QByteArray& bytes) {
        const QByteArray text = bytes.simplified();
        if (!text.isEmpty())
            tokens_ = text.split(' ');
    }

    std::optional<int> nextInt() {
        return next([](const QByteArray& token, bool* ok) { return token.toInt(ok); });
    }

    // QByteArray::toDouble reads decimal points independently of the process locale.
    std::optional<double> nextDouble() {
        return next([](const QByteArray& token, bool* ok) { return token.toDouble(ok); });
    }

private:
    // The next token converted by `convert`; the token is used up only when it converts.
    template <typename Convert>
    auto next(Convert convert) -> std::optional<decltype(convert(QByteArray(), nullptr))> {
        if (next_ >= tokens_.size())
            return std::nullopt;
        bool ok = false;
        const auto value = convert(tokens_[next_], &ok);
        if (!ok)
            return std::nullopt;
        ++next_;
        return value;
    }

    QList<QByteArray> tokens_;
    qsizetype next_ = 0;
};

void readHeads(Tokens& tokens, GraphData& data) {
    for (int i = 0; i < data.nodeCount; ++i) {
        const auto head = tokens.nextDouble();
        if (!head)
            return;
        data.heads.push_back(*head);
    }
}

void readPipes(Tokens& tokens, GraphData& data) {
    for (int i = 0; i < data.pipeCount; ++i) {
        const auto flow = tokens.nextDouble();
        const auto velocity = flow ? tokens.nextDouble() : std::nullopt;
        if (!velocity)
            return;
        data.flows.push_back(*flow);
        data.velocities.push_back(*velocity);
    }
}

// The solver writes three integers before the node heads: the iteration bound, the passes made
// and the node count.
constexpr int kHeaderIntegers = 3;

}  // namespace

GraphData parseGraphData(const QByteArray& bytes) {
    GraphData data;
    Tokens tokens(bytes);
    int header[kHeaderIntegers];
    for (int& value : header) {
        const auto read = tokens.nextInt();
        if (!read)
            return data;
        value = *read;
    }
    data.headerRead = true;
    data.maxIterations = header[0];
    data.passes = header[1];
    data.nodeCount = header[2];
    readHeads(tokens, data);
    if (static_cast<int>(data.heads.size()) < data.nodeCount)
        return data;
    const auto pipeCount = tokens.nextInt();
    if (!pipeCount)
        return data;
    data.pipeCount = *pipeCount;
    readPipes(tokens, data);
    return data;
}

std::optional<GraphData> readGraphFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseGraphData(file.readAll());
}

}  // namespace kolma
