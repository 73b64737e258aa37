#pragma once
// Names for the command ids that code refers to outside the command table. The table
// (editor/CommandTable.cpp) holds every command with its id; a command needs a name here only
// when other code names it.

namespace halvex::ids {

inline constexpr int kFileMru1 = 57616;  // the recent files: 57616 to 57619
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditLineEndsToCrLf = 32793;
inline constexpr int kDownloadBrenno = 32784;
inline constexpr int kDownloadCorvane = 32785;
inline constexpr int kStopTransfer = 32790;
inline constexpr int kWindowPointPlot = 32792;

}  // namespace halvex::ids
