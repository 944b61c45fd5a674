#include "curves/recovery_record.h"

#include "curves/crv_format.h"

#include <charconv>
#include <limits>
#include <memory>

namespace ombrelis {

namespace {

// The first line names the layout, so that a later one is refused, never misread.
constexpr std::string_view kFirstLine = "Ombrelis recovery 1";
constexpr std::string_view kLastLine = "end";
constexpr std::int64_t kMaxColour = 0xFFFFFF;

void appendNumber(std::string &out, std::string_view key, std::int64_t value)
{
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), value);
    out += key;
    out += ' ';
    out.append(digits, written.ptr);
    out += '\n';
}

// "key length", then the bytes on lines of their own.
void appendText(std::string &out, std::string_view key, std::string_view text)
{
    appendNumber(out, key, static_cast<std::int64_t>(text.size()));
    out += text;
    out += '\n';
}

// Takes a record apart in the order it was written; every step fails on
// anything but what the writer puts there.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : rest_(bytes) { }

    bool line(std::string_view expected)
    {
        std::string_view found;
        return nextLine(found) && found == expected;
    }

    // "key value", the value an integer from min to max.
    bool number(std::string_view key, std::int64_t min, std::int64_t max, std::int64_t &value)
    {
        std::string_view found;
        if (!nextLine(found) || !found.starts_with(key) || found.size() <= key.size() ||
            found[key.size()] != ' ')
            return false;
        found.remove_prefix(key.size() + 1);
        const auto read = std::from_chars(found.data(), found.data() + found.size(), value);
        return read.ec == std::errc() && read.ptr == found.data() + found.size() && value >= min &&
               value <= max;
    }

    bool text(std::string_view key, std::string_view &value)
    {
        std::int64_t length = 0;
        if (!number(key, 0, static_cast<std::int64_t>(rest_.size()), length))
            return false;
        const auto size = static_cast<std::size_t>(length);
        if (size >= rest_.size() || rest_[size] != '\n')
            return false;
        value = rest_.substr(0, size);
        rest_.remove_prefix(size + 1);
        return true;
    }

    bool atEnd() const { return rest_.empty(); }

private:
    bool nextLine(std::string_view &found)
    {
        const auto newline = rest_.find('\n');
        if (newline == std::string_view::npos)
            return false;
        found = rest_.substr(0, newline);
        rest_.remove_prefix(newline + 1);
        return true;
    }

    std::string_view rest_;
};

Status unreadable()
{
    return Status::refused(
        "Copie de récupération illisible : elle est incomplète ou d'une autre version d'Ombrelis.");
}

bool readCurve(RecordReader &in, int index, CurveSlot &slot)
{
    std::int64_t number = 0;
    std::string_view name, folder, crv;
    std::int64_t active = 0;
    std::int64_t colour = 0;
    if (!in.number("curve", index + 1, index + 1, number) || !in.text("name", name) ||
        !in.text("folder", folder) || !in.number("active", 0, 1, active) ||
        !in.number("colour", 0, kMaxColour, colour) || !in.text("crv", crv))
        return false;
    slot.name = name;
    slot.folder = folder;
    slot.active = active == 1;
    slot.colour = static_cast<Colour>(colour);
    return parseCurveFile(crv, slot.name, slot).ok();
}

}  // namespace

std::string formatRecoveryState(const CurveStore &store, std::string_view title)
{
    std::string out;
    appendText(out, "title", title);
    appendNumber(out, "current", store.currentCurve);
    for (int i = 0; i < kCurveCount; ++i) {
        const CurveSlot &slot = store.slots()[i];
        appendNumber(out, "curve", i + 1);
        appendText(out, "name", slot.name);
        appendText(out, "folder", slot.folder);
        appendNumber(out, "active", slot.active ? 1 : 0);
        appendNumber(out, "colour", slot.colour);
        appendText(out, "crv", formatCurveFile(slot));
    }
    out += kLastLine;
    out += '\n';
    return out;
}

std::string formatRecoveryRecord(std::int64_t lastChangeMs, std::string_view state)
{
    std::string out(kFirstLine);
    out += '\n';
    appendNumber(out, "changed", lastChangeMs);
    out += state;
    return out;
}

Status parseRecoveryRecord(std::string_view bytes, CurveStore &store, RecoveredWindow &window)
{
    RecordReader in(bytes);
    std::int64_t changed = 0;
    std::string_view title;
    std::int64_t current = 0;
    if (!in.line(kFirstLine) ||
        !in.number("changed", 0, std::numeric_limits<std::int64_t>::max(), changed) ||
        !in.text("title", title) || !in.number("current", 0, kCurveCount - 1, current))
        return unreadable();
    // Read into copies so that a refused record leaves the store as it was.
    auto curves = std::make_unique<std::array<CurveSlot, kCurveCount>>();
    for (int i = 0; i < kCurveCount; ++i) {
        (*curves)[i] = store.slots()[i];
        if (!readCurve(in, i, (*curves)[i]))
            return unreadable();
    }
    if (!in.line(kLastLine) || !in.atEnd())
        return unreadable();

    const CurveStore::Step step(store);
    for (int i = 0; i < kCurveCount; ++i)
        store.replaceSlot(i, (*curves)[i]);
    store.currentCurve = static_cast<int>(current);
    window = {changed, std::string(title)};
    return Status::done();
}

}  // namespace ombrelis
