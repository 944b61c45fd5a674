#include "cli/cli_support.h"

#include "cli/cli_commands.h"
#include "curves/crv_format.h"
#include "curves/curve_file_io.h"

#include <QFileInfo>
#include <QString>

namespace {

QString pathText(const std::string &path)
{
    return QString::fromStdString(path);
}

}  // namespace

Failure usageError(std::string message)
{
    return {kExitUsage, std::move(message)};
}

Step loadCurve(CurveStore &store, int slot, const std::string &path)
{
    QString error;
    const auto bytes = readWholeFile(pathText(path), &error);
    if (!bytes)
        return usageError(error.toStdString());
    if (auto refusal = parseCurveFile(*bytes, path, store.slots[slot]))
        return usageError(*refusal);
    store.slots[slot].name = QFileInfo(pathText(path)).completeBaseName().toStdString();
    store.slots[slot].active = true;
    store.currentCurve = slot;
    return std::nullopt;
}

Step readCount(const CliArguments &arguments, std::optional<int> &count)
{
    const std::string *text = arguments.value("--count");
    if (!text)
        return std::nullopt;
    count = parseIntegerIn(*text, 16, kMaxSampledPoints);
    if (!count)
        return usageError("--count attend un entier de 16 à 4096, pas « " + *text + " »");
    return std::nullopt;
}

Step composeLegend(std::string &text, const std::string &where)
{
    // Text that is not UTF-8 is left as it is for legendRefusal to name the byte.
    if (const QString unicode = QString::fromStdString(text); unicode.toStdString() == text)
        text = unicode.normalized(QString::NormalizationForm_C).toStdString();
    if (auto refusal = legendRefusal(text))
        return usageError(where + " : " + *refusal);
    return std::nullopt;
}

Step writeFile(const std::string &path, const std::string &bytes)
{
    QString reason;
    switch (writeFileAtomically(pathText(path), bytes, &reason)) {
    case FileWriteResult::Written:
        return std::nullopt;
    case FileWriteResult::CannotOpen:
        return usageError("impossible d'ouvrir « " + path + " » en écriture");
    case FileWriteResult::WriteFailed:
        break;
    }
    return usageError("l'écriture de « " + path + " » a échoué (" + reason.toStdString() +
                      ") ; le fichier est resté tel quel");
}

Step prepareWindow(const CliArguments &arguments, CurveStore &store)
{
    std::optional<int> count;
    if (auto failure = readCount(arguments, count))
        return failure;
    if (count)
        store.setSamplingCount(*count);
    store.resampleDrawnCurves();
    if (const std::string *current = arguments.value("--current")) {
        const auto k = parseIntegerIn(*current, 1, kCurveCount);
        if (!k)
            return usageError("--current attend un entier de 1 à 4, pas « " + *current + " »");
        store.currentCurve = *k - 1;
    } else {
        store.currentCurve = 0;
    }
    return std::nullopt;
}
