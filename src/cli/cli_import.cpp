#include "cli/cli_import.h"

#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "curves/data_table.h"

#include <QString>

#include <array>
#include <memory>

namespace ombrelis {

namespace {

constexpr std::array<const char *, 2> kLegendOptions = {"--x-legend", "--y-legend"};

}  // namespace

// Each legend is the one given on the command line, else the header's name,
// else "X" or "Y"; whichever is taken must fit a line of the curve file.
Status importCommand(const CliArguments &arguments)
{
    if (arguments.positional.size() != 1)
        return Status::refused("un fichier de données .csv attendu, et un seul");
    const std::string *target = arguments.value("--out");
    if (!target || !target->ends_with(".crv"))
        return Status::refused("--out COURBE.crv attendu");
    const std::string &source = arguments.positional[0];
    std::array<std::optional<std::string>, 2> given;
    for (std::size_t axis = 0; axis < given.size(); ++axis) {
        if (const std::string *text = arguments.value(kLegendOptions[axis])) {
            given[axis] = *text;
            if (Status step = composeLegend(*given[axis], kLegendOptions[axis]); !step.ok())
                return step;
        }
    }

    std::string bytes;
    if (QString error; !readWholeFile(QString::fromStdString(source), &bytes, &error))
        return Status::refused(error.toStdString());
    DataTable table;
    if (const Status read = readDataTable(bytes, table); !read.ok())
        return Status::refused(source + ", " + read.message());

    const std::array<std::optional<std::string>, 2> named = {table.xName, table.yName};
    const std::string header = source + ", ligne " + std::to_string(table.headerLine);
    std::array<std::string, 2> legends = {"X", "Y"};
    for (std::size_t axis = 0; axis < legends.size(); ++axis) {
        if (given[axis]) {
            legends[axis] = *given[axis];
        } else if (named[axis]) {
            legends[axis] = *named[axis];
            if (Status step = composeLegend(legends[axis], header); !step.ok())
                return step;
        }
    }
    auto curve = std::make_unique<CurveSlot>();
    curve->xLegend = legends[0];
    curve->yLegend = legends[1];
    setComputedCurve(*curve, table.rows);
    return writeFile(*target, formatCurveFile(*curve));
}

}  // namespace ombrelis
