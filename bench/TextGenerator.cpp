#include "TextGenerator.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// splitmix64: small, fast, and the same sequence on every platform (the standard
// library's distributions are not).
class Random
{
public:
    explicit Random(quint64 seed)
        : m_state(seed)
    {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 m_state;
};

std::vector<std::string> makeVocabulary(Random &random)
{
    static constexpr std::array common = {
        "the", "and",  "of",   "to",  "a",    "in",   "that", "is",    "was",  "he",
        "for", "it",   "with", "as",  "his",  "on",   "be",   "at",    "by",   "i",
        "had", "this", "not",  "but", "from", "they", "she",  "which", "or",   "we",
        "an",  "were", "him",  "all", "been", "one",  "her",  "there", "would"};
    static constexpr std::array onsets = {"b",  "c",  "d",  "f",  "g",  "h",  "l",  "m",
                                          "n",  "p",  "r",  "s",  "t",  "v",  "w",  "br",
                                          "ch", "cl", "st", "th", "tr", "sh", "pl", "gr"};
    static constexpr std::array nuclei = {"a", "e", "i", "o", "u", "ea", "ou", "ai", "ie"};
    static constexpr std::array codas = {"", "", "n", "r", "s", "t", "nd", "ng", "st", "ll"};
    static constexpr std::array accented = {"naïve", "café", "fiancée", "über", "señor", "façade"};

    std::vector<std::string> words(common.begin(), common.end());
    while (words.size() < 12000) {
        std::string word;
        const int syllables = 1 + random.below(4);
        for (int s = 0; s < syllables; ++s) {
            word += onsets[size_t(random.below(int(onsets.size())))];
            word += nuclei[size_t(random.below(int(nuclei.size())))];
        }
        word += codas[size_t(random.below(int(codas.size())))];
        words.push_back(random.below(200) == 0
                            ? std::string(accented[size_t(random.below(int(accented.size())))])
                            : word);
    }
    return words;
}

class Writer
{
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
    {}

    void word(const std::string &word, bool hyphenate)
    {
        if (m_column + qsizetype(word.size()) + 1 > 70) {
            if (hyphenate && word.size() > 6) {
                size_t cut = word.size() / 2;
                while ((word[cut] & 0xC0) == 0x80) // not inside a UTF-8 sequence
                    ++cut;
                space();
                m_out.append(word.data(), qsizetype(cut));
                m_out.append("-\n");
                m_out.append(word.data() + cut, qsizetype(word.size() - cut));
                m_column = qsizetype(word.size() - cut);
                return;
            }
            m_out.append('\n');
            m_column = 0;
        }
        space();
        m_out.append(word.data(), qsizetype(word.size()));
        m_column += qsizetype(word.size());
    }
    void punctuation(const char *mark)
    {
        m_out.append(mark);
        m_column += qsizetype(qstrlen(mark));
    }
    void paragraph()
    {
        m_out.append("\n\n");
        m_column = 0;
    }

private:
    void space()
    {
        if (m_column > 0) {
            m_out.append(' ');
            ++m_column;
        }
    }
    QByteArray &m_out;
    qsizetype m_column = 0;
};

} // namespace

QByteArray generateEnglishLikeText(qsizetype bytes, quint64 seed)
{
    Random random(seed);
    const std::vector<std::string> vocabulary = makeVocabulary(random);
    const double logSize = std::log(double(vocabulary.size()));
    static constexpr std::array endings = {".", ".", ".", ".", "?", "!"};

    QByteArray out;
    out.reserve(bytes + 200);
    Writer writer(out);
    while (out.size() < bytes) {
        const int sentences = 2 + random.below(6);
        for (int s = 0; s < sentences; ++s) {
            const int length = 4 + random.below(16);
            for (int w = 0; w < length; ++w) {
                // Log-uniform ranks give roughly the 1/rank frequencies of real text.
                const auto rank = size_t(std::exp(random.unit() * logSize)) - 1;
                std::string word = vocabulary[rank];
                if (w == 0 && word[0] >= 'a' && word[0] <= 'z')
                    word[0] = char(word[0] - 'a' + 'A');
                if (random.below(60) == 0)
                    word += "'s";
                if (random.below(150) == 0)
                    word = std::to_string(random.below(2000));
                writer.word(word, random.below(4) == 0);
                if (w + 1 < length && random.below(9) == 0)
                    writer.punctuation(random.below(5) == 0 ? ";" : ",");
            }
            writer.punctuation(endings[size_t(random.below(int(endings.size())))]);
        }
        writer.paragraph();
    }
    return out;
}
