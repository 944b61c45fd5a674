#include "curves/crv_format.h"

#include "curves/number_text.h"
#include "curves/windows1252.h"

#include <cmath>
#include <memory>
#include <optional>

namespace ombrelis {

namespace {

constexpr std::string_view kEndOfLine = "\r\n";

class CurveFileWriter {
public:
    explicit CurveFileWriter(std::string &out) : out_(out) { }

    void comment(std::string_view utf8Text) { text(utf8Text); }
    void text(std::string_view utf8Text)
    {
        out_ += encodeWindows1252(utf8Text);
        out_ += kEndOfLine;
    }
    void real(double value)
    {
        appendFixed(out_, value, 6);
        out_ += kEndOfLine;
    }
    void integer(std::int32_t value)
    {
        appendInt(out_, value);
        out_ += kEndOfLine;
    }
    void pointLine(const CurvePoint &p)
    {
        point(p);
        out_ += kEndOfLine;
    }
    void sampleLine(const CurvePoint &sample, const CurvePoint &start, const CurvePoint &end)
    {
        point(sample);
        out_ += '\t';
        point(start);
        out_ += '\t';
        point(end);
        out_ += kEndOfLine;
    }

private:
    void point(const CurvePoint &p)
    {
        appendFixed(out_, p.x, 6);
        out_ += ' ';
        appendFixed(out_, p.y, 6);
    }

    std::string &out_;
};

// Hands out the lines of a buffer without their terminator: LF, or CR LF.
// Past the end every line is empty.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) { }

    std::string_view line()
    {
        if (rest_.empty()) {
            pastEnd_ = true;
            return {};
        }
        ++number_;
        const auto newline = rest_.find('\n');
        std::string_view line = rest_.substr(0, newline);
        rest_ = newline == std::string_view::npos ? std::string_view() : rest_.substr(newline + 1);
        if (newline != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        return line;
    }

    // The next line that does not begin with ';'.
    std::string_view valueLine()
    {
        std::string_view current = line();
        while (current.starts_with(';'))
            current = line();
        return current;
    }

    // Whether a line was asked for after the last one.
    bool pastEnd() const { return pastEnd_; }
    // The number of the last line handed out, from 1.
    std::int64_t number() const { return number_; }

private:
    std::string_view rest_;
    bool pastEnd_ = false;
    std::int64_t number_ = 0;
};

// Splits at the first `separator`; the second part is empty when it is absent.
std::pair<std::string_view, std::string_view> splitAt(std::string_view text, char separator)
{
    const auto pos = text.find(separator);
    if (pos == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, pos), text.substr(pos + 1)};
}

struct SampleLine {
    CurvePoint sample, start, end;
};

// A field of the file as messages name it: "Xmin", "échantillon 3 sur 5".
struct Field {
    std::string_view article;  // before the name in "il s'arrête avant ..."
    std::string_view name;
    int index = -1;  // from 0, in a group of `count`; -1 for a single field
    std::int32_t count = 0;

    Field of(int i, std::int32_t n) const { return {article, name, i, n}; }

    std::string text() const
    {
        std::string text(name);
        if (index >= 0) {
            text += ' ';
            appendInt(text, index + 1);
            text += " sur ";
            appendInt(text, count);
        }
        return text;
    }
};

// clang-format off
constexpr Field kXLegend{"la ", "légende de l'axe des X"};
constexpr Field kXmin{"", "Xmin"};
constexpr Field kXmax{"", "Xmax"};
constexpr Field kYLegend{"la ", "légende de l'axe des Y"};
constexpr Field kYmin{"", "Ymin"};
constexpr Field kYmax{"", "Ymax"};
constexpr Field kSampleCount{"le ", "nombre d'échantillons"};
constexpr Field kSample{"l'", "échantillon"};
constexpr Field kFlag{"le ", "flag d'interpolation"};
constexpr Field kPointCount{"le ", "nombre de points échantillonnés"};
constexpr Field kPoint{"le ", "point échantillonné"};
// clang-format on

// Reads the fields of a curve file as atof and atoi would, whatever the
// file holds, and notes what such a lenient reading passed over: text where
// a number belongs, a number that is not finite, a negative count, the file
// ending before a field. It tells the first fault of the lines it read and,
// when the file also ends early, that it does: a cut garbles the line before
// it, and a wrong count makes the lines after it read as other fields.
class LenientReader {
public:
    LenientReader(std::string_view bytes, std::string_view fileName)
        : lines_(bytes), fileName_(fileName)
    { }

