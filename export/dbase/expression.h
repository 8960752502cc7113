#pragma once
// dBase expressions over the fields of a table: index keys, FOR clauses and
// record filters. The parser types every node and works out the fixed length
// of every character result, so an expression the engine cannot evaluate
// exactly is refused when it is parsed, before anything is written.
//
// Supported: field names (optionally ALIAS->FIELD), character, number and
// logical constants, + and - on texts, numbers and dates, comparisons
// (= == <> # != < > <= >= $), .AND. .OR. .NOT., and the functions UPPER,
// DTOS, STR, SUBSTR, LEFT, RIGHT, IIF, VAL and DELETED (names may be cut to
// four letters). TRIM-family functions and DTOC depend on settings of the
// accounting program's session and are refused.
#include <memory>
#include <string>
#include <string_view>

#include "export/dbase/calendar_date.h"
#include "export/dbase/dbf_table.h"

namespace tripdesk::dbase {

enum class ValueType { Character, Number, Date, Logical };

struct Value {
    ValueType type = ValueType::Character;
    std::string text;  // Character: table bytes, exactly the node's length
    double number = 0;
    CalendarDate date;
    bool logical = false;
};

struct ExpressionNode;

class Expression {
public:
    // Parses `text` against the fields of `table`; DbaseError naming what is
    // not supported.
    Expression(std::string_view text, const DbfTable& table);
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    ValueType type() const;
    // Length of a character result in bytes.
    size_t length() const;
    Value evaluate(const DbfTable& table, size_t record) const;
    bool matches(const DbfTable& table, size_t record) const;  // logical result
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::unique_ptr<ExpressionNode> root_;
};

}  // namespace tripdesk::dbase
