#include "core/language/expression.h"

#include "core/language/statement.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <string>

namespace expression {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("dryrun", text);
}

// Brackets and unary minus nested deeper than this make the text invalid, so a hostile field
// cannot exhaust the stack.
constexpr int MaxNesting = 64;

bool isNameStart(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

bool isNameChar(QChar c) {
    return isNameStart(c) || (c >= u'0' && c <= u'9');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

int Names::slot(QStringView name) {
    const QString key = statement::nameKey(name);
    const auto it = slots_.constFind(key);
    if (it != slots_.constEnd()) return *it;
    const int s = int(names_.size());
    slots_.insert(key, s);
    names_ << name.toString();
    return s;
}

int Names::find(QStringView name) const {
    return slots_.value(statement::nameKey(name), -1);
}

// Recursive descent over sum, product, unary and primary; emits postfix operations.
class Parser {
public:
    Parser(QStringView text, Names& names) : text_(text), names_(names) {}

    Expression run() {
        Expression e;
        skip();
        if (at_ == text_.size()) return e;
        if (!sum(0)) return invalid(error_);
        skip();
        if (at_ != text_.size())
            return invalid(tr("\"%1\" is not part of a number, variable or expression")
                               .arg(text_.sliced(at_).left(20).toString()));
        e.ops_ = std::move(ops_);
        int depth = 0;
        bool loads = false;
        for (const Expression::Op& op : e.ops_) {
            depth += op.code == Code::Push || op.code == Code::Load ? 1 : op.code == Code::Neg ? 0 : -1;
            e.depth_ = std::max(e.depth_, depth);
            loads = loads || op.code == Code::Load;
        }
        if (e.ops_.size() == 1 && loads) {
            e.form_ = Expression::Form::Variable;
        } else if (!loads) {
            // Worked out once; a constant that cannot be evaluated never will be.
            e.form_ = Expression::Form::General;
            const std::optional<double> v = e.evaluateOps({});
            if (!v) {
                const QString why = e.whyNot({}, names_);
                e = invalid(why);
            } else {
                e.form_ = Expression::Form::Constant;
                e.constant_ = *v;
                e.ops_.clear();
            }
        } else {
            e.form_ = Expression::Form::General;
        }
        return e;
    }

private:
    using Code = Expression::Code;

    Expression invalid(const QString& why) {
        Expression e;
        e.form_ = Expression::Form::Invalid;
        e.error_ = why;
        return e;
    }

    bool fail(const QString& why) {
        if (error_.isEmpty()) error_ = why;
        return false;
    }

    void skip() {
        while (at_ < text_.size() && text_[at_].isSpace())
            ++at_;
    }

    bool peek(QChar c) {
        skip();
        return at_ < text_.size() && text_[at_] == c;
    }

    void emit(Code code, int slot = 0, double value = 0) { ops_.push_back({code, slot, value}); }

    bool sum(int depth) {
        if (!product(depth)) return false;
        for (;;) {
            const bool plus = peek(u'+');
            if (!plus && !peek(u'-')) return true;
            ++at_;
            if (!product(depth)) return false;
            emit(plus ? Code::Add : Code::Sub);
        }
    }

    bool product(int depth) {
        if (!unary(depth)) return false;
        for (;;) {
            const bool times = peek(u'*');
            if (!times && !peek(u'/')) return true;
            ++at_;
            if (!unary(depth)) return false;
            emit(times ? Code::Mul : Code::Div);
        }
    }

    bool unary(int depth) {
        if (depth > MaxNesting) return fail(tr("it is nested too deeply"));
        if (peek(u'-')) {
            ++at_;
            if (!unary(depth + 1)) return false;
            emit(Code::Neg);
            return true;
        }
        if (peek(u'+')) {
            ++at_;
            return unary(depth + 1);
        }
        return primary(depth);
    }

    bool primary(int depth) {
        skip();
        if (at_ == text_.size()) return fail(tr("a value is missing"));
        const QChar c = text_[at_];
        if (c == u'(') {
            ++at_;
            if (!sum(depth + 1)) return false;
            if (!peek(u')')) return fail(tr("a \")\" is missing"));
            ++at_;
            return true;
        }
        if (c == u'&') {
            while (at_ < text_.size() && text_[at_] == u'&')
                ++at_;
            const qsizetype start = at_;
            if (at_ == text_.size() || !isNameStart(text_[at_])) return fail(tr("a variable has no name"));
            while (at_ < text_.size() && isNameChar(text_[at_]))
                ++at_;
            emit(Code::Load, names_.slot(text_.sliced(start, at_ - start)));
            return true;
        }
        if (isDigit(c) || c == u'.') return number();
        return fail(tr("\"%1\" is no number, variable or expression").arg(text_.sliced(at_).left(20).toString()));
    }

    bool number() {
        const qsizetype start = at_;
        int digits = 0;
        while (at_ < text_.size() && isDigit(text_[at_]))
            ++at_, ++digits;
        if (at_ < text_.size() && text_[at_] == u'.') {
            ++at_;
            while (at_ < text_.size() && isDigit(text_[at_]))
                ++at_, ++digits;
        }
        if (digits == 0) return fail(tr("\".\" is no number"));
        const std::string latin = text_.sliced(start, at_ - start).toLatin1().toStdString();
        double v = 0;
        const auto [end, ec] = std::from_chars(latin.data(), latin.data() + latin.size(), v);
        if (ec != std::errc() || end != latin.data() + latin.size() || !std::isfinite(v))
            return fail(tr("the number is too large"));
        emit(Code::Push, 0, v);
        return true;
    }

    QStringView text_;
    Names& names_;
    qsizetype at_ = 0;
    std::vector<Expression::Op> ops_;
    QString error_;
};

Expression Expression::compile(QStringView text, Names& names) {
    return Parser(text, names).run();
}

std::optional<double> Expression::evaluateOps(const Values& values, Failure* failure) const {
    if (form_ == Form::Constant) return constant_;
    if (form_ != Form::General && form_ != Form::Variable) return std::nullopt;
    double small[32];
    std::vector<double> large;
    double* st = small;
    if (depth_ > 32) {
        large.resize(std::size_t(depth_));
        st = large.data();
    }
    int sp = 0;
    for (const Op& op : ops_) {
        switch (op.code) {
        case Code::Push:
            st[sp++] = op.value;
            break;
        case Code::Load: {
            const std::size_t s = std::size_t(op.slot);
            if (s >= values.size() || !values[s]) {
                if (failure) *failure = {Failure::NoValue, op.slot};
                return std::nullopt;
            }
            st[sp++] = *values[s];
            break;
        }
        case Code::Add:
            --sp;
            st[sp - 1] += st[sp];
            break;
        case Code::Sub:
            --sp;
            st[sp - 1] -= st[sp];
            break;
        case Code::Mul:
            --sp;
            st[sp - 1] *= st[sp];
            break;
        case Code::Div:
            --sp;
            if (st[sp] == 0) {
                if (failure) *failure = {Failure::DivisionByZero, 0};
                return std::nullopt;
            }
            st[sp - 1] /= st[sp];
            break;
        case Code::Neg:
            st[sp - 1] = -st[sp - 1];
            break;
        }
    }
    if (!std::isfinite(st[0])) {
        if (failure) *failure = {Failure::TooLarge, 0};
        return std::nullopt;
    }
    return st[0];
}

QString Expression::whyNot(const Values& values, const Names& names) const {
    switch (form_) {
    case Form::Empty:
        return tr("it is empty");
    case Form::Invalid:
        return error_;
    case Form::Constant:
        return {};
    case Form::Variable:
    case Form::General:
        break;
    }
    Failure failure;
    if (evaluateOps(values, &failure)) return {};
    switch (failure.why) {
    case Failure::NoValue:
        return tr("&%1 has no value").arg(failure.slot < names.size() ? names.name(failure.slot) : QString());
    case Failure::DivisionByZero:
        return tr("it divides by zero");
    case Failure::TooLarge:
        break;
    }
    return tr("its result is too large");
}

std::optional<double> evaluate(QStringView text, const QHash<QString, double>& variables) {
    Names names;
    const Expression e = Expression::compile(text, names);
    Values values(std::size_t(names.size()));
    for (auto it = variables.begin(); it != variables.end(); ++it) {
        const int s = names.find(it.key());
        if (s >= 0) values[std::size_t(s)] = it.value();
    }
    return e.evaluate(values);
}

} // namespace expression
