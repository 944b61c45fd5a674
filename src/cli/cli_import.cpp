#include "cli/cli_import.h"

#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "curves/data_table.h"

#include <QString>

#include <array>
#include <memory>

namespace {

constexpr std::array<const char *, 2> kLegendOptions = {"--x-legend", "--y-legend"};

}  // namespace

// Each legend is the one given on the command line, else the header's name,
// else "X" or "Y"; whichever is taken must fit a line of the curve file.
Step importCommand(const CliArguments &arguments)
{
    if (arguments.positional.size() != 1)
        return usageError("un fichier de données .csv attendu, et un seul");
    const std::string *target = arguments.value("--out");
    if (!target || !target->ends_with(".crv"))
        return usageError("--out COURBE.crv attendu");
    const std::string &source = arguments.positional[0];
    std::array<std::optional<std::string>, 2> given;
    for (std::size_t axis = 0; axis < given.size(); ++axis) {
        if (const std::string *text = arguments.value(kLegendOptions[axis])) {
            given[axis] = *text;
            if (auto failure = composeLegend(*given[axis], kLegendOptions[axis]))
                return failure;
        }
    }

    QString error;
    const auto bytes = readWholeFile(QString::fromStdString(source), &error);
    if (!bytes)
        return usageError(error.toStdString());
    const DataTableRead read = readDataTable(*bytes);
    if (!read.error.empty())
        return usageError(source + ", " + read.error);

    const std::array<std::optional<std::string>, 2> named = {read.table.xName, read.table.yName};
    const std::string header = source + ", ligne " + std::to_string(read.table.headerLine);
    std::array<std::string, 2> legends = {"X", "Y"};
    for (std::size_t axis = 0; axis < legends.size(); ++axis) {
        if (given[axis]) {
            legends[axis] = *given[axis];
        } else if (named[axis]) {
            legends[axis] = *named[axis];
            if (auto failure = composeLegend(legends[axis], header))
                return failure;
        }
    }
    auto curve = std::make_unique<CurveSlot>();
    curve->xLegend = legends[0];
    curve->yLegend = legends[1];
    setComputedCurve(*curve, read.table.rows);
    return writeFile(*target, formatCurveFile(*curve));
}
