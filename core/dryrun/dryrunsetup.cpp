// The machine and the blank: the settings made usable, the blank and Z zero read from the file's
// header, and the checks of where each segment takes the tool against the table and the blank.
#include "core/dryrun/dryrunengine.h"
#include "core/headsmith/headerinfo.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace dryrun::engine {

namespace {

// "1/2", "3/4", "1 1/2", "0.5", "18", "12mm", "1/2\"": a size as a header writes it.
std::optional<double> measure(QString text, bool* mm) {
    text = text.trimmed();
    *mm = false;
    static const QRegularExpression unit(QStringLiteral("\\s*(mm|\"|in|inch|inches)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch u = unit.match(text);
    if (u.hasMatch()) {
        *mm = u.captured(1).compare(QStringLiteral("mm"), Qt::CaseInsensitive) == 0;
        text.chop(u.capturedLength());
    }
    static const QRegularExpression form(
        QStringLiteral("^(?:(\\d+(?:\\.\\d*)?|\\.\\d+)|(?:(\\d+)(?:\\s+|\\s*-\\s*))?(\\d+)\\s*/\\s*(\\d+))$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    if (m.hasCaptured(1)) return m.captured(1).toDouble();
    const double denominator = m.captured(4).toDouble();
    if (denominator == 0) return std::nullopt;
    return (m.hasCaptured(2) ? m.captured(2).toDouble() : 0) + m.captured(3).toDouble() / denominator;
}

} // namespace

Setup readSetup(const Program& program, const Settings& settings) {
    headerinfo::Reader reader;
    for (const SourceLine& l : program.lines)
        reader.add(l.text);
    const HeaderInfo& header = reader.info();
    std::optional<double> blankX, blankY, thickness;
    bool thicknessMm = false;
    if (header.hasCutLine) {
        static const QRegularExpression by(QStringLiteral("\\s*[xX\u00d7*]\\s*"));
        const QStringList sides = header.blank.split(by);
        bool mm = false;
        if (sides.size() == 2) {
            blankX = measure(sides[0], &mm);
            blankY = measure(sides[1], &mm);
            if (!blankX || !blankY) blankX = blankY = std::nullopt;
        }
        thickness = measure(header.thickness, &thicknessMm);
    }
    const std::optional<bool> zeroOnTable = header.zeroOnTable;
    // The thickness list mixes inch fractions with millimetre sizes; an inch blank (no side of
    // 200) takes a millimetre thickness in inches.
    if (thickness && thicknessMm && blankX && blankY && *blankX < 200 && *blankY < 200) *thickness /= 25.4;

    Setup s;
    s.fromHeader = blankX || thickness || zeroOnTable;
    s.blankX = blankX ? blankX : settings.blankX;
    s.blankY = blankY ? blankY : settings.blankY;
    s.thickness = thickness ? thickness : settings.thickness;
    s.zeroOnTable = zeroOnTable.value_or(settings.zeroOnTable);
    s.tableX = settings.tableX;
    s.tableY = settings.tableY;
    return s;
}

// The settings made usable, the setup read, and from it the blank's top and the table's top that
// check() measures against.
void Runner::setUp(const Program& program) {
    checkSettings();
    if (settings_.stepLimit > Settings::MaxStepLimit)
        settingNote(tr("The step limit %1 is above the most lines a run executes; %2 is used.")
                        .arg(settings_.stepLimit)
                        .arg(Settings::MaxStepLimit));
    trace_.setup = readSetup(program, settings_);
    Setup& s = trace_.setup;
    // A size from a settings file typed by hand may be anything; one that is no size checks nothing.
    const std::pair<std::optional<double>*, const char*> sizes[] = {
        {&s.tableX, QT_TRANSLATE_NOOP("dryrun", "table width")},
        {&s.tableY, QT_TRANSLATE_NOOP("dryrun", "table depth")},
        {&s.blankX, QT_TRANSLATE_NOOP("dryrun", "blank width")},
        {&s.blankY, QT_TRANSLATE_NOOP("dryrun", "blank length")},
        {&s.thickness, QT_TRANSLATE_NOOP("dryrun", "blank thickness")}};
    for (const auto& [size, what] : sizes) {
        if (!*size || (std::isfinite(**size) && **size > 0 && **size <= Huge)) continue;
        settingNote(
            tr("The %1 %2 is no usable size; the run checks nothing against it.").arg(tr(what), exactNumber(**size)));
        size->reset();
    }
    if (s.blankX && s.blankY && (!s.zeroOnTable || s.thickness)) blankTop_ = s.zeroOnTable ? *s.thickness : 0.0;
    if (!s.zeroOnTable && s.thickness)
        floor_ = -*s.thickness;
    else if (s.zeroOnTable)
        floor_ = 0.0;
}

// Settings that would make times no numbers are replaced, and the run says so.
void Runner::checkSettings() {
    move_ = settings_.move;
    jog_ = settings_.jog;
    const Settings defaults;
    const auto speed = [&](double& v, double fallback, const char* what) {
        if (std::isfinite(v) && v >= SlowestSpeed && v <= Huge) return;
        settingNote(
            tr("The setting %1 (%2) is no usable speed; %3 is used.").arg(tr(what), exactNumber(v), number(fallback)));
        v = fallback;
    };
    AxisSpeeds* groups[] = {&move_, &jog_};
    const AxisSpeeds fallbacks[] = {defaults.move, defaults.jog};
    for (int g = 0; g < 2; ++g) {
        speed(groups[g]->xy, fallbacks[g].xy, SpeedNames[g * 4]);
        speed(groups[g]->z, fallbacks[g].z, SpeedNames[g * 4 + 1]);
        speed(groups[g]->a, fallbacks[g].a, SpeedNames[g * 4 + 2]);
        speed(groups[g]->b, fallbacks[g].b, SpeedNames[g * 4 + 3]);
    }
    if (!settings_.acceleration) return;
    const double accels[] = {settings_.accelXY, settings_.accelZ, settings_.accelAB};
    for (int g = 0; g < 3; ++g) {
        accel_[g] = accels[g];
        if (std::isfinite(accel_[g]) && accel_[g] >= SlowestSpeed && accel_[g] <= Huge) continue;
        settingNote(
            tr("The acceleration %1 is no usable value; those axes are timed without it.").arg(exactNumber(accel_[g])));
        accel_[g] = 0;
    }
    calibration_ = settings_.calibration;
    if (!(std::isfinite(calibration_) && calibration_ > 0 && calibration_ <= 1000)) {
        settingNote(tr("The calibration %1 is no usable factor; 1 is used.").arg(exactNumber(calibration_)));
        calibration_ = 1;
    }
}

void Runner::settingNote(const QString& text) {
    trace_.warnings << Note{LineRef{0, 0}, text, false, QStringLiteral("settings")};
}

// Each line warns once per kind, however often a loop takes the tool there.
void Runner::check(const Position& from, const Position& to, bool jog, File& f, int fi, int at) {
    const Setup& s = trace_.setup;
    const auto outside = [](double v, const std::optional<double>& size) {
        return size && (v < -Tolerance || v > *size + Tolerance);
    };
    if (outside(to.x, s.tableX) || outside(to.y, s.tableY))
        warn(f, fi, at, OutsideTable, "outside-table",
             tr("The tool goes outside the table, to X %1, Y %2.").arg(number(to.x), number(to.y)));
    // A cut is a move that goes below the blank's top surface; above it the bit only passes over.
    if (!jog && blankTop_ && std::min(from.z, to.z) < *blankTop_ - Tolerance) {
        const auto off = [&](const Position& p) { return outside(p.x, s.blankX) || outside(p.y, s.blankY); };
        if (off(from) || off(to))
            warn(f, fi, at, OutsideBlank, "outside-blank",
                 tr("A cut goes outside the %1 x %2 blank, at X %3, Y %4.")
                     .arg(number(*s.blankX), number(*s.blankY), number(off(to) ? to.x : from.x),
                          number(off(to) ? to.y : from.y)));
    }
    if (floor_ && to.z < *floor_ - Tolerance)
        warn(f, fi, at, BelowTable, "below-table",
             tr("The tool goes below the table top, to Z %1 (the table top is at Z %2).")
                 .arg(number(to.z), number(*floor_)));
}

} // namespace dryrun::engine
