// kolbrawin-cli diff, run as the real program on random configurations with a
// known number of random changes: exactly those lines, in file order, and
// diff's exit codes.
#include "ParFile.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <sys/wait.h>

namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

class Diff : public ::testing::Test {
protected:
    CliRun Cli(const std::string& args) const {
        const std::string command = std::string(KW_CLI) + " " + args + " >" + temp.Path("out.txt") +
                                    " 2>" + temp.Path("err.txt");
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, temp.Read("out.txt"),
                temp.Read("err.txt")};
    }
    kw::test::TempDir temp;
};

// The rows a file holds, in the order it writes them.
std::vector<std::pair<std::string, int>> FileRows(const CParameters& p) {
    std::vector<std::pair<std::string, int>> rows;
    for (int level = p.m_MaxLevel; level >= 0; --level)
        for (const auto& [name, rc] : p.Records())
            if (rc.Type->m_Saved && rc.Level == level)
                for (int row = 0; row < rc.Count; ++row)
                    rows.emplace_back(name, row);
    return rows;
}

TEST_F(Diff, ListsExactlyTheChangedValuesInFileOrder) {
    for (const int changes : {0, 1, 7, 40}) {
        SCOPED_TRACE(changes);
        std::mt19937 random(1000 + changes);
        CParameters a;
        CParameters b;
        CParameters donor; // where the changed values come from
        kw::RegisterCatalogue(a);
        kw::RegisterCatalogue(b);
        kw::RegisterCatalogue(donor);
        kw::test::FillRandom(a, random);
        kw::test::FillRandom(donor, random);
        a.SetValue("HWVer", 0, "A"); // the variant stays: it settles what a load keeps
        ASSERT_TRUE(a.SaveToFile(temp.Path("a.sgd")));
        ASSERT_TRUE(b.LoadFromFile(temp.Path("a.sgd")));

        const auto rows = FileRows(a);
        std::set<std::pair<std::string, int>> changed;
        while (static_cast<int>(changed.size()) < changes) {
            const auto& [name, row] = rows[random() % rows.size()];
            if (name == "HWVer" || changed.count({name, row}))
                continue;
            const std::string value = donor.GetValue(name, row);
            if (value == b.GetValue(name, row))
                continue;
            b.SetValue(name, row, value);
            if (b.GetValue(name, row) != a.GetValue(name, row))
                changed.insert({name, row});
        }
        ASSERT_TRUE(b.SaveToFile(temp.Path("b.sgd")));

        std::string expected;
        for (const auto& [name, row] : rows) {
            if (!changed.count({name, row}))
                continue;
            expected += name;
            if (a.Find(name)->Count > 1)
                expected += "[" + std::to_string(row) + "]";
            expected += "=\"" + kw::sgd::EscapeValue(a.GetValue(name, row)) + "\" -> \"" +
                        kw::sgd::EscapeValue(b.GetValue(name, row)) + "\"\n";
        }
        const CliRun run = Cli("diff " + temp.Path("a.sgd") + " " + temp.Path("b.sgd"));
        EXPECT_EQ(run.exitCode, changes == 0 ? 0 : 1) << run.err;
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(Diff, DefaultsFillAFileAndTroubleIsExitTwo) {
    ASSERT_EQ(Cli("defaults -o " + temp.Path("d.sgd")).exitCode, 0);
    temp.Write("short.sgd", "HWVer=\"A\"\r\n");
    // What a file lacks is the default, so only the values it holds can differ.
    CliRun run = Cli("diff " + temp.Path("d.sgd") + " " + temp.Path("short.sgd"));
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");

    const struct {
        std::string args;
        int exitCode;
    } trouble[] = {
        {"diff " + temp.Path("d.sgd"), 2},
        {"diff", 2},
        {"diff " + temp.Path("d.sgd") + " " + temp.Path("missing.sgd"), 2},
        {"diff " + temp.Path("missing.sgd") + " " + temp.Path("d.sgd"), 2},
        {"diff " + temp.Path("d.sgd") + " " + temp.Dir().string(), 2},
        {"diff --x " + temp.Path("d.sgd") + " " + temp.Path("d.sgd"), 2},
        {"diff " + temp.Path("d.sgd") + " " + temp.Path("d.sgd") + " " + temp.Path("d.sgd"), 2},
    };
    for (const auto& t : trouble) {
        run = Cli(t.args);
        EXPECT_EQ(run.exitCode, t.exitCode) << t.args;
        EXPECT_EQ(run.out, "") << t.args;
        EXPECT_NE(run.err, "") << t.args;
    }
}

} // namespace
