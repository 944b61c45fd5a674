#include "cli/cli_output.h"

#include "curves/curve_clipboard.h"
#include "curves/json_text.h"
#include "curves/number_text.h"

namespace ombrelis {

namespace {

// Calls field(key, value) for each field that info prints, in its order.
template <typename Field> void visitInfoFields(const CurveSlot &slot, Field &&field)
{
    field("xLegend", slot.xLegend);
    field("yLegend", slot.yLegend);
    field("xmin", slot.xmin);
    field("xmax", slot.xmax);
    field("ymin", slot.ymin);
    field("ymax", slot.ymax);
    field("sampleCount", slot.sampleCount);
    field("samplingCount", slot.samplingCount);
    field("interpolationFlag", slot.interpolationFlag);
}

void appendValue(std::string &out, const std::string &text)
{
    out += text;
}
void appendValue(std::string &out, double value)
{
    appendFixed(out, value, 6);
}
void appendValue(std::string &out, std::int32_t value)
{
    appendInt(out, value);
}

void appendJsonValue(std::string &out, const std::string &text)
{
    appendJsonString(out, text);
}
void appendJsonValue(std::string &out, double value)
{
    appendJsonNumber(out, value);
}
void appendJsonValue(std::string &out, std::int32_t value)
{
    appendInt(out, value);
}

// An object whose first member is the file.
class JsonObject {
public:
    explicit JsonObject(const std::string &file)
    {
        text_ = "{\"file\": ";
        appendJsonString(text_, file);
    }
    std::string &member(const char *key)
    {
        text_ += ", \"";
        text_ += key;
        text_ += "\": ";
        return text_;
    }
    std::string close() { return std::move(text_) + '}'; }

private:
    std::string text_;
};

// A CSV field, quoted when it holds a separator, a quote or a line end.
void appendCsvField(std::string &out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

int pointCount(const CurveSlot &slot)
{
    return usedEntries(slot.samplingCount, kMaxSampledPoints);
}

void appendCsvRows(std::string &out, const CurveSlot &slot, const std::string *file)
{
    std::string prefix;
    if (file) {
        appendCsvField(prefix, *file);
        prefix += ',';
    }
    appendSampledPointRows(out, slot, ',', prefix);
}

}  // namespace

std::string curveInfoText(const CurveSlot &slot)
{
    std::string out;
    visitInfoFields(slot, [&out](const char *key, const auto &value) {
        out += key;
        out += ": ";
        appendValue(out, value);
        out += '\n';
    });
    return out;
}

std::string curveInfoJson(const std::string &file, const CurveSlot &slot)
{
    JsonObject object(file);
    visitInfoFields(slot, [&object](const char *key, const auto &value) {
        appendJsonValue(object.member(key), value);
    });
    return object.close();
}

std::string pointLines(const CurveSlot &slot, std::string_view firstColumn)
{
    std::string out;
    for (int j = 0; j < pointCount(slot); ++j) {
        if (!firstColumn.empty()) {
            out += firstColumn;
            out += '\t';
        }
        appendFixed(out, slot.sampledPoints[j].x, 6);
        out += ' ';
        appendFixed(out, slot.sampledPoints[j].y, 6);
        out += '\n';
    }
    return out;
}

std::string pointCsv(const CurveSlot &slot)
{
    std::string out = "x,y\n";
    appendCsvRows(out, slot, nullptr);
    return out;
}

std::string filePointCsvRows(const std::string &file, const CurveSlot &slot)
{
    std::string out;
    appendCsvRows(out, slot, &file);
    return out;
}

std::string pointsJson(const std::string &file, const CurveSlot &slot)
{
    JsonObject object(file);
    std::string &out = object.member("points");
    out += '[';
    for (int j = 0; j < pointCount(slot); ++j) {
        out += j == 0 ? "[" : ", [";
        appendJsonNumber(out, slot.sampledPoints[j].x);
        out += ", ";
        appendJsonNumber(out, slot.sampledPoints[j].y);
        out += ']';
    }
    out += ']';
    return object.close();
}

std::string areaJson(const std::string &file, double area)
{
    JsonObject object(file);
    appendJsonNumber(object.member("area"), area);
    return object.close();
}

}  // namespace ombrelis
