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
    "  ombrelis-cli info FICHIER.crv\n"
    "  ombrelis-cli points FICHIER.crv [--count N] [--csv]\n"
    "  ombrelis-cli area FICHIER.crv [--count N]\n"
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
    "K (1 à 4) choisit la courbe courante. Codes de sortie : 0 succès, 1 script en échec,\n"
    "2 usage incorrect ou fichier illisible ou impossible à écrire.\n";

constexpr const char *kVersion = "ombrelis-cli " OMBRELIS_VERSION "\n";

class CliRun {
public:
    CliRun(std::ostream &out, std::ostream &err) : out_(out), err_(err) { }

    int run(const std::vector<std::string> &words);

private:
    using Command = std::function<Status(const CliArguments &)>;

    int dispatch(const std::string &name, const std::vector<std::string> &words);
    int finish(const Status &step);

    // Loads the single FILE.crv of `points` and `area` into curve 1 and
    // gives it the points a repaint would.
    Status loadSingleCurve(const CliArguments &arguments, CurveStore &store);

    Status info(const CliArguments &arguments);
    Status points(const CliArguments &arguments);
    Status area(const CliArguments &arguments);
    Status convert(const CliArguments &arguments);
    Status script(const CliArguments &arguments, bool &failed);

    std::ostream &out_;
    std::ostream &err_;
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
        {"info", {{}, [this](const CliArguments &a) { return info(a); }}},
        {"points", {{{"--count"}, {"--csv"}}, [this](const CliArguments &a) { return points(a); }}},
        {"area", {{{"--count"}, {}}, [this](const CliArguments &a) { return area(a); }}},
        {"convert", {{{"--out"}, {}}, [this](const CliArguments &a) { return convert(a); }}},
        {"render",
         {{{"--out", "--size", "--current", "--cursor", "--count", "--scale"},
           {"--sampled", "--interpolation", "--edit", "--axes", "--frame", "--annotate"}},
          [](const CliArguments &a) { return renderCommand(a); }}},
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
    return code == kExitSuccess && scriptFailed ? kExitScriptFailed : code;
}

int CliRun::finish(const Status &step)
{
    if (step.ok())
        return kExitSuccess;
    err_ << "ombrelis-cli : " << step.message() << '\n';
    return kExitUsage;
}

Status CliRun::loadSingleCurve(const CliArguments &arguments, CurveStore &store)
{
    if (arguments.positional.size() != 1)
        return Status::refused("un fichier .crv attendu, et un seul");
    std::optional<int> count;
    if (Status step = readCount(arguments, count); !step.ok())
        return step;
    if (Status step = loadCurve(store, 0, arguments.positional[0]); !step.ok())
        return step;
    CurveSlot &curve = store.slots[0];
    if (count && curve.interpolationFlag == 0)
        curve.samplingCount = *count;
    store.resampleDrawnCurves();
    return Status::done();
}

Status CliRun::info(const CliArguments &arguments)
{
    if (arguments.positional.size() != 1)
        return Status::refused("un fichier .crv attendu, et un seul");
    auto store = std::make_unique<CurveStore>();
    if (Status step = loadCurve(*store, 0, arguments.positional[0]); !step.ok())
        return step;
    out_ << curveInfoText(store->slots[0]);
    return Status::done();
}

Status CliRun::points(const CliArguments &arguments)
{
    auto store = std::make_unique<CurveStore>();
    if (Status step = loadSingleCurve(arguments, *store); !step.ok())
        return step;
    const CurveSlot &curve = store->slots[0];
    out_ << (arguments.has("--csv") ? pointCsv(curve) : pointLines(curve));
    return Status::done();
}

Status CliRun::area(const CliArguments &arguments)
{
    auto store = std::make_unique<CurveStore>();
    if (Status step = loadSingleCurve(arguments, *store); !step.ok())
        return step;
    out_ << formatNumber(computeSurface(store->slots[0])) << '\n';
    return Status::done();
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
    if (Status step = loadCurve(*store, 0, arguments.positional[0]); !step.ok())
        return step;
    const CurveSlot &curve = store->slots[0];
    return writeFile(*target, toCsv ? pointCsv(curve) : formatCurveFile(curve));
}

Status CliRun::script(const CliArguments &arguments, bool &failed)
{
    if (arguments.positional.size() != 1)
        return Status::refused("une ligne de script attendue, et une seule");
    auto store = std::make_unique<CurveStore>();
    for (int k = 1; k <= kCurveCount; ++k) {
        if (const std::string *path = arguments.value("--c" + std::to_string(k))) {
            if (Status step = loadCurve(*store, k - 1, *path); !step.ok())
                return step;
        }
    }
    if (Status step = prepareWindow(arguments, *store); !step.ok())
        return step;

    const ScriptRunResult result = runScript(*store, upperCaseWindows1252(arguments.positional[0]));
    for (const std::string &message : result.messages)
        err_ << message << '\n';
    failed = !result.valid;
    if (result.endedEarly)
        return Status::done();

    // Selecting the target repaints the window, which resamples it when it has samples.
    store->resampleDrawnCurves();
    const CurveSlot &target = store->slots[result.target];
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
