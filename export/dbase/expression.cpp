#include "export/dbase/expression.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <functional>
#include <vector>

#include "common/c_format.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {

// One typed node; `eval` computes its value for a record.
struct ExpressionNode {
    ValueType type = ValueType::Character;
    size_t length = 0;
    std::function<Value(const DbfTable&, size_t)> eval;
};

namespace {

using Node = std::unique_ptr<ExpressionNode>;

Value character(std::string text) {
    Value v;
    v.type = ValueType::Character;
    v.text = std::move(text);
    return v;
}
Value number(double n) {
    Value v;
    v.type = ValueType::Number;
    v.number = n;
    return v;
}
Value logical(bool b) {
    Value v;
    v.type = ValueType::Logical;
    v.logical = b;
    return v;
}
Value date(CalendarDate d) {
    Value v;
    v.type = ValueType::Date;
    v.date = d;
    return v;
}

Node make(ValueType type, size_t length, std::function<Value(const DbfTable&, size_t)> eval) {
    auto node = std::make_unique<ExpressionNode>();
    node->type = type;
    node->length = length;
    node->eval = std::move(eval);
    return node;
}

std::string_view trim_right(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// dBase STR(): rounded, right-aligned, asterisks when it does not fit.
std::string str_function(double value, int length, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0) rounded = 0;
    std::string text = c_format("%*.*f", length, decimals, rounded);
    if (text.size() > size_t(length)) text.assign(size_t(length), '*');
    return text;
}

// dBase VAL(): the number at the start of a text after blanks; 0 if none.
double val_function(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    size_t start = i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    }
    if (!digits) return 0;
    std::string text(s.substr(start, i - start));
    if (text.front() == '+') text.erase(0, 1);
    return std::strtod(text.c_str(), nullptr);
}

// Function names as dBase accepts them: whole, or cut to at least 4 letters.
bool names(std::string_view written, std::string_view function) {
    return written == function || (written.size() >= 4 && function.substr(0, written.size()) == written);
}

struct Token {
    enum Kind { End, Name, Number, String, Symbol } kind = End;
    std::string text;
};

class Parser {
public:
    Parser(std::string_view text, const DbfTable& table) : text_(text), table_(table) { advance(); }

    Node parse() {
        Node node = parse_or();
        if (token_.kind != Token::End) fail("unexpected \"" + token_.text + "\"");
        return node;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw DbaseError("expression \"" + std::string(text_) + "\": " + why);
    }

