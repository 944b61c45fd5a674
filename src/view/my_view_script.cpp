#include "view/my_view.h"

#include "curves/number_text.h"
#include "curves/windows1252.h"
#include "framework/command_ids.h"
#include "framework/prompts.h"
#include "geometry/surface.h"
#include "script/script_run.h"
#include "view/view_host.h"

namespace ombrelis {

// The script box of the display bar and the area command.

void MyView::bindScriptCommands()
{
    bindNotification(ctl::ScriptBox, kEditLostFocus, [this] { runScript(); });
    commands_.bind(cmd::Surface, [this] { computeSurface(); });
}

// Runs on every loss of focus, changed or not. The box only takes upper
// case; a line set in the member by other means is read the same way.
void MyView::runScript()
{
    host_.readBar(BarId::Display);
    DisplayBarFields &display = host_.barFields().display;
    const std::string line = upperCaseWindows1252(display.scriptLine);
    const ScriptRunResult result = ombrelis::runScript(*store_, line);
    for (const std::string &message : result.messages)
        host_.prompts().showScriptMessage(QString::fromStdString(message));
    if (!result.valid)
        return;  // nothing changed
    display.selectedCurve = result.target;
    selectCurve();
}

// Over the sampled points as the last paint left them; nothing is redrawn.
void MyView::computeSurface()
{
    host_.barFields().display.surfaceText =
        formatNumber(ombrelis::computeSurface(store_->current()));
    host_.writeBar(BarId::Display);
}

}  // namespace ombrelis
