// report: the configuration report of a file as PDF or HTML.
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "ConfigReport.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "ProgramFolder.h"

#include <QDateTime>
#include <QGuiApplication>

#include <cstdlib>
#include <fstream>

namespace kw::cli {

void RunReport(const Args& argv) {
    const CliArgs args(argv, {"-o", "--language", "--variant"}, {});
    const std::string in = args.OnlyPositional("input .sgd file");
    const std::string out = args.Required("-o");
    const bool html = out.size() >= 5 && (out.substr(out.size() - 5) == ".html" ||
                                          out.substr(out.size() - 4) == ".htm");
    const bool pdf = out.size() >= 4 && out.substr(out.size() - 4) == ".pdf";
    if (!html && !pdf)
        throw UsageError("-o must name a .pdf or an .html file");
    const std::optional<std::string> variant = args.Value("--variant");
    if (variant && !IsGatewayVariant(*variant))
        throw UsageError("--variant must be one of A, C, D, E, F, G");
    CParameters parameters;
    RegisterCatalogue(parameters);
    LoadConfiguration(parameters, in);
    if (variant)
        parameters.SetValue("HWVer", 0, *variant);
    CLanguage language;
    language.Init(ProgramFolder());
    const std::string id = args.Value("--language").value_or("Eng");
    const int lang = language.FindLangById(id);
    if (lang < 0)
        throw UsageError("--language: no language " + id + " is installed");
    language.Load(lang, parameters.GetValue("HWVer", 0));
    const std::string created =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    const std::string text = report::BuildHtml(parameters, language, created);
    if (html) {
        std::ofstream file(out, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file)
            throw CommandFailure(out + ": cannot write");
        return;
    }
    // Laying out text needs fonts, not a display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "kolbrawin-cli";
    char* argvQt[] = {name, nullptr};
    QGuiApplication app(argc, argvQt);
    if (!report::WritePdf(text, out))
        throw CommandFailure(out + ": cannot write");
}

} // namespace kw::cli