    // The next value line, which holds `field`.
    std::string_view value(const Field &field) { return checkedEnd(lines_.valueLine(), field); }
    // The next line, comments included, which holds `field`.
    std::string_view line(const Field &field) { return checkedEnd(lines_.line(), field); }

    double real(std::string_view text, const Field &field)
    {
        const std::optional<double> value = leadingReal(text);
        if (!value)
            noNumber(field);
        else if (!std::isfinite(*value))
            notFinite(*value, field);
        return value.value_or(0.0);
    }

    std::int32_t integer(std::string_view text, const Field &field)
    {
        const std::optional<std::int32_t> value = leadingInt(text);
        if (!value)
            noNumber(field);
        return value.value_or(0);
    }

    std::int32_t count(std::string_view text, const Field &field)
    {
        const std::int32_t value = integer(text, field);
        if (value < 0) {
            std::string fault = "le nombre ";
            appendInt(fault, value);
            malformed(field, fault + " est négatif ; aucune ligne n'est lue pour lui");
        }
        return value;
    }

    // "x y": x is read from the text before the first space, y from all after it.
    CurvePoint point(std::string_view line, const Field &field)
    {
        const auto [x, y] = splitAt(line, ' ');
        return {real(x, field), real(y, field)};
    }

    // "sample<TAB>start tip<TAB>end tip", each part a point line.
    SampleLine sampleLine(std::string_view line, const Field &field)
    {
        const auto [sample, tangents] = splitAt(line, '\t');
        const auto [start, end] = splitAt(tangents, '\t');
        return {point(sample, field), point(start, field), point(end, field)};
    }

    // One French message naming the file; empty for a whole, well-formed one.
    std::string fault() const
    {
        if (missing_.empty())
            return firstFault_;
        const std::string end = " avant " + missing_ + " ; ce qui manque est lu comme vide ou nul.";
        if (firstFault_.empty())
            return "Fichier de courbe incomplet « " + std::string(fileName_) + " » : il s'arrête" +
                   end;
        return firstFault_ + " Il s'arrête aussi" + end;
    }

private:
    std::string_view checkedEnd(std::string_view line, const Field &field)
    {
        if (lines_.pastEnd() && missing_.empty())
            missing_ = std::string(field.article) + field.text();
        return line;
    }

    // Past the end every field is missing, which the truncation tells.
    void noNumber(const Field &field)
    {
        if (!lines_.pastEnd())
            malformed(field, "un nombre est attendu ; 0 est lu à sa place");
    }

    void notFinite(double value, const Field &field)
    {
        std::string fault = "la valeur lue n'est pas un nombre fini (";
        appendFixed(fault, value, 0);
        malformed(field, fault + ")");
    }

    void malformed(const Field &field, std::string_view fault)
    {
        if (!firstFault_.empty())
            return;
        firstFault_ = "Fichier de courbe mal formé « " + std::string(fileName_) + " » : ligne " +
                      std::to_string(lines_.number()) + " (" + field.text() + "), " +
                      std::string(fault) + '.';
    }

    LineReader lines_;
    std::string_view fileName_;
    std::string firstFault_;
    std::string missing_;  // the first field past the end of the file
};

std::string countRefusal(std::string_view fileName, std::int32_t count, std::string_view what,
                         int capacity)
{
    std::string message = "Fichier de courbe invalide « ";
    message += fileName;
    message += " » : ";
    appendInt(message, count);
    message += ' ';
    message += what;
    message += ", ";
    appendInt(message, capacity);
    message += " au plus.";
    return message;
}

}  // namespace

