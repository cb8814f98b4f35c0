// The compiled form of a file: each line parsed once into an instruction with its values compiled,
// the label table that jumps are resolved against, and the loading of called files.
#include "core/dryrun/dryrunengine.h"

#include "core/partfile/calledfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace dryrun::engine {

QString Runner::resolve(const QString& name, const QString& folder) {
    return calledfile::pathOf(name, folder);
}

int Runner::addExpr(File& f, const QString& text) {
    f.exprs.push_back(expression::Expression::compile(text, names_));
    f.exprTexts << text;
    return int(f.exprs.size()) - 1;
}
int Runner::addText(File& f, const QString& text) {
    f.texts << text;
    return int(f.texts.size()) - 1;
}

// A line the run cannot simulate: it is named with why when the run reaches it.
void Runner::skipped(File& f, Instr& in, const QString& why) {
    in.op = Op::Skip;
    in.note = addText(f, why);
}

// Pre-parses a file once: statements, compiled values and its labels (the first of a name wins).
void Runner::compile(int fi) {
    File& f = *files_[std::size_t(fi)];
    const std::size_t n = f.program->lines.size();
    f.code.resize(n);
    f.time.assign(n, 0);
    f.warned.assign(n, 0);
    f.stop.assign(n, -1);
    QHash<QString, int> labels;
    std::vector<PendingJump> jumps;
    for (std::size_t i = 0; i < n; ++i) {
        // A called file of millions of lines takes a while to read: a cancelled run stops here too,
        // leaving the rest of the file as lines that do nothing (the trace is thrown away).
        if (cancel_ && i % CancelEvery == 0 && cancel_->load(std::memory_order_relaxed)) {
            trace_.cancelled = true;
            break;
        }
        const int at = int(i);
        const statement::Statement st = statement::parse(f.program->lines[i].text);
        if (st.kind == statement::Kind::Label && !st.label.isEmpty()) {
            const QString key = statement::nameKey(st.label);
            if (labels.contains(key))
                warn(f, fi, at, DuplicateLabel, "duplicate-label",
                     tr("The label \"%1\" is defined again; jumps go to line %2.")
                         .arg(st.label)
                         .arg(f.line(labels.value(key)).number));
            else
                labels.insert(key, at);
        }
        f.code[i] = compileStatement(st, f, false, at, jumps);
    }
    for (const PendingJump& p : jumps) {
        Instr& in = p.inThen ? f.then[std::size_t(p.index)] : f.code[std::size_t(p.index)];
        in.target = labels.value(p.key, -1);
    }
    values_.resize(std::size_t(names_.size()));
}

