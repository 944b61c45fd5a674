#include "cli/cli_commands.h"

#include "cli/cli_arguments.h"
#include "cli/cli_import.h"
#include "cli/cli_output.h"
#include "cli/cli_render.h"
#include "cli/cli_support.h"
#include "curves/crv_format.h"
#include "curves/curve_store.h"
#include "curves/number_text.h"
#include "curves/windows1252.h"
#include "geometry/surface.h"
#include "script/script_run.h"
#include "script/script_text.h"

#include <functional>
#include <memory>
#include <optional>

namespace ombrelis {

namespace {

constexpr const char *kUsage =
    "Usage :\n"
    "  ombrelis-cli --help | --version\n"
    "  ombrelis-cli info FICHIER.crv... [--json]\n"
    "  ombrelis-cli points FICHIER.crv... [--count N] [--csv | --json]\n"
    "  ombrelis-cli area FICHIER.crv... [--count N] [--json]\n"
    "  ombrelis-cli script LIGNE [--c1 F] [--c2 F] [--c3 F] [--c4 F] [--current K] [--count N]\n"
    "                    [--out F]\n"
    "  ombrelis-cli render FICHIER.crv... --out IMAGE.png|.svg|.pdf [--size LxH] [--current K]\n"
    "                    [--sampled] [--interpolation] [--edit] [--axes] [--frame] [--cursor I]\n"
    "                    [--count N] [--scale F] [--annotate]\n"
    "  ombrelis-cli convert ENTREE.crv --out SORTIE.crv|SORTIE.csv\n"
    "  ombrelis-cli import DONNEES.csv --out COURBE.crv [--x-legend T] [--y-legend T]\n"
    "\n"
    "La ligne de script passe en majuscules comme dans la boîte de script.\n"
    "--count N (16 à 4096) fixe le nombre de points échantillonnés des courbes non calculées ;\n"
    "--scale F (1 à 4, .png seulement) dessine pour un écran haute densité, image LxH fois F ;\n"
    "--annotate ajoute graduations, titres des axes et légende des courbes autour du tracé.\n"
    "Avec plusieurs fichiers, info, points et area traitent chacun dans l'ordre et nomment\n"
    "le fichier ; --json écrit un objet JSON par fichier (un tableau pour plusieurs).\n"
    "K (1 à 4) choisit la courbe courante. Codes de sortie : 0 succès, 1 script en échec,\n"
    "2 usage incorrect ou fichier illisible ou impossible à écrire.\n";

constexpr const char *kVersion = "ombrelis-cli " OMBRELIS_VERSION "\n";

class CliRun {
public:
    CliRun(std::ostream &out, std::ostream &err) : out_(out), err_(err) { }

    int run(const std::vector<std::string> &words);

private:
    using Command = std::function<Status(const CliArguments &)>;

    // How the records of the files follow one another on stdout, unless
    // they are JSON.
    struct Listing {
        std::string heading;  // once, before the first
        std::string between;  // between two
    };
    // The record of one file, loaded into curve 1.
    using Record = std::function<std::string(const std::string &file, const CurveSlot &curve)>;

    int dispatch(const std::string &name, const std::vector<std::string> &words);
    int finish(const Status &step);

    // Prints the record of each FILE.crv of the command line, in order; with
    // `resample`, its points are first those a repaint would give, at
    // --count when given. With --json, the records are JSON objects: one
    // alone, several in an array. A file that cannot be read is named on
    // stderr, the others are still done, and the exit code is then 2.
    Status printEach(const CliArguments &arguments, bool resample, const Listing &listing,
                     const Record &record);

    Status info(const CliArguments &arguments);
    Status points(const CliArguments &arguments);
    Status area(const CliArguments &arguments);
    Status convert(const CliArguments &arguments);
    Status script(const CliArguments &arguments, bool &failed);

