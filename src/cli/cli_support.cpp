#include "cli/cli_support.h"

#include "cli/cli_commands.h"
#include "curves/crv_format.h"
#include "curves/curve_file_io.h"

#include <QFileInfo>
#include <QString>

namespace ombrelis {

namespace {

QString pathText(const std::string &path)
{
    return QString::fromStdString(path);
}

}  // namespace

Status loadCurve(CurveStore &store, int slot, const std::string &path, std::ostream &faults)
{
    const std::string name = QFileInfo(pathText(path)).completeBaseName().toStdString();
    QString fault;
    if (QString error; !readCurveFile(store, slot, pathText(path), {name, path}, &error, &fault))
        return Status::refused(error.toStdString());
    if (!fault.isEmpty())
        faults << "ombrelis-cli : " << fault.toStdString() << '\n';
    store.setActive(slot, true);
    return Status::done();
}

Status readCount(const CliArguments &arguments, std::optional<int> &count)
{
    const std::string *text = arguments.value("--count");
    if (!text)
        return Status::done();
    count = parseIntegerIn(*text, 16, kMaxSampledPoints);
    if (!count)
        return Status::refused("--count attend un entier de 16 à 4096, pas « " + *text + " »");
    return Status::done();
}

Status composeLegend(std::string &text, const std::string &where)
{
    // Text that is not UTF-8 is left as it is for checkLegend to name the byte.
    if (const QString unicode = QString::fromStdString(text); unicode.toStdString() == text)
        text = unicode.normalized(QString::NormalizationForm_C).toStdString();
    if (const Status checked = checkLegend(text); !checked.ok())
        return Status::refused(where + " : " + checked.message());
    return Status::done();
}

Status writeFile(const std::string &path, const std::string &bytes)
{
    QString reason;
    switch (writeFileAtomically(pathText(path), bytes, &reason)) {
    case FileWriteResult::Written:
        return Status::done();
    case FileWriteResult::CannotOpen:
        return Status::refused("impossible d'ouvrir « " + path + " » en écriture (" +
                               reason.toStdString() + ")");
    case FileWriteResult::WriteFailed:
        break;
    }
    return Status::refused("l'écriture de « " + path + " » a échoué (" + reason.toStdString() +
                           ") ; le fichier est resté tel quel");
}

Status prepareWindow(const CliArguments &arguments, CurveStore &store)
{
    std::optional<int> count;
    if (Status step = readCount(arguments, count); !step.ok())
        return step;
    if (count)
        store.setSamplingCount(*count);
    store.resampleDrawnCurves();
    if (const std::string *current = arguments.value("--current")) {
        const auto k = parseIntegerIn(*current, 1, kCurveCount);
        if (!k)
            return Status::refused("--current attend un entier de 1 à 4, pas « " + *current + " »");
        store.currentCurve = *k - 1;
    } else {
        store.currentCurve = 0;
    }
    return Status::done();
}

}  // namespace ombrelis