Instr Runner::compileStatement(const statement::Statement& st, File& f, bool inThen, int index,
                               std::vector<PendingJump>& jumps) {
    using statement::Kind;
    Instr in;
    const auto skip = [&](const QString& why) { skipped(f, in, why); };
    switch (st.kind) {
    case Kind::Empty:
    case Kind::Comment:
    case Kind::Label:
        break;
    case Kind::Move:
    case Kind::Jog:
        in.op = st.kind == Kind::Move ? Op::Move : Op::Jog;
        for (int a = 0; a < statement::AxisCount; ++a)
            if (!st.axes[std::size_t(a)].isEmpty()) {
                in.mask |= quint8(1u << a);
                in.expr[std::size_t(a)] = addExpr(f, st.axes[std::size_t(a)]);
            }
        ignoredValues(st, f, in);
        break;
    case Kind::Speed:
        in.op = Op::Speed;
        for (int s = 0; s < statement::SpeedCount; ++s)
            if (!st.speeds[std::size_t(s)].isEmpty()) {
                in.mask |= quint8(1u << s);
                in.expr[std::size_t(s)] = addExpr(f, st.speeds[std::size_t(s)]);
            }
        ignoredValues(st, f, in);
        break;
    case Kind::FileCall:
        compileCall(st, f, in);
        break;
    case Kind::If:
        if (!st.then) {
            skip(tr("the IF line has no THEN."));
        } else if (st.compare == Compare::None) {
            skip(tr("the IF test \"%1\" compares nothing (= < > <= >= <>).").arg(st.left));
        } else {
            in.op = Op::If;
            in.compare = st.compare;
            in.expr[0] = addExpr(f, st.left);
            in.expr[1] = addExpr(f, st.right);
            Instr then = compileStatement(*st.then, f, true, int(f.then.size()), jumps);
            in.target = int(f.then.size());
            f.then.push_back(then);
        }
        break;
    case Kind::GoTo:
    case Kind::GoSub:
        if (st.label.isEmpty()) {
            skip(tr("the %1 line names no label.").arg(st.command));
        } else if (st.label.startsWith(u'&')) {
            skip(tr("a jump to the label a variable holds (%1) cannot be followed.").arg(st.label));
        } else {
            in.op = st.kind == Kind::GoTo ? Op::GoTo : Op::GoSub;
            in.note = addText(f, st.label);
            jumps.push_back({inThen, index, statement::nameKey(st.label)});
        }
        break;
    case Kind::Return:
    case Kind::End:
        in.op = st.kind == Kind::End ? Op::End : Op::Return;
        if (!st.value.isEmpty()) {
            in.ignored = true;
            in.note = addText(f, tr("The text \"%1\" after %2 is not read.").arg(st.value, st.command));
        }
        break;
    case Kind::Assign:
        if (st.variable.isEmpty() || st.value.isEmpty()) {
            skip(tr("the Variable line needs a name and a value."));
        } else {
            in.op = Op::Assign;
            in.target = names_.slot(st.variable);
            in.expr[0] = addExpr(f, st.value);
        }
        break;
    case Kind::Input:
        in.op = Op::Input;
        in.target = st.variable.isEmpty() ? -1 : names_.slot(st.variable);
        in.note = addText(f, st.prompt);
        break;
    case Kind::Pause:
        in.op = st.value.isEmpty() ? Op::Wait : Op::Pause;
        if (!st.value.isEmpty()) in.expr[0] = addExpr(f, st.value);
        break;
    case Kind::Unknown:
        skip(tr("the dry run does not know this command."));
        break;
    }
    return in;
}

void Runner::ignoredValues(const statement::Statement& st, File& f, Instr& in) {
    if (!st.ignoredValues) return;
    in.ignored = true;
    in.note = addText(f, statement::ignoredValuesText(st));
}

void Runner::compileCall(const statement::Statement& st, File& f, Instr& in) {
    const calledfile::Target target = calledfile::resolve(st.file, f.folder);
    using Target = calledfile::Target::Kind;
    if (target.kind == Target::None) return skipped(f, in, tr("the file call names no file."));
    if (target.kind == Target::Variable)
        return skipped(f, in, tr("the file name \"%1\" holds a variable.").arg(st.file));
    if (target.kind == Target::WindowsPath)
        return skipped(f, in, tr("\"%1\" is a Windows path, which cannot be reached here.").arg(st.file));
    Call c;
    c.name = st.file;
    c.path = target.path;
    c.key = keyOf(c.path);
    c.offset = st.offset;
    c.offsetText = st.offsetText;
    in.op = Op::Call;
    in.target = int(f.calls.size());
    f.calls.push_back(c);
}

// Reads a called file the first time a run reaches it and compiles it; a failure is remembered.
int Runner::load(const Call& c) {
    Loaded loaded = loader_ ? loader_(c.path) : Loaded{false, tr("nothing reads files"), {}};
    if (!loaded.ok) {
        fileByKey_.insert(c.key, -1);
        failed_.insert(c.key, loaded.error);
        return -1;
    }
    auto file = std::make_unique<File>();
    file->own = std::move(loaded.program);
    file->program = &file->own;
    file->folder = file->own.folder.isEmpty() ? QFileInfo(c.path).path() : file->own.folder;
    const int index = int(files_.size());
    files_.push_back(std::move(file));
    trace_.files << c.name;
    fileByKey_.insert(c.key, index);
    compile(index);
    unread(files_[std::size_t(index)]->own, index);
    return index;
}

} // namespace dryrun::engine
