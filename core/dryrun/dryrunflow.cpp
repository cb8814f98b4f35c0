// The run: the loop over executed lines with its step limit and cancelling, what each instruction
// does, the jumps, returns and file calls with their frames, stops, and the notes a line gives.
#include "core/dryrun/dryrunengine.h"

#include <algorithm>
#include <cmath>

namespace dryrun::engine {

Runner::Runner(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
               const std::atomic<bool>* cancel, std::atomic<qint64>* progress)
    : settings_(settings), answers_(answers), loader_(loader), cancel_(cancel), progress_(progress) {
    for (auto it = answers.byVariable.begin(); it != answers.byVariable.end(); ++it) {
        QStringView name = it.key();
        while (name.startsWith(u'&'))
            name = name.sliced(1);
        answerByName_.insert(statement::nameKey(name.trimmed()), it.value());
    }
    setUp(program);
    trace_.files << program.name;
    auto main = std::make_unique<File>();
    main->program = &program;
    main->folder = program.folder;
    files_.push_back(std::move(main));
    if (!program.name.isEmpty()) fileByKey_.insert(keyOf(resolve(program.name, program.folder)), 0);
    compile(0);
    if (settings.watchLine > 0)
        for (int at = 0; at < files_[0]->size(); ++at)
            if (files_[0]->line(at).number == settings.watchLine) {
                watchAt_ = at;
                break;
            }
    unread(program, 0);
}

void Runner::unread(const Program& program, int fi) {
    for (const Unread& u : program.unread)
        trace_.notSimulated << Note{LineRef{fi, u.line}, tr("Not simulated: %1").arg(u.why), false,
                                    QStringLiteral("not-read")};
}

Trace Runner::run() {
    frames_.push_back(Frame{});
    const qint64 limit = std::clamp<qint64>(settings_.stepLimit, 1, Settings::MaxStepLimit);
    while (!frames_.empty()) {
        Frame& fr = frames_.back();
        File& f = *files_[std::size_t(fr.file)];
        if (fr.pc >= f.size()) {
            frames_.pop_back();
            continue;
        }
        if (steps_ >= limit) {
            stepLimitReached();
            break;
        }
        if (steps_ % CancelEvery == 0) {
            if (progress_) progress_->store(steps_, std::memory_order_relaxed);
            if (cancel_ && cancel_->load(std::memory_order_relaxed)) {
                trace_.cancelled = true;
                break;
            }
        }
        const int at = fr.pc++;
        const int fi = fr.file;
        // The main file runs only in the first frame (a call of it is a cycle), so its line is enough.
        if (at == watchAt_ && fi == 0) watch(f);
        ring_[std::size_t(steps_ % RingSize)] = {fi, at};
        ++steps_;
        // May push a frame: nothing may hold fr past this.
        execute(f.code[std::size_t(at)], f, fi, at);
    }
    finish();
    return std::move(trace_);
}

void Runner::warn(File& f, int fi, int at, Once kind, const char* rule, const QString& text, bool error) {
    if (once(f, at, kind)) trace_.warnings << Note{ref(f, fi, at), text, error, QString::fromLatin1(rule)};
}

void Runner::notSimulated(File& f, int fi, int at, const char* rule, const QString& why) {
    if (once(f, at, NotSimulated))
        trace_.notSimulated << Note{ref(f, fi, at), tr("Not simulated: %1").arg(why), false, QString::fromLatin1(rule)};
}

// A field's value, or nothing (and the line named as not simulated).
std::optional<double> Runner::value(File& f, int fi, int at, int e, const char* what) {
    const std::optional<double> v = f.exprs[std::size_t(e)].evaluate(values_);
    if (!v && once(f, at, NotSimulated))
        trace_.notSimulated << Note{ref(f, fi, at),
                                    tr("Not simulated: the %1 value \"%2\" cannot be evaluated: %3.")
                                        .arg(tr(what), f.exprTexts[e], f.exprs[std::size_t(e)].whyNot(values_, names_)),
                                    false, QStringLiteral("not-evaluated")};
    return v;
}

void Runner::execute(const Instr& in, File& f, int fi, int at) {
    switch (in.op) {
    case Op::Nop:
        return;
    case Op::Move:
    case Op::Jog:
        return motion(in, f, fi, at, in.op == Op::Jog);
    case Op::Speed:
        return speeds(in, f, fi, at);
    case Op::Call:
        return call(in, f, fi, at);
    case Op::If: {
        const std::optional<double> left = value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "IF test's left"));
        const std::optional<double> right =
            value(f, fi, at, in.expr[1], QT_TRANSLATE_NOOP("dryrun", "IF test's right"));
        if (left && right && statement::holds(*left, in.compare, *right))
            execute(f.then[std::size_t(in.target)], f, fi, at);
        return;
    }
    case Op::GoTo:
    case Op::GoSub: {
        if (in.target < 0) {
            warn(f, fi, at, MissingLabel, "missing-label",
                 tr("No line of this file is the label \"%1\"; the run goes on with the next line.")
                     .arg(f.texts[in.note]),
                 true);
            return;
        }
        Frame& fr = frames_.back();
        if (in.op == Op::GoSub && fr.returns.size() >= std::size_t(MaxGoSubDepth)) {
            // A subroutine that calls itself without end would hold a return line for every pass.
            warn(f, fi, at, GoSubDepth, "gosub-depth",
                 tr("This GOSUB would wait for more than %1 RETURNs at once, a subroutine that calls itself "
                    "without end; the run stops here.")
                     .arg(MaxGoSubDepth),
                 true);
            frames_.clear();
            return;
        }
        if (in.op == Op::GoSub) fr.returns.push_back(fr.pc);
        fr.pc = in.target;
        return;
    }
    case Op::Return: {
        if (in.ignored) warn(f, fi, at, IgnoredValues, "ignored-text", f.texts[in.note]);
        Frame& fr = frames_.back();
        if (fr.returns.empty()) {
            warn(f, fi, at, ReturnAlone, "return-without-gosub",
                 tr("RETURN without a GOSUB before it: this file ends here."));
            fr.pc = f.size();
        } else {
            fr.pc = fr.returns.back();
            fr.returns.pop_back();
        }
        return;
    }
    case Op::End:
        if (in.ignored) warn(f, fi, at, IgnoredValues, "ignored-text", f.texts[in.note]);
        frames_.back().pc = f.size();
        return;
    case Op::Assign:
        if (const auto v = value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "variable's")))
            values_[std::size_t(in.target)] = v;
        return;
    case Op::Input:
        return input(in, f, fi, at);
    case Op::Pause: {
        const auto v = value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "PAUSE"));
        if (!v) return;
        if (*v < 0 || *v > Huge) {
            warn(f, fi, at, NegativePause, "pause-out-of-range",
                 tr("PAUSE %1 is below 0 or above %2 seconds, beyond any wait; no time is added.")
                     .arg(exactNumber(*v), number(Huge)));
            return;
        }
        addTime(f, at, *v);
        return;
    }
    case Op::Wait: {
        Stop& s = stopAt(f, fi, at, Stop::Kind::Pause);
        ++s.times;
        return;
    }
    case Op::Skip:
        notSimulated(f, fi, at, "not-simulated", f.texts[in.note]);
        return;
    }
}

