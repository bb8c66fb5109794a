// The section pages as data: sheets, groups and rows, each row one control with
// the parameter it shows, its caption word, its kind and its control name. The
// pages build their controls and bindings from it; the command line and reports
// read it without widgets. Ranges, increments and string sizes come from the
// catalogue, so a row states only what its page does differently.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace kw::pages {

enum class Kind {
    Edit,          // single-line edit
    Spin,          // edit with an up-down control
    Memo,          // multi-line text
    List,          // drop-down list: items carry the values, their texts come from a word
    Check,         // check box, ticked when the value is not 0
    InvertedCheck, // check box, ticked when the value is 0
    Track,         // track bar
    Display,       // read-only text the page words from a value
    Caption,       // a label of its own (column headers)
    Tabs,          // an inner tab control: groups placed in it are its sheets
    GridText,      // a routing grid column of typed values
    GridList,      // a routing grid column of values picked from a list
};

// Which hardware variants have a sheet, group or row.
enum class Variants { All, FxoLine, NoFxoLine, RemoteSupervision, PowerSupply };

// How a display words its value (see DisplayTexts in pages/).
enum class DisplayRule { Identity, OperatorLock, ServiceNumber };

// The row of a grid column: it shows every row of its parameter.
inline constexpr int kEveryRow = -1;
// A spin or track bar that starts where the catalogue's range does.
inline constexpr int kCatalogueMin = -1;

struct TRow {
    Kind kind = Kind::Edit;
    std::string_view param; // empty for controls without a parameter
    int row = 0;
    std::string_view name; // the control's objectName
    int word = 0;          // caption: the label's, the box's own or the column header's
    int listWord = 0;      // lists: the word naming the items (the caption word when 0)
    std::vector<int> items;
    std::string_view upDown; // spins: the up-down's objectName
    std::string_view label;  // the caption label's objectName when not name + "Label"
    int min = kCatalogueMin;
    int limit = 0;         // typing limit of a numeric edit; texts take their size
    int width = 0;         // characters of an edit when not its limit; digits of a grid column
    bool tagged = true;    // false: the control carries no word of its own
    bool labelled = true;  // false: no caption label beside the control (headers name it)
    bool labelHint = true; // the caption label shows the word's hint
    DisplayRule display = DisplayRule::Identity;
    Variants variants = Variants::All;

    TRow Row(int valueRow) && { return With(&TRow::row, valueRow); }
    TRow Min(int lowest) && { return With(&TRow::min, lowest); }
    TRow Limit(int chars) && { return With(&TRow::limit, chars); }
    TRow Width(int chars) && { return With(&TRow::width, chars); }
    TRow Label(std::string_view name) && { return With(&TRow::label, name); }
    TRow ListWord(int id) && { return With(&TRow::listWord, id); }
    TRow NoHint() && { return With(&TRow::labelHint, false); }
    TRow Untagged() && { return With(&TRow::tagged, false); }
    TRow Unlabelled() && { return With(&TRow::labelled, false); }
    TRow Only(Variants which) && { return With(&TRow::variants, which); }

    // The word naming a list's items.
    int ItemsWord() const { return listWord != 0 ? listWord : word; }

private:
    template <typename T, typename V> TRow With(T TRow::*field, V value) {
        this->*field = value;
        return std::move(*this);
    }
};

