#pragma once

namespace ombrelis {

// Command identifiers. The 57xxx and 59xxx values are the classic framework
// identifiers (new, open, save, clipboard, window arrangement, toolbar, ...);
// the 32xxx values are the program's own menu commands; 1xxx and 2 are sent by
// the push buttons, check boxes and radio buttons of the axis bars. The bars'
// other controls, which show values rather than send commands, are in `ctl`.
namespace cmd {

inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;  // accelerator only
inline constexpr int FileSave = 57603;  // accelerator only; never writes anything
inline constexpr int SaveAll = 32814;

// Open, Save and New/Save as of curves 1 to 4.
inline constexpr int Curve1Open = 32772;
inline constexpr int Curve1Save = 32776;
inline constexpr int Curve1SaveAs = 32777;
inline constexpr int Curve2Open = 32778;
inline constexpr int Curve2Save = 32779;
inline constexpr int Curve2SaveAs = 32780;
inline constexpr int Curve3Open = 32781;
inline constexpr int Curve3Save = 32782;
inline constexpr int Curve3SaveAs = 32783;
inline constexpr int Curve4Open = 32784;
inline constexpr int Curve4Save = 32785;
inline constexpr int Curve4SaveAs = 32786;

inline constexpr int RecentFile1 = 57616;  // entries 1..8 are 57616..57623
inline constexpr int RecentFileCount = 8;
inline constexpr int AppExit = 57665;

inline constexpr int Undo = 57643;
inline constexpr int Redo = 32817;
inline constexpr int Cut = 57635;  // deletes the current curve after copying it
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int EditMode = 32805;
inline constexpr int CancelEdit = 2;
inline constexpr int SelectCurve4 = 1039;
inline constexpr int SelectCurve1 = 1040;
inline constexpr int SelectCurve2 = 1041;
inline constexpr int SelectCurve3 = 1042;

inline constexpr int CurveColour = 32788;
inline constexpr int Cursor = 32789;
inline constexpr int Smoothing = 32790;
inline constexpr int Sampled = 32791;
inline constexpr int Axes = 32792;
inline constexpr int Frame = 32816;
inline constexpr int Script = 32793;  // nothing handles it: always greyed

inline constexpr int Sampling16 = 32794;
inline constexpr int Sampling32 = 32795;
inline constexpr int Sampling64 = 32796;
inline constexpr int Sampling128 = 32797;
inline constexpr int Sampling256 = 32798;
inline constexpr int SamplingCustom = 32799;
inline constexpr int Interpolation = 32800;
inline constexpr int Unused32801 = 32801;  // no menu item; the view ignores it
inline constexpr int VerticalTangents = 1060;
inline constexpr int TangentLength = 32808;
inline constexpr int Surface = 32802;
inline constexpr int CreateSample = 1025;

inline constexpr int AppAbout = 57664;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTileHorizontal = 57651;
inline constexpr int WindowTileVertical = 57652;
inline constexpr int ViewToolbar = 59392;
inline constexpr int NextPane = 57680;  // only splitter windows handle these
inline constexpr int PreviousPane = 57681;

}  // namespace cmd

// Identifiers of the axis bars' statics and edit boxes. The edit boxes also
// name themselves in the notifications they send (kEditLostFocus, kEditChanged).
namespace ctl {

// The display bar.
inline constexpr int DisplayXmin = 1000;
inline constexpr int DisplayXmax = 1001;
inline constexpr int CurveName1 = 1002;
inline constexpr int CurveName2 = 1004;
inline constexpr int CurveName3 = 1006;
inline constexpr int CurveName4 = 1008;
inline constexpr int DisplayXLegend = 1010;
inline constexpr int DisplayCursorY = 1012;
inline constexpr int ScriptBox = 1015;
inline constexpr int DisplayCursorX = 1016;
inline constexpr int SurfaceResult = 1044;

// The vertical display bar.
inline constexpr int DisplayYmax = 1032;
inline constexpr int DisplayYmin = 1033;
inline constexpr int DisplayYLegend = 1034;

// The edit bar.
inline constexpr int EditXmin = 1017;
inline constexpr int EditXmax = 1018;
inline constexpr int EditXLegend = 1019;
inline constexpr int PointX = 1027;
inline constexpr int PointY = 1028;
inline constexpr int EditCursorX = 1030;
inline constexpr int EditCursorY = 1031;

// The vertical edit bar.
inline constexpr int EditYmax = 1035;
inline constexpr int EditYLegend = 1036;
inline constexpr int EditYmin = 1037;

}  // namespace ctl

}  // namespace ombrelis