Stop& Runner::stopAt(File& f, int fi, int at, Stop::Kind kind) {
    int& s = f.stop[std::size_t(at)];
    if (s < 0) {
        s = int(trace_.stops.size());
        Stop stop;
        stop.source = ref(f, fi, at);
        stop.kind = kind;
        stop.prompt = f.line(at).text;
        trace_.stops << stop;
    }
    return trace_.stops[s];
}

void Runner::input(const Instr& in, File& f, int fi, int at) {
    const bool first = f.stop[std::size_t(at)] < 0;
    Stop& s = stopAt(f, fi, at, Stop::Kind::Input);
    if (first) {
        s.prompt = f.texts[in.note];
        s.variable = in.target < 0 ? QString() : names_.name(in.target);
        const LineRef r = ref(f, fi, at);
        const auto byLine = answers_.byLine.constFind(r);
        const auto byName =
            in.target < 0 ? answerByName_.constEnd() : answerByName_.constFind(statement::nameKey(s.variable));
        s.answered = byLine != answers_.byLine.constEnd() || byName != answerByName_.constEnd();
        s.answer = byLine != answers_.byLine.constEnd() ? *byLine : s.answered ? *byName : 0.0;
        if (!s.answered && in.target >= 0)
            warn(f, fi, at, Unanswered, "unanswered-input",
                 tr("No answer is given for this INPUT; the run takes 0 for &%1.").arg(s.variable));
    }
    ++s.times;
    if (in.target >= 0) values_[std::size_t(in.target)] = s.answer;
}

