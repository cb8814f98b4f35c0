// The machine and the blank: the settings made usable, the blank and Z zero read from the file's
// header, and the checks of where each segment takes the tool against the table and the blank.
#include "core/dryrun/dryrunengine.h"
#include "core/headsmith/headerinfo.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace dryrun {

namespace {

// A size as a header writes it, and the unit it names: "mm", an inch mark or a fraction says; a
// plain number says nothing.
struct Measure {
    double value = 0;
    std::optional<Unit> unit;
};

// "1/2", "3/4", "1 1/2", "0.5", "18", "12mm", "1/2\"": a size as a header writes it.
std::optional<Measure> measure(QString text) {
    text = text.trimmed();
    std::optional<Unit> unit;
    static const QRegularExpression mark(QStringLiteral("\\s*(mm|\"|in|inch|inches)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch u = mark.match(text);
    if (u.hasMatch()) {
        unit = u.captured(1).compare(QStringLiteral("mm"), Qt::CaseInsensitive) == 0 ? Unit::Millimetre : Unit::Inch;
        text.chop(u.capturedLength());
    }
    static const QRegularExpression form(
        QStringLiteral("^(?:(\\d+(?:\\.\\d*)?|\\.\\d+)|(?:(\\d+)(?:\\s+|\\s*-\\s*))?(\\d+)\\s*/\\s*(\\d+))$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    if (m.hasCaptured(1)) return Measure{m.captured(1).toDouble(), unit};
    const double denominator = m.captured(4).toDouble();
    if (denominator == 0) return std::nullopt;
    // Millimetres are never written as fractions.
    return Measure{(m.hasCaptured(2) ? m.captured(2).toDouble() : 0) + m.captured(3).toDouble() / denominator,
                   unit.value_or(Unit::Inch)};
}

// How many of to's units one of from's is.
double factor(Unit from, Unit to) {
    if (from == to) return 1;
    return from == Unit::Inch ? 25.4 : 1 / 25.4;
}

double inUnit(const Measure& m, Unit unit) {
    return m.unit ? m.value * factor(*m.unit, unit) : m.value;
}

std::optional<double> scaled(const std::optional<double>& v, double f) {
    return v ? std::optional<double>(*v * f) : std::nullopt;
}

// The bit as the header names it, "SIZE TYPE": "1/4 down-spiral bit", "3mm straight bit",
// "60 degree V bit". Nothing when the size cannot be read.
struct BitRead {
    std::optional<Tool> tool;
    std::optional<Unit> unit; // what the size's own unit mark says
};
BitRead readBit(const QString& text, Unit unit, const Settings& settings) {
    static const QRegularExpression type(
        QStringLiteral("\\b(straight|compression|up-?spiral|down-?spiral|spiral|end\\s*mill|flat|ball(?:\\s*nose)?|v)"
                       "\\b.*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bitWord(QStringLiteral("\\s*\\bbit\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression degrees(QStringLiteral("^(\\d+(?:\\.\\d*)?)\\s*(?:\u00b0|deg|degrees?)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString size = text;
    Tool tool = settings.tool;
    tool.shape = Tool::Shape::Flat;
    const QRegularExpressionMatch t = type.match(text);
    if (t.hasMatch()) {
        size = text.left(t.capturedStart());
        const QString word = t.captured(1).toLower();
        if (word == u"v") tool.shape = Tool::Shape::V;
        if (word.startsWith(u"ball")) tool.shape = Tool::Shape::Ball;
    } else {
        size.remove(bitWord);
    }
    size = size.trimmed();
    BitRead out;
    if (size.isEmpty() && tool.shape != Tool::Shape::V) return out;
    const double vDiameter = settings.vBitDiameter ? *settings.vBitDiameter * factor(settings.unit, unit)
                                                   : (unit == Unit::Inch ? 0.5 : 12.0);
    if (const QRegularExpressionMatch d = degrees.match(size); d.hasMatch() || size.isEmpty()) {
        const double angle = d.hasMatch() ? d.captured(1).toDouble() : settings.tool.angle;
        if (!(angle > 0 && angle < 180)) return out;
        tool.shape = Tool::Shape::V;
        tool.angle = angle;
        tool.diameter = vDiameter;
        out.tool = tool;
        return out;
    }
    const std::optional<Measure> m = measure(size);
    if (!m || !(m->value > 0)) return out;
    out.unit = m->unit;
    tool.diameter = inUnit(*m, unit);
    out.tool = tool;
    return out;
}

} // namespace

QString unitSymbol(Unit unit) {
    return unit == Unit::Inch ? QStringLiteral("in") : QStringLiteral("mm");
}

QString speedSymbol(Unit unit) {
    return unitSymbol(unit) + QStringLiteral("/s");
}

std::optional<double> blankTop(const Setup& s) {
    if (!s.blankX || !s.blankY || (s.zeroOnTable && !s.thickness)) return std::nullopt;
    return s.zeroOnTable ? *s.thickness : 0.0;
}

std::optional<double> tableTop(const Setup& s) {
    if (s.zeroOnTable) return 0.0;
    if (s.thickness) return -*s.thickness;
    return std::nullopt;
}

namespace engine {

Setup readSetup(const Program& program, const Settings& settings, QList<Note>* notes) {
    headerinfo::Reader reader;
    int bitLine = 0;
    for (const SourceLine& l : program.lines) {
        reader.add(l.text);
        if (!bitLine && !reader.info().bit.isEmpty()) bitLine = l.number;
    }
    const HeaderInfo& header = reader.info();
    std::optional<Measure> blankX, blankY, thickness;
    if (header.hasCutLine) {
        static const QRegularExpression by(QStringLiteral("\\s*[xX\u00d7*]\\s*"));
        const QStringList sides = header.blank.split(by);
        if (sides.size() == 2) {
            blankX = measure(sides[0]);
            blankY = measure(sides[1]);
            if (!blankX || !blankY) blankX = blankY = std::nullopt;
        }
        thickness = measure(header.thickness);
    }

    // The unit: the blank's where it shows one (no machine takes a blank of 200 inches, so a side of
    // 200 or more is millimetres), else the bit size's own mark, else the settings.
    Setup s;
    s.unit = settings.unit;
    if (blankX) {
        s.unitFromHeader = true;
        s.unit = blankX->unit                                     ? *blankX->unit
                 : blankY->unit                                   ? *blankY->unit
                 : (blankX->value >= 200 || blankY->value >= 200) ? Unit::Millimetre
                                                                  : Unit::Inch;
    } else if (!header.bit.isEmpty()) {
        if (const std::optional<Unit> u = readBit(header.bit, s.unit, settings).unit) {
            s.unit = *u;
            s.unitFromHeader = true;
        }
    }
    const double f = factor(settings.unit, s.unit);

    const std::optional<bool> zeroOnTable = header.zeroOnTable;
    s.fromHeader = blankX || thickness || zeroOnTable;
    s.blankX = blankX ? inUnit(*blankX, s.unit) : scaled(settings.blankX, f);
    s.blankY = blankY ? inUnit(*blankY, s.unit) : scaled(settings.blankY, f);
    s.thickness = thickness ? inUnit(*thickness, s.unit) : scaled(settings.thickness, f);
    s.zeroOnTable = zeroOnTable.value_or(settings.zeroOnTable);
    s.tableX = scaled(settings.tableX, f);
    s.tableY = scaled(settings.tableY, f);

    s.bit = header.bit;
    s.tool = settings.tool;
    s.tool.diameter *= f;
    if (!header.bit.isEmpty()) {
        if (const std::optional<Tool> tool = readBit(header.bit, s.unit, settings).tool) {
            s.tool = *tool;
            s.toolFromHeader = true;
        } else if (notes) {
            *notes << Note{
                LineRef{0, bitLine},
                tr("The header's bit \"%1\" cannot be read as a size; the settings' bit is used.").arg(header.bit),
                false, QStringLiteral("bit-unreadable")};
        }
    }
    return s;
}

// The settings made usable, the setup read, and from it the blank's top and the table's top that
// check() measures against.
void Runner::setUp(const Program& program) {
    trace_.setup = readSetup(program, settings_, &trace_.warnings);
    checkSettings();
    if (settings_.stepLimit > Settings::MaxStepLimit)
        settingNote(tr("The step limit %1 is above the most lines a run executes; %2 is used.")
                        .arg(settings_.stepLimit)
                        .arg(Settings::MaxStepLimit));
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
    trace_.timing = {move_, jog_, settings_.acceleration, accel_[0], accel_[1], accel_[2], calibration_};
    blankTop_ = blankTop(s);
    floor_ = tableTop(s);
}

// Settings that would make times no numbers are replaced, and the run says so.
void Runner::checkSettings() {
    // The settings' speeds are in their own unit; the program's numbers may be in the other.
    const double f = factor(settings_.unit, trace_.setup.unit);
    const auto scaledSpeeds = [f](AxisSpeeds v) {
        v.xy *= f;
        v.z *= f;
        v.a *= f;
        v.b *= f;
        return v;
    };
    move_ = scaledSpeeds(settings_.move);
    jog_ = scaledSpeeds(settings_.jog);
    Settings defaults;
    defaults.move = scaledSpeeds(defaults.move);
    defaults.jog = scaledSpeeds(defaults.jog);
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
    const double accels[] = {settings_.accelXY * f, settings_.accelZ * f, settings_.accelAB * f};
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
void Runner::check(const Position& from, const Position& to, File& f, int fi, int at) {
    const Setup& s = trace_.setup;
    const QString unit = unitSymbol(s.unit);
    const auto length = [&](double v) { return number(v) + u' ' + unit; };
    const auto outside = [](double v, const std::optional<double>& size) {
        return size && (v < -Tolerance || v > *size + Tolerance);
    };
    if (outside(to.x, s.tableX) || outside(to.y, s.tableY))
        warn(f, fi, at, OutsideTable, "outside-table",
             tr("The tool goes outside the table, to X %1, Y %2.").arg(length(to.x), length(to.y)));
    // A cut is a move or a jog with its tip below the blank's top surface; above it the bit only passes
    // over, and straight up it leaves by the hole it made. Its edge, not its centre line, must stay on
    // the blank.
    const bool lift = from.x == to.x && from.y == to.y && to.z > from.z;
    if (blankTop_ && std::min(from.z, to.z) < *blankTop_ - Tolerance && !lift) {
        if (const std::optional<Outside> o = outsideBlank(from, to, s.tool, *blankTop_, *s.blankX, *s.blankY))
            warn(f, fi, at, OutsideBlank, "outside-blank",
                 tr("The bit's edge goes %1 outside the %2 x %3 blank during a cut, at X %4, Y %5.")
                     .arg(length(std::round(o->by * 1e6) / 1e6), number(*s.blankX), length(*s.blankY), length(o->x),
                          length(o->y)));
        const double depth = *blankTop_ - to.z;
        if (s.tool.shape == Tool::Shape::V && depth > coneHeight(s.tool) + Tolerance)
            warn(f, fi, at, ShankCuts, "shank-cuts",
                 tr("The V bit cuts %1 deep, deeper than its cone is tall (%2): its shank would cut.")
                     .arg(length(depth), length(coneHeight(s.tool))));
    }
    if (floor_ && to.z < *floor_ - Tolerance)
        warn(f, fi, at, BelowTable, "below-table",
             tr("The bit's tip goes below the table top, to Z %1 (the table top is at Z %2).")
                 .arg(length(to.z), length(*floor_)));
}

} // namespace engine
} // namespace dryrun
