#include "bars/bar_fill.h"

#include "curves/curve_store.h"
#include "curves/number_text.h"

namespace ombrelis {

void fillDisplayBarFields(AxisBarFields &bars, const CurveStore &store)
{
    const CurveSlot &curve = store.current();
    bars.display.selectedCurve = store.currentCurve;
    bars.display.curveNames[static_cast<std::size_t>(store.currentCurve)] = curve.name;
    bars.display.xLegendText = curve.xLegend;
    bars.display.xminValue = curve.xmin;
    bars.display.xmaxValue = curve.xmax;
    bars.displayY.yLegendText = curve.yLegend;
    bars.displayY.yminValue = curve.ymin;
    bars.displayY.ymaxValue = curve.ymax;
}

void refreshCurveNameFields(AxisBarFields &bars, const CurveStore &store)
{
    for (std::size_t i = 0; i < bars.display.curveNames.size(); ++i)
        bars.display.curveNames[i] = store.slots()[i].name;
    bars.display.selectedCurve = store.currentCurve;
}

void fillEditBarFields(AxisBarFields &bars, const CurveStore &store)
{
    const CurveSlot &curve = store.current();
    bars.edit.xLegendText = curve.xLegend;
    bars.edit.xminText = formatNumber(curve.xmin);
    bars.edit.xmaxText = formatNumber(curve.xmax);
    bars.editY.yLegendText = curve.yLegend;
    bars.editY.yminText = formatNumber(curve.ymin);
    bars.editY.ymaxText = formatNumber(curve.ymax);
}

}  // namespace ombrelis
