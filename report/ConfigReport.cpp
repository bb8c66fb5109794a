#include "ConfigReport.h"

#include "FormatText.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "PageQuery.h"
#include "Pages.h"
#include "Parameters.h"
#include "RoutingColumns.h"
#include "Win1252.h"
#include "Words.h"

#include <QString>

namespace kw::report {
namespace {

using pages::Kind;

std::string Escape(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
        .toHtmlEscaped()
        .replace(QLatin1Char('\n'), QLatin1String("<br>"))
        .toStdString();
}

// A caption as a label shows it, without its trailing colon.
std::string Caption(const CLanguage& language, int word) {
    std::string text = language.GetText(word);
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return Escape(text);
}

// The value a row shows, as UTF-8; secrets hidden.
std::string Shown(const pages::TRow& row, const std::string& value, const CLanguage& language) {
    if (IsSecret(row.param))
        return std::string(kHidden);
    const std::string shown = pages::DisplayedValue(row, value, language);
    switch (row.kind) {
    case Kind::List:
    case Kind::GridList:
    case Kind::Check:
    case Kind::InvertedCheck:
        return Escape(shown); // already UTF-8 from the language
    case Kind::Memo:
        return Escape(MemoBytesToQString(shown).toStdString());
    default:
        return Escape(BytesToQString(shown).toStdString());
    }
}

bool HasValue(const pages::TRow& row) {
    switch (row.kind) {
    case Kind::Caption:
    case Kind::Tabs:
    case Kind::GridText:
    case Kind::GridList:
        return false;
    default:
        return !row.param.empty();
    }
}

class CBuilder {
public:
    CBuilder(const CParameters& parameters, const CLanguage& language)
        : m_P(parameters), m_L(language), m_Variant(parameters.GetValue("HWVer", 0)) {}

    std::string Build(const std::string& created);

private:
    void Identity();
    void Page(const pages::TPage& page);
    void Grid(const pages::TGroup& group);
    std::string Value(const pages::TRow& row, int valueRow) const {
        const TMultiPar* record = m_P.Find(std::string(row.param));
        if (record == nullptr || valueRow < 0 || valueRow >= record->Count)
            return {};
        return Shown(row, record->Values[static_cast<size_t>(valueRow)], m_L);
    }

    const CParameters& m_P;
    const CLanguage& m_L;
    std::string m_Variant;
    std::string m_Out;
};

std::string CBuilder::Build(const std::string& created) {
    const std::string title = Escape(m_L.GetText(word::kReportTitle));
    m_Out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
            "</title>\n<style>body{font-family:sans-serif;font-size:10pt}"
            "table{border-collapse:collapse;margin-bottom:8pt}"
            "td,th{border:1px solid #999;padding:2px 4px;text-align:left;vertical-align:top}"
            "h2{margin-top:14pt}.grid td,.grid th{font-size:7pt;padding:1px 2px}"
            "</style></head>\n<body>\n<h1>" +
            title + "</h1>\n<p>" + Escape(FormatText(m_L.GetText(word::kReportDate), {created})) +
            "</p>\n";
    Identity();
    for (const pages::TPage* page : pages::SectionPages())
        Page(*page);
    m_Out += "</body></html>\n";
    return m_Out;
}

void CBuilder::Identity() {
    m_Out += "<h2>" + Escape(m_L.GetText(word::kReportIdentity)) + "</h2>\n<table>\n";
    const int nameWord = VariantNameWord(m_Variant);
    const std::string variant =
        Escape(m_Variant) + (nameWord ? " (" + Escape(m_L.GetText(nameWord)) + ")" : "");
    const std::pair<int, std::string> rows[] = {
        {76, variant},
        {77, Escape(BytesToQString(m_P.GetValue("SWVer", 0)).toStdString())},
        {78, Escape(BytesToQString(m_P.GetValue("SerialNum", 0)).toStdString())}};
    for (const auto& [word, value] : rows)
        m_Out += "<tr><th>" + Caption(m_L, word) + "</th><td>" + value + "</td></tr>\n";
    m_Out += "</table>\n";
}

void CBuilder::Page(const pages::TPage& page) {
    bool any = false;
    std::string body;
    std::string_view sheet;
    std::swap(body, m_Out);
    for (const pages::TGroup& group : page.groups) {
        if (!pages::Shows(pages::VariantsOf(page, group), m_Variant))
            continue;
        if (group.in != sheet) {
            sheet = group.in;
            for (const pages::TSheet& s : page.sheets)
                if (s.name == sheet && s.word != 0)
                    m_Out += "<h3>" + Escape(m_L.GetText(s.word)) + "</h3>\n";
        }
        if (group.arrangement == pages::Arrangement::Grid) {
            Grid(group);
            any = true;
            continue;
        }
        std::string rows;
        for (const pages::TRow& row : group.rows) {
            if (!HasValue(row) || !pages::Shows(pages::VariantsOf(page, group, row), m_Variant))
                continue;
            const std::string caption =
                Caption(m_L, row.word) + (row.row > 0 || row.param == "FreeMins" ||
                                                  row.param == "StartTime" ||
                                                  row.param == "TimeAmount"
                                              ? " " + std::to_string(row.row + 1) + "."
                                              : std::string());
            rows += "<tr><th>" + caption + "</th><td>" + Value(row, row.row) + "</td></tr>\n";
        }
        if (rows.empty())
            continue;
        any = true;
        if (group.word != 0)
            m_Out += "<h4>" + Escape(m_L.GetText(group.word)) + "</h4>\n";
        m_Out += "<table>\n" + rows + "</table>\n";
    }
    std::swap(body, m_Out);
    if (any)
        m_Out +=
            "<h2>" + Escape(m_L.GetText(word::kFirstSectionName + page.section)) + "</h2>\n" + body;
}

void CBuilder::Grid(const pages::TGroup& group) {
    std::vector<const pages::TRow*> columns;
    for (const pages::TRow& row : group.rows)
        if (pages::Shows(row.variants, m_Variant))
            columns.push_back(&row);
    if (columns.empty())
        return;
    const bool isDefault =
        group.name.size() > 3 && group.name.substr(group.name.size() - 3) == "Def";
    // Twelve columns share the width of a portrait page: smaller type, so no
    // header breaks inside a word.
    m_Out += "<table class=\"grid\">\n<tr><th>" + Escape(m_L.GetText(group.word)) +
             "</th>";
    for (const pages::TRow* column : columns)
        m_Out += "<th>" + Escape(m_L.GetText(column->word)) + "</th>";
    m_Out += "</tr>\n";
    const int rows = isDefault ? 1 : routing::kRoutingRows;
    for (int r = 0; r < rows; ++r) {
        // A route is in use once it matches numbers: its first column is set.
        if (!isDefault && m_P.GetValue(std::string(columns.front()->param), r).empty())
            continue;
        m_Out += "<tr><td>" + (isDefault ? std::string() : std::to_string(r + 1) + ".") + "</td>";
        for (const pages::TRow* column : columns)
            m_Out += "<td>" + Value(*column, isDefault ? 0 : r) + "</td>";
        m_Out += "</tr>\n";
    }
    m_Out += "</table>\n";
}

} // namespace

bool IsSecret(std::string_view param) {
    return param.rfind("PIN", 0) == 0 || param.find("Passw") != std::string_view::npos;
}

std::string BuildHtml(const CParameters& parameters, const CLanguage& language,
                      const std::string& created) {
    return CBuilder(parameters, language).Build(created);
}

} // namespace kw::report
