#pragma once
// Command identifiers: the standard commands of the shell and the program's own commands.

namespace halvex::ids {

// Standard commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMru1 = 57616;  // to 57619
inline constexpr int kFileMruLast = 57619;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// The program's own commands.
inline constexpr int kTransformTamselCass = 32771;
inline constexpr int kParameter = 32772;
inline constexpr int kDownloadTamsel = 32773;
inline constexpr int kUploadTamselCoordinate = 32776;
inline constexpr int kUploadTamselPcode = 32777;
inline constexpr int kTransformTamselPcode = 32779;
inline constexpr int kUploadBrennoCoordinate = 32780;
inline constexpr int kUploadCorvaneCoordinate = 32781;
inline constexpr int kTransformBrennoCass = 32782;
inline constexpr int kTransformDulmarCass = 32783;
inline constexpr int kDownloadBrenno = 32784;
inline constexpr int kDownloadCorvane = 32785;
inline constexpr int kUploadBrennoPcode = 32786;
inline constexpr int kUploadOtherData = 32787;
inline constexpr int kTransformCassDxf = 32788;
inline constexpr int kTransformBrennoNez = 32789;

// Commands beyond the program's defined ones.
inline constexpr int kStopTransfer = 32790;
inline constexpr int kSerialPorts = 32791;
inline constexpr int kWindowPointPlot = 32792;
inline constexpr int kEditLineEndsToCrLf = 32793;  // Edit menu: a CR before every LF that has none

}  // namespace halvex::ids
