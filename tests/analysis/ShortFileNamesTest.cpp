#include "ShortFileNames.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct NamesRow
{
    const char *name;
    QStringList given;
    QStringList shown;
};

void PrintTo(const NamesRow &row, std::ostream *out)
{
    *out << row.name;
}

class ShortFileNames : public testing::TestWithParam<NamesRow>
{
};

// The files of a corpus are named below the folder they all share, never cutting a
// folder's name in two.
TEST_P(ShortFileNames, NameFilesBelowTheFolderTheyShare)
{
    TextFile file;
    for (const QString &name : GetParam().given)
        file.parts.push_back({name, 0, 0});
    QStringList shown;
    for (const TextPart &part : withShortNames(file).parts)
        shown << part.name;
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Corpora, ShortFileNames,
    testing::Values(NamesRow{"oneFolder",
                             {u"/home/a/ch/1.txt"_s, u"/home/a/ch/2.txt"_s},
                             {u"1.txt"_s, u"2.txt"_s}},
                    NamesRow{"subfolders",
                             {u"ch/1.txt"_s, u"ch/part 2/7.txt"_s},
                             {u"1.txt"_s, u"part 2/7.txt"_s}},
                    NamesRow{"foldersAlike",
                             {u"/x/chapters/1.txt"_s, u"/x/chapbook/2.txt"_s},
                             {u"chapters/1.txt"_s, u"chapbook/2.txt"_s}},
                    NamesRow{"noFolder", {u"1.txt"_s, u"d/2.txt"_s}, {u"1.txt"_s, u"d/2.txt"_s}},
                    // A text of its own keeps its name as given.
                    NamesRow{"oneFile", {u"/x/1.txt"_s}, {u"/x/1.txt"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
