#pragma once

namespace ombrelis {

// The cascade of document windows, in pixels of the document area's client.
// Each window sits one step (a title bar and its frame) further right and
// down than the one behind it, and all reach the area's bottom right corner;
// they shrink as the stack deepens, down to the usable size, and only then
// does the stack start again from the top left corner.

inline constexpr int kUsableWindowWidth = 200;
inline constexpr int kUsableWindowHeight = 150;

struct CascadeArea {
    int width = 0;
    int height = 0;
    int step = 0;
};

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlace &, const WindowPlace &) = default;
};

// How many windows one stack holds: the last one still has the usable size.
int cascadeDepth(const CascadeArea &area);

// The window at `position` (0 at the back) of a cascade of `count` windows.
// A new window is the last of a cascade one window longer than the windows
// already open.
WindowPlace cascadePlace(const CascadeArea &area, int position, int count);

}  // namespace ombrelis
