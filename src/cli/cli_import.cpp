#include "cli/cli_import.h"

#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "curves/data_table.h"

#include <QString>

#include <memory>

namespace {

// A legend is one line of the file, and one starting with ';' would be read
// back as a comment. A header cannot hold either: its names are parts of a line
// and the first cannot start with a separator.
Step checkLegend(const CliArguments &arguments, const char *option)
{
    const std::string *legend = arguments.value(option);
    if (legend && (legend->find_first_of("\r\n") != std::string::npos || legend->starts_with(';')))
        return usageError(std::string(option) + " : une légende tient sur une ligne et ne commence pas par « ; »");
    return std::nullopt;
}

// The legend given on the command line, else the header's name, else `fallback`.
std::string legend(const CliArguments &arguments, const char *option,
                   const std::optional<std::string> &headerName, const char *fallback)
{
    if (const std::string *given = arguments.value(option))
        return *given;
    return headerName.value_or(fallback);
}

}  // namespace

Step importCommand(const CliArguments &arguments)
{
    if (arguments.positional.size() != 1)
        return usageError("un fichier de données .csv attendu, et un seul");
    const std::string *target = arguments.value("--out");
    if (!target || !target->ends_with(".crv"))
        return usageError("--out COURBE.crv attendu");
    const std::string &source = arguments.positional[0];
    for (const char *option : {"--x-legend", "--y-legend"}) {
        if (auto failure = checkLegend(arguments, option))
            return failure;
    }

    QString error;
    const auto bytes = readWholeFile(QString::fromStdString(source), &error);
    if (!bytes)
        return usageError(error.toStdString());
    const DataTableRead read = readDataTable(*bytes);
    if (!read.error.empty())
        return usageError(source + ", " + read.error);

    auto curve = std::make_unique<CurveSlot>();
    curve->xLegend = legend(arguments, "--x-legend", read.table.xName, "X");
    curve->yLegend = legend(arguments, "--y-legend", read.table.yName, "Y");
    setComputedCurve(*curve, read.table.rows);
    return writeFile(*target, formatCurveFile(*curve));
}