std::string formatCurveFile(const CurveSlot &slot)
{
    const int samples = sampleTotal(slot);
    const int points = usedEntries(slot.samplingCount, kMaxSampledPoints);
    std::string out;
    out.reserve(600 + 100 * samples + 40 * points);
    CurveFileWriter file(out);

    file.comment(";Légende de l'axe des X");
    file.text(slot.xLegend);
    file.comment(";Xmin");
    file.real(slot.xmin);
    file.comment(";Xmax");
    file.real(slot.xmax);
    file.comment(";Légende de l'axe des Y");
    file.text(slot.yLegend);
    file.comment(";Ymin");
    file.real(slot.ymin);
    file.comment(";Ymax");
    file.real(slot.ymax);
    file.comment(";Nombre d'echantillons");
    file.integer(slot.sampleCount);
    file.comment(";Coordonnées des : Echantillons - Tangentes début - Tangentes fin");
    for (int i = 0; i < samples; ++i)
        file.sampleLine(slot.samples[i], slot.startTangents[i], slot.endTangents[i]);
    file.comment(";Flag d'interpolation");
    file.integer(slot.interpolationFlag);
    file.comment(";Nombre de points echantillonés");
    file.integer(slot.samplingCount);
    file.comment(";Coordonnées des points échantillonnés");
    for (int j = 0; j < points; ++j)
        file.pointLine(slot.sampledPoints[j]);
    return out;
}

Status parseCurveFile(std::string_view bytes, std::string_view fileName, CurveSlot &slot,
                      std::string *fault)
{
    // Read into a copy so that a refused file leaves the slot as it was.
    auto read = std::make_unique<CurveSlot>(slot);
    LenientReader file(bytes, fileName);

    read->xLegend = decodeWindows1252(file.value(kXLegend));
    read->xmin = file.real(file.value(kXmin), kXmin);
    read->xmax = file.real(file.value(kXmax), kXmax);
    read->yLegend = decodeWindows1252(file.value(kYLegend));
    read->ymin = file.real(file.value(kYmin), kYmin);
    read->ymax = file.real(file.value(kYmax), kYmax);

    read->sampleCount = file.count(file.value(kSampleCount), kSampleCount);
    if (read->sampleCount > kMaxSamples)
        return Status::refused(
            countRefusal(fileName, read->sampleCount, "échantillons", kMaxSamples));
    // Inside the sample loop comment lines are not skipped: every line is a sample.
    for (int i = 0; i < read->sampleCount; ++i) {
        const Field sample = kSample.of(i, read->sampleCount);
        const SampleLine line =
            file.sampleLine(i == 0 ? file.value(sample) : file.line(sample), sample);
        read->samples[i] = line.sample;
        read->startTangents[i] = line.start;
        read->endTangents[i] = line.end;
    }
    read->interpolationFlag = file.integer(file.value(kFlag), kFlag);

    read->samplingCount = file.count(file.value(kPointCount), kPointCount);
    if (read->samplingCount > kMaxSampledPoints)
        return Status::refused(countRefusal(fileName, read->samplingCount, "points échantillonnés",
                                            kMaxSampledPoints));
    for (int j = 0; j < read->samplingCount; ++j) {
        const Field point = kPoint.of(j, read->samplingCount);
        read->sampledPoints[j] = file.point(j == 0 ? file.value(point) : file.line(point), point);
    }

    slot = *read;
    if (fault)
        *fault = file.fault();
    return Status::done();
}

Status checkLegend(std::string_view utf8)
{
    if (utf8.find_first_of("\r\n") != std::string_view::npos)
        return Status::refused("une légende tient sur une ligne");
    if (utf8.starts_with(';'))
        return Status::refused(
            "une légende ne commence pas par « ; », qui en ferait un commentaire");
    return checkWindows1252(utf8);
}

}  // namespace ombrelis