inline TRow Control(Kind kind, std::string_view param, std::string_view name, int word) {
    TRow row;
    row.kind = kind;
    row.param = param;
    row.name = name;
    row.word = word;
    return row;
}
inline TRow Edit(std::string_view param, std::string_view name, int word) {
    return Control(Kind::Edit, param, name, word);
}
inline TRow Spin(std::string_view param, std::string_view name, std::string_view upDown, int word) {
    TRow row = Control(Kind::Spin, param, name, word);
    row.upDown = upDown;
    return row;
}
inline TRow Memo(std::string_view param, std::string_view name, int word) {
    return Control(Kind::Memo, param, name, word);
}
inline TRow List(std::string_view param, std::string_view name, int word, std::vector<int> items) {
    TRow row = Control(Kind::List, param, name, word);
    row.items = std::move(items);
    return row;
}
inline TRow Check(std::string_view param, std::string_view name, int word) {
    return Control(Kind::Check, param, name, word);
}
inline TRow InvertedCheck(std::string_view param, std::string_view name, int word) {
    return Control(Kind::InvertedCheck, param, name, word);
}
inline TRow Track(std::string_view param, std::string_view name, int word) {
    return Control(Kind::Track, param, name, word);
}
inline TRow Display(std::string_view param, std::string_view name, int word,
                    std::string_view caption, DisplayRule rule) {
    TRow row = Control(Kind::Display, param, name, word).Label(caption);
    row.display = rule;
    return row;
}
inline TRow Caption(std::string_view name, int word) {
    return Control(Kind::Caption, {}, name, word);
}
inline TRow Tabs(std::string_view name) {
    return Control(Kind::Tabs, {}, name, 0);
}
inline TRow TextColumn(std::string_view param, int word, int digits) {
    return Control(Kind::GridText, param, {}, word).Row(kEveryRow).Width(digits);
}
// `list` names the drop-down list that edits the column's cells.
inline TRow ListColumn(std::string_view param, std::string_view list, int word,
                       std::vector<int> items, int digits) {
    TRow row = Control(Kind::GridList, param, list, word).Row(kEveryRow).Width(digits);
    row.items = std::move(items);
    return row;
}

enum class Arrangement {
    Form,  // rows of "label  control", controls across both columns without a label
    Cells, // rows of cells side by side, as many as `cells` says
    Loose, // a group box whose controls the page places itself
    Bare,  // controls straight on the group's sheet, placed by the page itself
    Grid,  // a routing grid: the rows are its columns after the fixed one
};

enum class Side { Left, Right };
inline constexpr Side kLeft = Side::Left;
inline constexpr Side kRight = Side::Right;

struct TGroup {
    std::string_view name;
    int word = 0;        // title; 0 for an untitled box
    std::string_view in; // the sheet or inner tab control; empty for the page itself
    Side side = Side::Left;
    std::vector<TRow> rows;
    Arrangement arrangement = Arrangement::Form;
    int cells = 0;
    Variants variants = Variants::All;

    TGroup Arranged(Arrangement how, int cellsPerRow = 0) && {
        arrangement = how;
        cells = cellsPerRow;
        return std::move(*this);
    }
    TGroup Only(Variants which) && {
        variants = which;
        return std::move(*this);
    }
};

inline TGroup Group(std::string_view name, int word, std::string_view in, Side side,
                    std::vector<TRow> rows) {
    TGroup group;
    group.name = name;
    group.word = word;
    group.in = in;
    group.side = side;
    group.rows = std::move(rows);
    return group;
}

// A tab sheet of the page's main tab control. Its groups stand in two columns
// sharing the width as given; a sheet without shares is arranged by its page.
struct TSheet {
    std::string_view name;
    int word = 0;
    Variants variants = Variants::All;
    int leftShare = 0;
    int rightShare = 0;
};

enum class PageLayout {
    TwoColumns, // groups in two columns of the page (or of each sheet)
    OneGroup,   // one group at its own width, top left
    Manual,     // the page arranges what was built
};

struct TPage {
    int section = 0;
    std::string_view name; // the page's objectName
    std::string_view tabs; // the main tab control; empty for a page without sheets
    std::vector<TSheet> sheets;
    std::vector<TGroup> groups;
    PageLayout layout = PageLayout::TwoColumns;

    TPage Sheets(std::string_view tabControl, std::vector<TSheet> tabSheets) && {
        tabs = tabControl;
        sheets = std::move(tabSheets);
        return std::move(*this);
    }
};

inline TPage Page(int section, std::string_view name, std::vector<TGroup> groups,
                  PageLayout layout = PageLayout::TwoColumns) {
    TPage page;
    page.section = section;
    page.name = name;
    page.groups = std::move(groups);
    page.layout = layout;
    return page;
}

} // namespace kw::pages
