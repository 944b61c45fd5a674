// The "&Option" and "&Affichage" commands: sampling, interpolation, tangents,
// colour, cursor, display mode, axes and frame. Each changes this window only.
#include "view/my_view.h"

#include "framework/command_ids.h"
#include "framework/prompts.h"
#include "view/view_host.h"
#include "view/view_options.h"

namespace ombrelis {

namespace {

constexpr int kSamplingCommands[kSamplingPresetCount] = {
    cmd::Sampling16, cmd::Sampling32, cmd::Sampling64, cmd::Sampling128, cmd::Sampling256,
};

// The update handler that checks an item while `flag` is set.
UpdateHandler checkedWhile(const bool &flag)
{
    return [&flag](CommandUpdate &state) { state.setCheck(flag); };
}

}  // namespace

void MyView::bindOptionCommands()
{
    CurveStore &store = *store_;
    for (int mark = 0; mark < kSamplingPresetCount; ++mark) {
        commands_.bind(
            kSamplingCommands[mark], [this, mark] { applySampling(mark, kSamplingPresets[mark]); },
            checkedWhile(store.samplingMarks[static_cast<std::size_t>(mark)]));
    }
    commands_.bind(
        cmd::SamplingCustom,
        [this] {
            if (const auto count = host_.prompts().askSamplingCount())
                applySampling(kCustomSamplingMark, *count);
        },
        checkedWhile(store.samplingMarks[kCustomSamplingMark]));

    const auto toggle = [this](bool &flag, bool repaint) {
        return [this, &flag, repaint] {
            flag = !flag;
            if (repaint)
                requestRepaint();
        };
    };
    commands_.bind(cmd::Interpolation, toggle(store.interpolationOption, true),
                   checkedWhile(store.interpolationOption));
    // New samples take the direction and length; nothing drawn changes.
    commands_.bind(cmd::VerticalTangents, toggle(store.verticalTangents, false),
                   checkedWhile(store.verticalTangents));
    commands_.bind(cmd::TangentLength, [this] {
        if (const auto length = host_.prompts().askTangentLength())
            store_->tangentLength = *length;
    });
    // The current curve is always drawn black: the colour shows once another
    // curve is current, so there is nothing to repaint yet.
    commands_.bind(cmd::CurveColour, [this] {
        if (const auto colour = host_.prompts().chooseColour())
            store_->setColour(*colour);
    });
    commands_.bind(
        cmd::Cursor,
        [this] {
            store_->cursorOn = !store_->cursorOn;
            if (store_->cursorOn)
                store_->cursorIndex = 0;
            requestRepaint();
        },
        checkedWhile(store.cursorOn));
    commands_.bind(
        cmd::Smoothing, [this] { setSmoothing(true); },
        [this](CommandUpdate &state) { state.setCheck(store_->smoothing); });
    commands_.bind(
        cmd::Sampled, [this] { setSmoothing(false); },
        [this](CommandUpdate &state) { state.setCheck(!store_->smoothing); });
    commands_.bind(cmd::Axes, toggle(store.showAxes, true), checkedWhile(store.showAxes));
    commands_.bind(cmd::Frame, toggle(store.showFrame, true));  // never shows a check
}

void MyView::applySampling(int mark, int count)
{
    applySamplingCount(*store_, mark, count);
    requestRepaint();
}

void MyView::setSmoothing(bool on)
{
    store_->smoothing = on;
    requestRepaint();
}

}  // namespace ombrelis
