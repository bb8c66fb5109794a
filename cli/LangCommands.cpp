// lang-report: how complete each installed language is against the words the
// program uses, for every hardware variant.
#include "CliArgs.h"
#include "CliCommands.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "ProgramFolder.h"
#include "WordManifest.h"

#include <filesystem>
#include <iostream>

namespace kw::cli {
namespace {

// The variants a language is loaded with: none (no configuration) and every
// code a gateway reports.
std::vector<std::string> Variants() {
    std::vector<std::string> variants{""};
    for (const char letter : kGatewayLetters)
        variants.emplace_back(1, letter);
    return variants;
}

std::string Ratio(int present, int used) {
    return std::to_string(present) + "/" + std::to_string(used);
}

// Prints one language's counts (loaded without a variant) and the faults of
// every variant; true when nothing is missing.
bool ReportLanguage(CLanguage& language, int lang, const std::vector<UsedWord>& words) {
    const CLanguage::Entry& entry = language.Languages()[static_cast<size_t>(lang)];
    bool complete = true;
    for (const std::string& variant : Variants()) {
        language.Load(lang, variant);
        const WordCoverage coverage = CheckCoverage(language, words);
        if (variant.empty())
            std::cout << entry.id << " (" << entry.name << ", "
                      << std::filesystem::path(entry.file).filename().string() << "): words "
                      << Ratio(coverage.textsPresent, coverage.textsUsed) << ", hints "
                      << Ratio(coverage.hintsPresent, coverage.hintsUsed) << ", list items "
                      << Ratio(coverage.itemsPresent, coverage.itemsUsed)
                      << (coverage.Complete() ? ", complete" : "") << "\n";
        for (const std::string& problem : coverage.problems)
            std::cout << "  "
                      << (variant.empty() ? std::string("no variant") : "variant " + variant)
                      << ": " << problem << "\n";
        complete = complete && coverage.Complete();
    }
    return complete;
}

} // namespace

void RunLangReport(const Args& argv) {
    const CliArgs args(argv, {"--program-dir"}, {});
    args.NoPositional();
    const std::string folder = WithSlash(args.Value("--program-dir").value_or(ProgramFolder()));

    const std::string index = folder + CLanguage::kIndexFile;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(index, ec))
        throw CommandFailure(index + ": missing");
    std::vector<UsedWord> words;
    std::string error;
    if (!LoadWordManifest(folder + kWordManifestFile, words, &error))
        throw CommandFailure(error);

    CLanguage language;
    language.Init(folder);
    if (language.LangNum() == 0)
        throw CommandFailure(index + ": lists no languages");
    std::cout << "Program folder " << folder << ": " << language.LangNum() << " languages, "
              << words.size() << " words used\n";
    int incomplete = 0;
    for (int lang = 0; lang < language.LangNum(); ++lang)
        if (!ReportLanguage(language, lang, words))
            ++incomplete;
    if (incomplete > 0)
        throw CommandFailure(index + ": " + std::to_string(incomplete) + " of " +
                             std::to_string(language.LangNum()) + " languages incomplete");
}

} // namespace kw::cli