    void advance() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        token_ = {};
        if (pos_ >= text_.size()) return;
        const char c = text_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            const size_t start = pos_;
            while (pos_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
                ++pos_;
            token_ = {Token::Name, std::string(text_.substr(start, pos_ - start))};
            for (char& ch : token_.text) ch = char(std::toupper(static_cast<unsigned char>(ch)));
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
            const size_t start = pos_;
            while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
                ++pos_;
            token_ = {Token::Number, std::string(text_.substr(start, pos_ - start))};
        } else if (c == '\'' || c == '"' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const size_t end = text_.find(close, pos_ + 1);
            if (end == std::string_view::npos) fail("unterminated text constant");
            token_ = {Token::String, std::string(text_.substr(pos_ + 1, end - pos_ - 1))};
            pos_ = end + 1;
        } else if (c == '.') {
            const size_t end = text_.find('.', pos_ + 1);
            if (end == std::string_view::npos) fail("stray \".\"");
            token_ = {Token::Symbol, std::string(text_.substr(pos_, end - pos_ + 1))};
            for (char& ch : token_.text) ch = char(std::toupper(static_cast<unsigned char>(ch)));
            pos_ = end + 1;
        } else {
            static const char* const two[] = {"==", "<>", "!=", "<=", ">=", "->"};
            for (const char* op : two)
                if (text_.substr(pos_, 2) == op) {
                    token_ = {Token::Symbol, op};
                    pos_ += 2;
                    return;
                }
            token_ = {Token::Symbol, std::string(1, c)};
            ++pos_;
        }
    }

    bool accept(const char* symbol) {
        if (token_.kind == Token::Symbol && token_.text == symbol) {
            advance();
            return true;
        }
        return false;
    }
    void expect(const char* symbol) {
        if (!accept(symbol)) fail(std::string("\"") + symbol + "\" expected");
    }

    Node logical_operand() {
        Node n = parse_not();
        if (n->type != ValueType::Logical) fail("a logical operand expected");
        return n;
    }

    Node parse_or() {
        Node left = parse_and();
        while (accept(".OR.")) {
            if (left->type != ValueType::Logical) fail(".OR. needs logical operands");
            Node right = parse_and();
            if (right->type != ValueType::Logical) fail(".OR. needs logical operands");
            left = make(ValueType::Logical, 1, [l = std::shared_ptr(std::move(left)), r = std::shared_ptr(std::move(right))](
                                                   const DbfTable& t, size_t rec) {
                return logical(l->eval(t, rec).logical || r->eval(t, rec).logical);
            });
        }
        return left;
    }

    Node parse_and() {
        Node left = parse_not();
        while (accept(".AND.")) {
            if (left->type != ValueType::Logical) fail(".AND. needs logical operands");
            Node right = logical_operand();
            left = make(ValueType::Logical, 1, [l = std::shared_ptr(std::move(left)), r = std::shared_ptr(std::move(right))](
                                                   const DbfTable& t, size_t rec) {
                return logical(l->eval(t, rec).logical && r->eval(t, rec).logical);
            });
        }
        return left;
    }

    Node parse_not() {
        if (accept(".NOT.") || accept("!")) {
            Node operand = logical_operand();
            return make(ValueType::Logical, 1, [o = std::shared_ptr(std::move(operand))](const DbfTable& t, size_t rec) {
                return logical(!o->eval(t, rec).logical);
            });
        }
        return parse_comparison();
    }

    Node parse_comparison() {
        Node left = parse_sum();
        static const char* const ops[] = {"==", "=", "<>", "#", "!=", "<=", ">=", "<", ">", "$"};
        for (const char* op : ops) {
            if (!accept(op)) continue;
            Node right = parse_sum();
            if (left->type != right->type) fail(std::string("\"") + op + "\" compares values of different types");
            if (std::string(op) == "$" && left->type != ValueType::Character) fail("\"$\" needs texts");
            if (left->type == ValueType::Logical && std::string(op) != "=" && std::string(op) != "==")
                fail("logical values can only be compared for equality");
            // Texts order as the table's language driver orders them;
            // equality is the same in every order.
            const bool ordering = op[0] == '<' || op[0] == '>';
            const Collation* collation = table_.driver().collation();
            if (left->type == ValueType::Character && ordering && std::string(op) != "<>" && !collation)
                fail(c_format("\"%s\" orders texts, and the character order of language driver 0x%02X is not known",
                              op, table_.driver().id()));
            if (!collation) collation = &Collation::binary();
            return make(ValueType::Logical, 1,
                        [o = std::string(op), l = std::shared_ptr(std::move(left)), r = std::shared_ptr(std::move(right)),
                         collation](const DbfTable& t, size_t rec) {
                            const Value a = l->eval(t, rec), b = r->eval(t, rec);
                            if (o == "$") return logical(trim_right(b.text).find(trim_right(a.text)) != std::string_view::npos);
                            int cmp = 0;
                            switch (a.type) {
                                case ValueType::Character:
                                    cmp = collation->compare(trim_right(a.text), trim_right(b.text));
                                    break;
                                case ValueType::Number: cmp = a.number < b.number ? -1 : a.number > b.number; break;
                                case ValueType::Date: {
                                    const long x = a.date.empty() ? 0 : julian_day(a.date);
                                    const long y = b.date.empty() ? 0 : julian_day(b.date);
                                    cmp = x < y ? -1 : x > y;
                                    break;
                                }
                                case ValueType::Logical: cmp = a.logical != b.logical; break;
                            }
                            if (o == "=" || o == "==") return logical(cmp == 0);
                            if (o == "<>" || o == "#" || o == "!=") return logical(cmp != 0);
                            if (o == "<") return logical(cmp < 0);
                            if (o == ">") return logical(cmp > 0);
                            if (o == "<=") return logical(cmp <= 0);
                            return logical(cmp >= 0);
                        });
        }
        return left;
    }

    Node parse_sum() {
        Node left = parse_primary();
        for (;;) {
            const bool plus = accept("+");
            if (!plus && !accept("-")) return left;
            Node right = parse_primary();
            left = combine(plus, std::move(left), std::move(right));
        }
    }

    Node combine(bool plus, Node left, Node right) {
        auto l = std::shared_ptr<ExpressionNode>(std::move(left));
        auto r = std::shared_ptr<ExpressionNode>(std::move(right));
        const ValueType a = l->type, b = r->type;
        if (a == ValueType::Character && b == ValueType::Character) {
            return make(ValueType::Character, l->length + r->length, [plus, l, r](const DbfTable& t, size_t rec) {
                const std::string x = l->eval(t, rec).text, y = r->eval(t, rec).text;
                if (plus) return character(x + y);
                // dBase "-" moves the trailing blanks of the left text to the end.
                const std::string_view kept = trim_right(x);
                return character(std::string(kept) + y + std::string(x.size() - kept.size(), ' '));
            });
        }
        if (a == ValueType::Number && b == ValueType::Number)
            return make(ValueType::Number, 0, [plus, l, r](const DbfTable& t, size_t rec) {
                const double x = l->eval(t, rec).number, y = r->eval(t, rec).number;
                return number(plus ? x + y : x - y);
            });
        if (a == ValueType::Date && b == ValueType::Number)
            return make(ValueType::Date, 8, [plus, l, r](const DbfTable& t, size_t rec) {
                const CalendarDate d = l->eval(t, rec).date;
                if (d.empty()) return date(d);
                const double n = r->eval(t, rec).number;
                return date(from_julian_day(julian_day(d) + long(plus ? n : -n)));
            });
        if (a == ValueType::Date && b == ValueType::Date && !plus)
            return make(ValueType::Number, 0, [l, r](const DbfTable& t, size_t rec) {
                const CalendarDate x = l->eval(t, rec).date, y = r->eval(t, rec).date;
                return number(double((x.empty() ? 0 : julian_day(x)) - (y.empty() ? 0 : julian_day(y))));
            });
        fail(std::string("\"") + (plus ? "+" : "-") + "\" cannot combine these values");
    }

    int integer_constant() {
        bool negative = accept("-");
        if (token_.kind != Token::Number || token_.text.find('.') != std::string::npos)
            fail("a whole number constant expected");
        int value = 0;
        const char* end = token_.text.data() + token_.text.size();
        const auto [stop, error] = std::from_chars(token_.text.data(), end, value);
        if (error != std::errc() || stop != end) fail("a whole number constant is too large");
        advance();
        return negative ? -value : value;
    }

    std::vector<Node> arguments() {
        std::vector<Node> args;
        expect("(");
        if (accept(")")) return args;
        do {
            args.push_back(parse_or());
        } while (accept(","));
        expect(")");
        return args;
    }

    Node parse_function(const std::string& name) {
        for (const char* refused : {"TRIM", "RTRIM", "LTRIM", "ALLTRIM", "DTOC"})
            if (names(name, refused))
                fail(std::string(refused) + "() keys depend on the accounting program's settings and are not supported");

        if (names(name, "STR") || names(name, "SUBSTR") || names(name, "LEFT") || names(name, "RIGHT"))
            return parse_sized_function(name);

        std::vector<Node> args = arguments();
        const auto need = [&](size_t n) {
            if (args.size() != n) fail(name + "() takes " + std::to_string(n) + " argument(s)");
        };
        const auto type_of = [&](size_t i, ValueType t, const char* what) {
            if (args[i]->type != t) fail(name + "() needs " + what);
        };
        if (names(name, "UPPER")) {
            need(1);
            type_of(0, ValueType::Character, "a text");
            auto a = std::shared_ptr(std::move(args[0]));
            return make(ValueType::Character, a->length, [a](const DbfTable& t, size_t rec) {
                std::string s = a->eval(t, rec).text;
                for (char& c : s) c = t.driver().upper(c);
                return character(std::move(s));
            });
        }
        if (names(name, "DTOS")) {
            need(1);
            type_of(0, ValueType::Date, "a date");
            auto a = std::shared_ptr(std::move(args[0]));
            return make(ValueType::Character, 8, [a](const DbfTable& t, size_t rec) {
                return character(to_dtos(a->eval(t, rec).date));
            });
        }
        if (names(name, "VAL")) {
            need(1);
            type_of(0, ValueType::Character, "a text");
            auto a = std::shared_ptr(std::move(args[0]));
            return make(ValueType::Number, 0, [a](const DbfTable& t, size_t rec) {
                return number(val_function(a->eval(t, rec).text));
            });
        }
        if (names(name, "IIF")) {
            need(3);
            type_of(0, ValueType::Logical, "a logical condition");
            if (args[1]->type != args[2]->type) fail("IIF() branches differ in type");
            if (args[1]->type == ValueType::Character && args[1]->length != args[2]->length)
                fail("IIF() branches differ in length");
            auto c = std::shared_ptr(std::move(args[0]));
            auto a = std::shared_ptr(std::move(args[1]));
            auto b = std::shared_ptr(std::move(args[2]));
            return make(a->type, a->length, [c, a, b](const DbfTable& t, size_t rec) {
                return c->eval(t, rec).logical ? a->eval(t, rec) : b->eval(t, rec);
            });
        }
        if (names(name, "DELETED")) {
            need(0);
            return make(ValueType::Logical, 1, [](const DbfTable& t, size_t rec) { return logical(t.deleted(rec)); });
        }
        fail(name + "() is not supported");
    }

    // Functions whose result length comes from constant arguments.
    Node parse_sized_function(const std::string& name) {
        expect("(");
        auto subject = std::shared_ptr<ExpressionNode>(parse_or());
        std::vector<int> sizes;
        while (accept(",")) sizes.push_back(integer_constant());
        expect(")");
        if (names(name, "STR")) {
            if (subject->type != ValueType::Number) fail("STR() needs a number");
            if (sizes.size() > 2) fail("STR() takes at most 3 arguments");
            const int length = sizes.empty() ? 10 : sizes[0];
            const int decimals = sizes.size() > 1 ? sizes[1] : 0;
            if (length < 1 || length > 255 || decimals < 0 || (decimals > 0 && decimals + 2 > length))
                fail("STR() length or decimals out of range");
            return make(ValueType::Character, size_t(length), [subject, length, decimals](const DbfTable& t, size_t rec) {
                return character(str_function(subject->eval(t, rec).number, length, decimals));
            });
        }
        if (subject->type != ValueType::Character) fail(name + "() needs a text");
        const size_t full = subject->length;
        size_t start = 0, count = 0;
        if (names(name, "SUBSTR")) {
            if (sizes.empty() || sizes.size() > 2 || sizes[0] < 1) fail("SUBSTR() needs a start of 1 or more");
            start = std::min(size_t(sizes[0] - 1), full);
            count = sizes.size() > 1 ? size_t(std::max(sizes[1], 0)) : full - start;
        } else {
            if (sizes.size() != 1 || sizes[0] < 0) fail(name + "() needs one count");
            count = size_t(sizes[0]);
            if (names(name, "RIGHT")) start = full - std::min(count, full);
        }
        count = std::min(count, full - start);
        return make(ValueType::Character, count, [subject, start, count](const DbfTable& t, size_t rec) {
            return character(subject->eval(t, rec).text.substr(start, count));
        });
    }

    Node parse_primary() {
        if (accept("(")) {
            Node inner = parse_or();
            expect(")");
            return inner;
        }
        if (accept("-")) {
            auto operand = std::shared_ptr<ExpressionNode>(parse_primary());
            if (operand->type != ValueType::Number) fail("\"-\" needs a number");
            return make(ValueType::Number, 0, [operand](const DbfTable& t, size_t rec) {
                return number(-operand->eval(t, rec).number);
            });
        }
        if (token_.kind == Token::Symbol && (token_.text == ".T." || token_.text == ".F.")) {
            const bool v = token_.text == ".T.";
            advance();
            return make(ValueType::Logical, 1, [v](const DbfTable&, size_t) { return logical(v); });
        }
        if (token_.kind == Token::Number) {
            const double v = std::strtod(token_.text.c_str(), nullptr);
            advance();
            return make(ValueType::Number, 0, [v](const DbfTable&, size_t) { return number(v); });
        }
        if (token_.kind == Token::String) {
            std::string bytes = table_.driver().encode(token_.text);
            advance();
            const size_t length = bytes.size();
            return make(ValueType::Character, length, [bytes](const DbfTable&, size_t) { return character(bytes); });
        }
        if (token_.kind != Token::Name) fail(token_.kind == Token::End ? "unexpected end" : "unexpected \"" + token_.text + "\"");
        std::string name = token_.text;
        advance();
        if (token_.kind == Token::Symbol && token_.text == "(") return parse_function(name);
        if (accept("->")) {
            if (token_.kind != Token::Name) fail("field name expected after \"->\"");
            name = token_.text;
            advance();
        }
        return field_node(name);
    }

    Node field_node(const std::string& name) {
        const FieldDescriptor* f = table_.find_field(name);
        if (!f) fail("field \"" + name + "\" does not exist");
        const FieldDescriptor field = *f;
        switch (field.type) {
            case 'C':
                return make(ValueType::Character, size_t(field.length), [field](const DbfTable& t, size_t rec) {
                    return character(std::string(t.field_bytes(rec, field)));
                });
            case 'N':
            case 'F':
                return make(ValueType::Number, 0, [field](const DbfTable& t, size_t rec) {
                    return number(t.number(rec, field.name));
                });
            case 'D':
                return make(ValueType::Date, 8, [field](const DbfTable& t, size_t rec) {
                    return date(t.date(rec, field.name));
                });
            case 'L':
                return make(ValueType::Logical, 1, [field](const DbfTable& t, size_t rec) {
                    const char c = t.field_bytes(rec, field)[0];
                    return logical(c == 'T' || c == 't' || c == 'Y' || c == 'y');
                });
            default: fail("field \"" + name + "\" of type " + std::string(1, field.type) + " cannot be used");
        }
    }

    std::string_view text_;
    const DbfTable& table_;
    size_t pos_ = 0;
    Token token_;
};

}  // namespace

Expression::Expression(std::string_view text, const DbfTable& table)
    : text_(text), root_(Parser(text, table).parse()) {}
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

ValueType Expression::type() const { return root_->type; }
size_t Expression::length() const { return root_->length; }
Value Expression::evaluate(const DbfTable& table, size_t record) const { return root_->eval(table, record); }

bool Expression::matches(const DbfTable& table, size_t record) const {
    if (root_->type != ValueType::Logical) throw DbaseError("expression \"" + text_ + "\" is not a condition");
    return root_->eval(table, record).logical;
}

}  // namespace tripdesk::dbase