void Runner::call(const Instr& in, File& f, int fi, int at) {
    Call& c = f.calls[std::size_t(in.target)];
    // Too deep is known before the file is read, so a file that would run too deep is not loaded.
    if (int(frames_.size()) > MaxCallDepth) {
        warn(f, fi, at, CallDepth, "call-depth",
             tr("File calls nest deeper than %1 files; this call is skipped.").arg(MaxCallDepth), true);
        return;
    }
    if (c.file == -2) c.file = fileByKey_.value(c.key, -2);
    if (c.file == -2) c.file = load(c);
    const int called = c.file;
    if (called < 0) {
        warn(f, fi, at, MissingFile, "missing-file",
             tr("The called file \"%1\" cannot be read (%2); the run goes on with the next line.")
                 .arg(c.name, failed_.value(c.key)),
             true);
        return;
    }
    for (const Frame& fr : frames_)
        if (fr.file == called) {
            warn(f, fi, at, CallCycle, "call-cycle",
                 tr("\"%1\" is running already, so this call would never end; it is skipped.").arg(c.name), true);
            return;
        }
    if (c.offset == Offset::Odd)
        warn(f, fi, at, OddOffset, "odd-offset",
             tr("The offset mode \"%1\" is none of 0, 2 and 1; the file runs without an offset.").arg(c.offsetText));
    const Frame& caller = frames_.back();
    Frame next;
    next.file = called;
    next.region = caller.file == 0 ? f.line(at).region : caller.region;
    next.ox = caller.ox;
    next.oy = caller.oy;
    next.oz = caller.oz;
    if (c.offset == Offset::TwoD || c.offset == Offset::ThreeD) {
        next.ox = pos_.x;
        next.oy = pos_.y;
    }
    if (c.offset == Offset::ThreeD) next.oz = pos_.z;
    frames_.push_back(std::move(next));
}

void Runner::stepLimitReached() {
    trace_.stepLimitReached = true;
    QHash<qint64, int> counts;
    const qint64 kept = std::min<qint64>(steps_, RingSize);
    for (qint64 i = 0; i < kept; ++i) {
        const Recent& r = ring_[std::size_t(i)];
        ++counts[qint64(r.file) << 32 | quint32(r.at)];
    }
    QList<std::pair<int, qint64>> repeating;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (*it > 1) repeating.append({*it, it.key()});
    std::sort(repeating.begin(), repeating.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QStringList names;
    LineRef source{0, 0};
    for (qsizetype i = 0; i < std::min<qsizetype>(repeating.size(), 8); ++i) {
        const int fi = int(repeating[i].second >> 32);
        const int at = int(repeating[i].second & 0xffffffff);
        const LineRef r = ref(*files_[std::size_t(fi)], fi, at);
        if (i == 0) source = r;
        names << (fi == 0 ? tr("line %1 (%2 times)").arg(r.line).arg(repeating[i].first)
                          : tr("%1 line %2 (%3 times)").arg(trace_.files[fi]).arg(r.line).arg(repeating[i].first));
    }
    if (names.isEmpty()) {
        // No line ran twice: the program is longer than the limit, not a loop. The last line run is named.
        const Recent& last = ring_[std::size_t((steps_ - 1) % RingSize)];
        source = steps_ > 0 ? ref(*files_[std::size_t(last.file)], last.file, last.at) : LineRef{0, 0};
        trace_.warnings << Note{source,
                                tr("The run stopped after %1 lines, the step limit, at this line; no line ran twice, "
                                   "so the program is longer than the limit rather than a loop.")
                                    .arg(steps_),
                                false, QStringLiteral("step-limit")};
        return;
    }
    trace_.warnings << Note{source,
                            tr("The run stopped after %1 lines, the step limit, as if it looped without end. "
                               "Of the last %2 lines, these ran most: %3.")
                                .arg(steps_)
                                .arg(kept)
                                .arg(names.join(QStringLiteral(", "))),
                            false, QStringLiteral("step-limit")};
}

void Runner::watch(const File& f) {
    // The first times are recorded, without a gap: once one is left out, so are all after it.
    if (qint64(trace_.watched.size()) < trace_.watchedTimes++) return;
    if (trace_.watched.size() >= std::size_t(MaxWatchedTimes)) return;
    const qint64 values = qint64(values_.size()) + qint64(frames_.front().returns.size());
    if (!trace_.watched.empty() && watchedValues_ + values > MaxWatchedValues) return;
    watchedValues_ += values;
    LineState s;
    s.pass = int(trace_.watchedTimes);
    s.runTime = trace_.totalTime;
    s.position = pos_;
    s.move = move_;
    s.jog = jog_;
    s.speedsSet = speedsSet_;
    for (int slot = 0; slot < int(values_.size()); ++slot)
        if (values_[std::size_t(slot)]) s.variables.append({names_.name(slot), *values_[std::size_t(slot)]});
    const int past = f.size() > 0 ? f.line(f.size() - 1).number + 1 : 1;
    for (const int pc : frames_.front().returns)
        s.returnTo.push_back(pc < f.size() ? f.line(pc).number : past);
    s.segmentsBefore = trace_.segments.size();
    s.notSimulatedBefore = trace_.notSimulated.size();
    s.stopsBefore = trace_.stops.size();
    trace_.watched.push_back(std::move(s));
}

void Runner::finish() {
    trace_.executedLines = steps_;
    for (std::size_t fi = 0; fi < files_.size(); ++fi) {
        const File& f = *files_[fi];
        for (int at = 0; at < f.size(); ++at)
            if (f.time[std::size_t(at)] > 0) trace_.timePerLine.insert(ref(f, int(fi), at), f.time[std::size_t(at)]);
    }
}

} // namespace dryrun::engine