    std::ostream &out_;
    std::ostream &err_;
    bool fileFailed_ = false;
};

int CliRun::run(const std::vector<std::string> &words)
{
    if (words.empty())
        return finish(Status::refused("sous-commande attendue (voir --help)"));
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        out_ << kUsage;
        return kExitSuccess;
    }
    if (words.size() == 1 && words[0] == "--version") {
        out_ << kVersion;
        return kExitSuccess;
    }
    return dispatch(words[0], {words.begin() + 1, words.end()});
}

int CliRun::dispatch(const std::string &name, const std::vector<std::string> &words)
{
    bool scriptFailed = false;
    struct Entry {
        CliGrammar grammar;
        Command command;
    };
    const std::map<std::string, Entry> commands = {
        {"info", {{{}, {"--json"}}, [this](const CliArguments &a) { return info(a); }}},
        {"points",
         {{{"--count"}, {"--csv", "--json"}}, [this](const CliArguments &a) { return points(a); }}},
        {"area", {{{"--count"}, {"--json"}}, [this](const CliArguments &a) { return area(a); }}},
        {"convert", {{{"--out"}, {}}, [this](const CliArguments &a) { return convert(a); }}},
        {"render",
         {{{"--out", "--size", "--current", "--cursor", "--count", "--scale"},
           {"--sampled", "--interpolation", "--edit", "--axes", "--frame", "--annotate"}},
          [this](const CliArguments &a) { return renderCommand(a, err_); }}},
        {"import",
         {{{"--out", "--x-legend", "--y-legend"}, {}},
          [](const CliArguments &a) { return importCommand(a); }}},
        {"script",
         {{{"--c1", "--c2", "--c3", "--c4", "--current", "--count", "--out"}, {}},
          [this, &scriptFailed](const CliArguments &a) { return script(a, scriptFailed); }}},
    };
    const auto found = commands.find(name);
    if (found == commands.end())
        return finish(Status::refused("sous-commande inconnue « " + name + " » (voir --help)"));
    CliArguments arguments;
    if (Status parsed = parseCliArguments(words, found->second.grammar, arguments); !parsed.ok())
        return finish(parsed);
    const int code = finish(found->second.command(arguments));
    if (code == kExitSuccess && fileFailed_)
        return kExitUsage;
    return code == kExitSuccess && scriptFailed ? kExitScriptFailed : code;
}

int CliRun::finish(const Status &step)
{
    if (step.ok())
        return kExitSuccess;
    err_ << "ombrelis-cli : " << step.message() << '\n';
    return kExitUsage;
}

Status CliRun::printEach(const CliArguments &arguments, bool resample, const Listing &listing,
                         const Record &record)
{
    const std::vector<std::string> &files = arguments.positional;
    if (files.empty())
        return Status::refused("au moins un fichier .crv attendu");
    std::optional<int> count;
    if (Status step = readCount(arguments, count); !step.ok())
        return step;
    const bool json = arguments.has("--json");
    const bool jsonArray = json && files.size() > 1;
    out_ << (json ? std::string(jsonArray ? "[" : "") : listing.heading);
    bool first = true;
    for (const std::string &file : files) {
        auto store = std::make_unique<CurveStore>();
        if (Status step = loadCurve(*store, 0, file, err_); !step.ok()) {
            err_ << "ombrelis-cli : " << step.message() << '\n';
            fileFailed_ = true;
            continue;
        }
        if (resample) {
            if (count)
                store->setSamplingCount(*count);
            store->resampleDrawnCurves();
        }
        if (jsonArray)
            out_ << (first ? "\n" : ",\n");
        else if (!first)
            out_ << listing.between;
        out_ << record(file, store->slots()[0]) << (json && !jsonArray ? "\n" : "");
        first = false;
    }
    if (jsonArray)
        out_ << "\n]\n";
    return Status::done();
}

Status CliRun::info(const CliArguments &arguments)
{
    const bool several = arguments.positional.size() > 1;
    const bool json = arguments.has("--json");
    return printEach(arguments, false, {"", "\n"},
                     [several, json](const std::string &file, const CurveSlot &curve) {
                         if (json)
                             return curveInfoJson(file, curve);
                         return several ? "file: " + file + '\n' + curveInfoText(curve)
                                        : curveInfoText(curve);
                     });
}

Status CliRun::points(const CliArguments &arguments)
{
    const bool several = arguments.positional.size() > 1;
    const bool csv = arguments.has("--csv");
    const bool json = arguments.has("--json");
    if (csv && json)
        return Status::refused("--csv et --json s'excluent");
    const std::string heading = csv && several ? std::string(kFilePointCsvHeader) : "";
    return printEach(arguments, true, {heading, ""},
                     [several, csv, json](const std::string &file, const CurveSlot &curve) {
                         if (json)
                             return pointsJson(file, curve);
                         if (csv)
                             return several ? filePointCsvRows(file, curve) : pointCsv(curve);
                         return pointLines(curve, several ? file : "");
                     });
}

Status CliRun::area(const CliArguments &arguments)
{
    const bool several = arguments.positional.size() > 1;
    const bool json = arguments.has("--json");
    return printEach(arguments, true, {},
                     [several, json](const std::string &file, const CurveSlot &curve) {
                         const double area = computeSurface(curve);
                         if (json)
                             return areaJson(file, area);
                         return (several ? file + '\t' : "") + formatNumber(area) + '\n';
                     });
}

Status CliRun::convert(const CliArguments &arguments)
{
    if (arguments.positional.size() != 1)
        return Status::refused("un fichier .crv attendu, et un seul");
    const std::string *target = arguments.value("--out");
    if (!target)
        return Status::refused("--out SORTIE.crv ou SORTIE.csv attendu");
    const bool toCsv = target->ends_with(".csv");
    if (!toCsv && !target->ends_with(".crv"))
        return Status::refused("--out doit finir par .crv ou .csv, pas « " + *target + " »");
    auto store = std::make_unique<CurveStore>();
    if (Status step = loadCurve(*store, 0, arguments.positional[0], err_); !step.ok())
        return step;
    const CurveSlot &curve = store->slots()[0];
    return writeFile(*target, toCsv ? pointCsv(curve) : formatCurveFile(curve));
}

Status CliRun::script(const CliArguments &arguments, bool &failed)
{
    if (arguments.positional.size() != 1)
        return Status::refused("une ligne de script attendue, et une seule");
    auto store = std::make_unique<CurveStore>();
    for (int k = 1; k <= kCurveCount; ++k) {
        if (const std::string *path = arguments.value("--c" + std::to_string(k))) {
            if (Status step = loadCurve(*store, k - 1, *path, err_); !step.ok())
                return step;
        }
    }
    if (Status step = prepareWindow(arguments, *store); !step.ok())
        return step;

    const ScriptRunResult result = runScript(*store, upperCaseWindows1252(arguments.positional[0]));
    for (const std::string &message : result.messages)
        err_ << message << '\n';
    failed = !result.valid;
    if (failed)
        return Status::done();  // nothing computed, nothing written

    // Selecting the target repaints the window, which resamples it when it has samples.
    store->resampleDrawnCurves();
    const CurveSlot &target = store->slots()[result.target];
    if (const std::string *out = arguments.value("--out"))
        return writeFile(*out, formatCurveFile(target));
    out_ << pointLines(target);
    return Status::done();
}

}  // namespace

int runCli(const std::vector<std::string> &words, std::ostream &out, std::ostream &err)
{
    const int code = CliRun(out, err).run(words);
    // Output lost on a full disk or a closed pipe is a failure, not a success.
    if (!out.flush()) {
        err << "ombrelis-cli : impossible d'écrire la sortie standard\n";
        return kExitUsage;
    }
    return code;
}

}  // namespace ombrelis
