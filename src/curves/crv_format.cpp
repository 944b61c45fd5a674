#include "curves/crv_format.h"

#include "curves/number_text.h"
#include "curves/windows1252.h"

#include <memory>

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

private:
    std::string_view rest_;
};

// Splits at the first `separator`; the second part is empty when it is absent.
std::pair<std::string_view, std::string_view> splitAt(std::string_view text, char separator)
{
    const auto pos = text.find(separator);
    if (pos == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, pos), text.substr(pos + 1)};
}

// "x y": x is read from the text before the first space, y from all after it.
CurvePoint readPoint(std::string_view line)
{
    const auto [x, y] = splitAt(line, ' ');
    return {readLeadingReal(x), readLeadingReal(y)};
}

struct SampleLine {
    CurvePoint sample, start, end;
};

// "sample<TAB>start tip<TAB>end tip", each part a point line.
SampleLine readSampleLine(std::string_view line)
{
    const auto [sample, tangents] = splitAt(line, '\t');
    const auto [start, end] = splitAt(tangents, '\t');
    return {readPoint(sample), readPoint(start), readPoint(end)};
}

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
    const int samples = usedEntries(slot.sampleCount, kMaxSamples);
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

Status parseCurveFile(std::string_view bytes, std::string_view fileName, CurveSlot &slot)
{
    // Read into a copy so that a refused file leaves the slot as it was.
    auto read = std::make_unique<CurveSlot>(slot);
    LineReader file(bytes);

    read->xLegend = decodeWindows1252(file.valueLine());
    read->xmin = readLeadingReal(file.valueLine());
    read->xmax = readLeadingReal(file.valueLine());
    read->yLegend = decodeWindows1252(file.valueLine());
    read->ymin = readLeadingReal(file.valueLine());
    read->ymax = readLeadingReal(file.valueLine());

    read->sampleCount = readLeadingInt(file.valueLine());
    if (read->sampleCount > kMaxSamples)
        return Status::refused(
            countRefusal(fileName, read->sampleCount, "échantillons", kMaxSamples));
    // Inside the sample loop comment lines are not skipped: every line is a sample.
    std::string_view current = file.valueLine();
    for (int i = 0; i < read->sampleCount; ++i) {
        const SampleLine sample = readSampleLine(current);
        read->samples[i] = sample.sample;
        read->startTangents[i] = sample.start;
        read->endTangents[i] = sample.end;
        current = file.line();
    }
    while (current.starts_with(';'))
        current = file.line();
    read->interpolationFlag = readLeadingInt(current);

    read->samplingCount = readLeadingInt(file.valueLine());
    if (read->samplingCount > kMaxSampledPoints)
        return Status::refused(countRefusal(fileName, read->samplingCount, "points échantillonnés",
                                            kMaxSampledPoints));
    current = file.valueLine();
    for (int j = 0; j < read->samplingCount; ++j) {
        read->sampledPoints[j] = readPoint(current);
        current = file.line();
    }

    slot = *read;
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
