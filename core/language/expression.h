#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

// The values of a part file's fields: a number ("1", "-0.5", ".5", "1."), a variable ("&depth", or
// "&&depth" as IF and Variable lines store it), or an expression of them with + - * /, brackets and
// unary minus. A field is compiled once into a short postfix program and then evaluated as often as
// the run reaches it, against a table of variable values.
namespace expression {

// The variables of a run, each with a slot in the value table. Names compare as the checker
// compares them (statement::nameKey).
class Names {
public:
    // The slot of name (without "&"), a new one when the name is new.
    int slot(QStringView name);
    // The slot of name, or -1.
    int find(QStringView name) const;
    int size() const { return int(names_.size()); }
    // The name as it was first written.
    const QString& name(int slot) const { return names_.at(slot); }

private:
    QHash<QString, int> slots_;
    QStringList names_;
};

// A value per slot; a variable that was never set has none.
using Values = std::vector<std::optional<double>>;

class Expression {
public:
    // An empty expression: a field that holds nothing.
    Expression() = default;

    // Compiles text; names receives a slot for each variable it uses.
    static Expression compile(QStringView text, Names& names);

    bool isEmpty() const { return form_ == Form::Empty; }
    // Neither empty nor something that can never be evaluated (bad text, a constant division by zero).
    bool isValid() const { return form_ != Form::Empty && form_ != Form::Invalid; }
    bool isConstant() const { return form_ == Form::Constant; }

    // The value, or nothing when it cannot be evaluated: the expression is empty or invalid, a
    // variable has no value, a division by zero, or a result too large to be a number.
    std::optional<double> evaluate(const Values& values) const {
        if (form_ == Form::Constant) return constant_;
        if (form_ == Form::Variable) {
            const std::size_t s = std::size_t(ops_.front().slot);
            return s < values.size() ? values[s] : std::nullopt;
        }
        if (form_ == Form::General) return evaluateOps(values);
        return std::nullopt;
    }

    // Why evaluate gives nothing (for a note): the first variable without a value, bad text, a
    // division by zero; empty when it gives a value.
    QString whyNot(const Values& values, const Names& names) const;

private:
    enum class Form : quint8 { Empty, Invalid, Constant, Variable, General };
    enum class Code : quint8 { Push, Load, Add, Sub, Mul, Div, Neg };
    struct Op {
        Code code = Code::Push;
        int slot = 0;
        double value = 0;
    };
    struct Failure {
        enum Why : quint8 { NoValue, DivisionByZero, TooLarge } why = TooLarge;
        int slot = 0;
    };
    friend class Parser;

    std::optional<double> evaluateOps(const Values& values, Failure* failure = nullptr) const;

    Form form_ = Form::Empty;
    double constant_ = 0;
    int depth_ = 0; // stack depth the ops need
    std::vector<Op> ops_;
    QString error_; // why an invalid expression is invalid
};

// The value of text with the given variables (names without "&"), for a one-off evaluation.
std::optional<double> evaluate(QStringView text, const QHash<QString, double>& variables = {});

} // namespace expression
