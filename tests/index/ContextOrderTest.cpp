#include "ContextLines.h"
#include "RandomTexts.h"
#include "Tokeniser.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The words the order compares, the literal way: up to twelve after the run (or before
// it, read backwards), an empty word past either end of the text, which sorts first.
QStringList comparedWords(const TokenSequence &tokens, quint32 first, quint32 length,
                          ContextOrder order)
{
    QStringList words;
    for (qint64 step = 0; step < 12; ++step) {
        const qint64 position =
            order == ContextOrder::Following ? first + length + step : qint64(first) - 1 - step;
        words.append(position >= 0 && position < tokens.size() ? tokens.wordAt(quint32(position))
                                                               : QString());
    }
    return words;
}

std::vector<quint32> literallySorted(std::vector<quint32> firsts, const TokenSequence &tokens,
                                     quint32 length, ContextOrder order)
{
    std::stable_sort(firsts.begin(), firsts.end(), [&](quint32 a, quint32 b) {
        return order != ContextOrder::Text &&
               comparedWords(tokens, a, length, order) < comparedWords(tokens, b, length, order);
    });
    return firsts;
}

struct OrderCase
{
    RandomTexts texts;
    quint32 length;
};

void PrintTo(const OrderCase &orderCase, std::ostream *out)
{
    *out << orderCase.texts.name << "Length" << orderCase.length;
}

class RandomContextOrder : public testing::TestWithParam<OrderCase>
{
};

// Runs of "w0" and what follows it, shuffled, in each order; texts with few words and
// texts pasted twice tie far past the run and fall back to the place in the text.
TEST_P(RandomContextOrder, MatchesTheLiteralComparison)
{
    std::mt19937 random(20261209);
    for (int round = 0; round < GetParam().texts.rounds; ++round) {
        const TokenSequence tokens = tokenise(randomText(random, GetParam().texts));
        const quint32 length = GetParam().length;
        std::vector<quint32> firsts;
        for (quint32 first = 0; first + length <= tokens.size(); ++first) {
            if (tokens.wordAt(first) == u"w0"_s)
                firsts.push_back(first);
        }
        for (const ContextOrder order :
             {ContextOrder::Text, ContextOrder::Following, ContextOrder::Preceding}) {
            std::vector<quint32> sorted = firsts;
            std::shuffle(sorted.begin(), sorted.end(), random);
            sortRuns(sorted, length, tokens, order);
            ASSERT_EQ(sorted, literallySorted(firsts, tokens, length, order))
                << "order " << int(order) << " in round " << round;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RandomContextOrder,
    testing::Values(OrderCase{RandomTexts{"FewWords", 40, 300, 3, 0.2}, 1},
                    OrderCase{RandomTexts{"ManyWords", 20, 2000, 300, 0.1}, 2},
                    OrderCase{RandomTexts{"PastedTwice", 20, 200, 4, 0.1, true, true}, 3}),
    [](const testing::TestParamInfo<OrderCase> &info) {
        return std::string(info.param.texts.name) + "Length" + std::to_string(info.param.length);
    });

} // namespace
