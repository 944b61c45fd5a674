#include "app/command_table.h"

#include "framework/command_ids.h"

#include <algorithm>
#include <array>

namespace ombrelis {

namespace {

using enum CommandOwner;

// clang-format off
constexpr CommandInfo kCommands[] = {
    {cmd::FileNew, "&Nouveau\tCtrl+N", "Crée un nouveau document\nNouveau", Application},
    {cmd::FileOpen, "", "", Application},
    {cmd::FileSave, "", "", Document},
    {cmd::SaveAll, "Sauvegarder tout",
     "Sauvegarde toutes les courbes actives de la fenetre\nSave All", MainFrame},
    {cmd::Curve1Open, "&Open", "", View},
    {cmd::Curve1Save, "&Save", "", View},
    {cmd::Curve1SaveAs, "&New/Save as", "", View},
    {cmd::Curve2Open, "&Open", "", View},
    {cmd::Curve2Save, "&Save", "", View},
    {cmd::Curve2SaveAs, "&New/Save as", "", View},
    {cmd::Curve3Open, "&Open", "", View},
    {cmd::Curve3Save, "&Save", "", View},
    {cmd::Curve3SaveAs, "&New/Save as", "", View},
    {cmd::Curve4Open, "&Open", "", View},
    {cmd::Curve4Save, "&Save", "", View},
    {cmd::Curve4SaveAs, "&New/Save as", "", View},
    {cmd::RecentFile1, "Fichier récent", "", Application, Application},
    {cmd::AppExit, "&Quitter", "", Application},

    {cmd::Undo, "&Annuler\tCtrl+Z", "Annule la dernière action\nAnnuler", MainFrame},
    {cmd::Redo, "&Rétablir\tCtrl+Y", "Rétablit la dernière action annulée\nRétablir", MainFrame},
    {cmd::Cut, "&Couper\tCtrl+X",
     "Supprime la sélection et la place dans le Presse-papiers\nCouper", MainFrame},
    {cmd::Copy, "&Copier\tCtrl+C", "Copie la courbe courante\nCopier", MainFrame},
    {cmd::Paste, "C&oller\tCtrl+V", "Insère le contenu du Presse-papiers\nColler", MainFrame},
    {cmd::EditMode, "&Edit", "switch between the Display and the Edit mode, changes are saved",
     View, View},
    {cmd::CancelEdit, "", "", View},
    {cmd::SelectCurve4, "", "", View},
    {cmd::SelectCurve1, "", "", View},
    {cmd::SelectCurve2, "", "", View},
    {cmd::SelectCurve3, "", "", View},

    {cmd::CurveColour, "Changer couleur",
     "Pour changer la couleur des courbes non sélectionnées\nCurves Color", View},
    {cmd::Cursor, "Curseur", "Equivalent à l'appui sur le bouton curseur", View, View, true},
    {cmd::Smoothing, "Smoothing", "", View, View},
    {cmd::Sampled, "Sampled", "", View, View},
    {cmd::Axes, "Axes", "Affiche les axes ou les supprime\nAxes", View, View, true},
    {cmd::Frame, "Cadre", "", View},
    {cmd::Script, "Script", "", Nobody},
    {cmd::ViewToolbar, "&Toolbar", "", MainFrame, MainFrame},

    {cmd::Sampling16, "16 points", "", View, View},
    {cmd::Sampling32, "32 points", "", View, View},
    {cmd::Sampling64, "64 points", "", View, View},
    {cmd::Sampling128, "128 points", "", View, View},
    {cmd::Sampling256, "256 points", "", View, View},
    {cmd::SamplingCustom, "Personnalisé", "", View, View},
    {cmd::Interpolation, "&Interpolation", "", View, View, true},
    {cmd::Unused32801, "", "", View},
    {cmd::VerticalTangents, "Verticale", "", View, View},
    {cmd::TangentLength, "Réglage", "Reglage de la longueur des tangentes\nReglage tangentes", View},
    {cmd::Surface, "&Calcul des surfaces", "", View},
    {cmd::CreateSample, "", "", View},

    {cmd::WindowCascade, "&Cascade", "", MainFrame, MainFrame},
    {cmd::WindowTileVertical, "Mosaique &Verticale", "", MainFrame, MainFrame},
    {cmd::WindowTileHorizontal, "Mosaique &Horizontale", "", MainFrame, MainFrame},
    {cmd::NextPane, "", "", Nobody},
    {cmd::PreviousPane, "", "", Nobody},

    {cmd::AppAbout, "&A propos de Tolvane...", "", Application},
};

constexpr MenuEntry item(int id) { return {MenuKind::Item, id, "", {}}; }
constexpr MenuEntry separator() { return {MenuKind::Separator, 0, "", {}}; }
constexpr MenuEntry popup(const char *text, std::span<const MenuEntry> children)
{
    return {MenuKind::Popup, 0, text, children};
}

constexpr MenuEntry kCurve1[] = {item(cmd::Curve1Open), item(cmd::Curve1Save), item(cmd::Curve1SaveAs)};
constexpr MenuEntry kCurve2[] = {item(cmd::Curve2Open), item(cmd::Curve2Save), item(cmd::Curve2SaveAs)};
constexpr MenuEntry kCurve3[] = {item(cmd::Curve3Open), item(cmd::Curve3Save), item(cmd::Curve3SaveAs)};
constexpr MenuEntry kCurve4[] = {item(cmd::Curve4Open), item(cmd::Curve4Save), item(cmd::Curve4SaveAs)};

constexpr MenuEntry kFileMenu[] = {
    item(cmd::FileNew), separator(),
    item(cmd::SaveAll), separator(),
    popup("Courbe &1", kCurve1), popup("Courbe &2", kCurve2),
    popup("Courbe &3", kCurve3), popup("Courbe &4", kCurve4), separator(),
    item(cmd::RecentFile1), separator(),
    item(cmd::AppExit),
};

constexpr MenuEntry kEditMenu[] = {
    item(cmd::Undo), item(cmd::Redo), separator(),
    item(cmd::Cut), item(cmd::Copy), item(cmd::Paste), separator(),
    item(cmd::EditMode),
};

constexpr MenuEntry kDisplayModeMenu[] = {item(cmd::Smoothing), item(cmd::Sampled)};

constexpr MenuEntry kViewMenu[] = {
    item(cmd::CurveColour), item(cmd::Cursor), separator(),
    popup("Mode d'affichage", kDisplayModeMenu), separator(),
    item(cmd::Axes), item(cmd::Frame), separator(),
    item(cmd::Script), separator(),
    item(cmd::ViewToolbar),
};

constexpr MenuEntry kSamplingMenu[] = {
    item(cmd::Sampling16), item(cmd::Sampling32), item(cmd::Sampling64),
    item(cmd::Sampling128), item(cmd::Sampling256), item(cmd::SamplingCustom),
};

constexpr MenuEntry kTangentMenu[] = {item(cmd::VerticalTangents), item(cmd::TangentLength)};

constexpr MenuEntry kOptionMenu[] = {
    popup("&Echantillonage", kSamplingMenu), separator(),
    item(cmd::Interpolation), separator(),
    popup("&Tangentes", kTangentMenu), separator(),
    item(cmd::Surface),
};

constexpr MenuEntry kWindowMenu[] = {
    item(cmd::WindowCascade), item(cmd::WindowTileVertical), item(cmd::WindowTileHorizontal),
};

constexpr MenuEntry kHelpMenu[] = {item(cmd::AppAbout)};

constexpr MenuEntry kMenuBar[] = {
    popup("&Fichier", kFileMenu),
    popup("&Edition", kEditMenu),
    popup("&Affichage", kViewMenu),
    popup("&Option", kOptionMenu),
    popup("Fe&netre", kWindowMenu),
    popup("&?", kHelpMenu),
};

constexpr int kToolbar[] = {
    cmd::FileNew, cmd::SaveAll, kToolbarSeparator,
    cmd::Cut, cmd::Copy, cmd::Paste, kToolbarSeparator,
    cmd::Axes, cmd::Frame, cmd::TangentLength, cmd::CurveColour, cmd::AppAbout,
};

constexpr Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_N, cmd::FileNew},
    {Qt::CTRL | Qt::Key_O, cmd::FileOpen},
    {Qt::CTRL | Qt::Key_S, cmd::FileSave},
    {Qt::CTRL | Qt::Key_Z, cmd::Undo},
    {Qt::CTRL | Qt::Key_X, cmd::Cut},
    {Qt::CTRL | Qt::Key_C, cmd::Copy},
    {Qt::CTRL | Qt::Key_V, cmd::Paste},
    {Qt::ALT | Qt::Key_Backspace, cmd::Undo},
    {Qt::CTRL | Qt::Key_Y, cmd::Redo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::Redo},
    {Qt::SHIFT | Qt::Key_Delete, cmd::Cut},
    {Qt::CTRL | Qt::Key_Insert, cmd::Copy},
    {Qt::SHIFT | Qt::Key_Insert, cmd::Paste},
    {QKeyCombination(Qt::Key_F6), cmd::NextPane},
    {Qt::SHIFT | Qt::Key_F6, cmd::PreviousPane},
};
// clang-format on

}  // namespace

std::span<const CommandInfo> commandTable()
{
    return kCommands;
}

const CommandInfo *findCommand(int id)
{
    const auto found = std::ranges::find(kCommands, id, &CommandInfo::id);
    return found == std::end(kCommands) ? nullptr : &*found;
}

QString commandText(int id)
{
    const CommandInfo *info = findCommand(id);
    return info ? QString::fromUtf8(info->text) : QString();
}

QString commandTooltip(int id)
{
    const CommandInfo *info = findCommand(id);
    if (!info)
        return {};
    const QString prompt = QString::fromUtf8(info->prompt);
    const auto newline = prompt.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : prompt.mid(newline + 1);
}

std::span<const MenuEntry> menuTree()
{
    return kMenuBar;
}

std::span<const int> toolbarLayout()
{
    return kToolbar;
}

std::span<const Accelerator> acceleratorTable()
{
    return kAccelerators;
}

}  // namespace ombrelis
