#include "DifferenceList.h"

#include "Language.h"
#include "PageQuery.h"
#include "Pages.h"
#include "Win1252.h"
#include "Words.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace kw {
namespace {

// A caption as a list shows it: without a control's accelerator mark ("&&" is
// one "&", and a "&" before a space, as in "GSM & SIM", is plain text) or colon.
QString WordText(const CLanguage& language, int word) {
    const QString raw = QString::fromStdString(language.GetText(word));
    QString text;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&' && i + 1 < raw.size() && raw[i + 1] != ' ') {
            ++i;
            if (raw[i] != '&' && !raw[i].isLetterOrNumber())
                text += '&';
        }
        text += raw[i];
    }
    text = text.trimmed();
    while (text.endsWith(':'))
        text.chop(1);
    return text;
}

// Lists, check boxes and track bars show language texts (UTF-8); every other
// control shows the registry's bytes, a memo's line breaks as one mark.
QString Shown(const pages::TRow* row, const std::string& value, const CLanguage& language) {
    if (row == nullptr)
        return BytesToQString(value).replace("\r\n", QChar(0x21B5));
    const std::string shown = pages::DisplayedValue(*row, value, language);
    switch (row->kind) {
    case pages::Kind::List:
    case pages::Kind::GridList:
    case pages::Kind::Check:
    case pages::Kind::InvertedCheck:
    case pages::Kind::Track:
        return QString::fromStdString(shown);
    default:
        return BytesToQString(shown).replace("\r\n", QChar(0x21B5));
    }
}

} // namespace

std::vector<TDifferenceRow> DifferenceRows(const std::vector<TValueDifference>& differences,
                                           const std::string& variant, const CLanguage& language) {
    std::vector<TDifferenceRow> rows;
    for (const TValueDifference& difference : differences) {
        TDifferenceRow shown;
        const auto place = pages::FindRow(difference.name, difference.row, variant);
        const pages::TRow* row = place ? place->row : nullptr;
        if (place) {
            shown.section = place->page->section;
            shown.page = WordText(language, word::kFirstSectionName + shown.section);
            shown.control = std::string(row->name);
            const int captionWord = row->word != 0 ? row->word : place->group->word;
            if (captionWord != 0)
                shown.caption = WordText(language, captionWord);
        }
        if (shown.caption.isEmpty())
            shown.caption = QString::fromStdString(difference.name);
        if (difference.multiRow)
            shown.row = QString::number(difference.row + 1);
        shown.first = Shown(row, difference.first, language);
        shown.second = Shown(row, difference.second, language);
        rows.push_back(std::move(shown));
    }
    return rows;
}

void SetUpDifferenceList(QTreeWidget& list, const CLanguage& language) {
    list.setRootIsDecorated(false);
    list.setAlternatingRowColors(true);
    list.setColumnCount(5);
    list.setHeaderLabels(
        {WordText(language, word::kPageColumn), WordText(language, word::kValueColumn),
         WordText(language, word::kRowColumn), WordText(language, word::kEditorColumn),
         WordText(language, word::kOtherColumn)});
}

void FillDifferenceList(QTreeWidget& list, const std::vector<TDifferenceRow>& rows) {
    list.clear();
    for (const TDifferenceRow& row : rows) {
        auto* item = new QTreeWidgetItem(
            &list, QStringList{row.page, row.caption, row.row, row.first, row.second});
        item->setData(0, Qt::UserRole, row.section);
        item->setData(0, Qt::UserRole + 1, QString::fromStdString(row.control));
    }
    for (int column = 0; column < list.columnCount(); ++column)
        list.resizeColumnToContents(column);
}

QString BackupTimeText(const std::string& time) {
    // 2026-12-08_19-04-06 -> 2026-12-08 19:04:06
    QString text = QString::fromStdString(time);
    if (text.size() == 19) {
        text[10] = ' ';
        text[13] = ':';
        text[16] = ':';
    }
    return text;
}

} // namespace kw
