#include "PageDeclaration.h"

namespace kw::pages {
namespace {

TRow Make(Kind kind, std::string_view param, std::string_view name, int word) {
    TRow row;
    row.kind = kind;
    row.param = param;
    row.name = name;
    row.word = word;
    return row;
}

} // namespace

TRow Edit(std::string_view param, std::string_view name, int word) {
    return Make(Kind::Edit, param, name, word);
}

TRow Spin(std::string_view param, std::string_view name, std::string_view upDown, int word) {
    TRow row = Make(Kind::Spin, param, name, word);
    row.upDown = upDown;
    return row;
}

TRow Memo(std::string_view param, std::string_view name, int word) {
    return Make(Kind::Memo, param, name, word);
}

TRow List(std::string_view param, std::string_view name, int word, std::vector<int> items) {
    TRow row = Make(Kind::List, param, name, word);
    row.items = std::move(items);
    return row;
}

TRow Check(std::string_view param, std::string_view name, int word) {
    return Make(Kind::Check, param, name, word);
}

TRow InvertedCheck(std::string_view param, std::string_view name, int word) {
    return Make(Kind::InvertedCheck, param, name, word);
}

TRow Track(std::string_view param, std::string_view name, int word) {
    return Make(Kind::Track, param, name, word);
}

TRow Display(std::string_view param, std::string_view name, int word, std::string_view caption,
             DisplayRule rule) {
    TRow row = Make(Kind::Display, param, name, word);
    row.label = caption;
    row.display = rule;
    return row;
}

TRow Caption(std::string_view name, int word) {
    return Make(Kind::Caption, {}, name, word);
}

TRow Tabs(std::string_view name) {
    return Make(Kind::Tabs, {}, name, 0);
}

TRow TextColumn(std::string_view param, int word, int digits) {
    TRow row = Make(Kind::GridText, param, {}, word);
    row.row = kEveryRow;
    row.width = digits;
    return row;
}

TRow ListColumn(std::string_view param, std::string_view list, int word, std::vector<int> items,
                int digits) {
    TRow row = Make(Kind::GridList, param, list, word);
    row.row = kEveryRow;
    row.items = std::move(items);
    row.width = digits;
    return row;
}

TGroup Group(std::string_view name, int word, std::string_view in, Side side,
             std::vector<TRow> rows) {
    TGroup group;
    group.name = name;
    group.word = word;
    group.in = in;
    group.side = side;
    group.rows = std::move(rows);
    return group;
}

TGroup TGroup::Arranged(Arrangement how, int cellsPerRow) && {
    arrangement = how;
    cells = cellsPerRow;
    return std::move(*this);
}

TGroup TGroup::Only(Variants which) && {
    variants = which;
    return std::move(*this);
}

} // namespace kw::pages
