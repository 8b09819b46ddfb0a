#pragma once

// The menu commands (menu resource 100).
namespace tw::cm {
inline constexpr unsigned FileNew = 24331;
inline constexpr unsigned FileOpen = 24332;
inline constexpr unsigned FileSave = 24333;
inline constexpr unsigned FileSaveAs = 24334;
inline constexpr unsigned Exit = 24310;
inline constexpr unsigned EditUndo = 24321;
inline constexpr unsigned EditRedo = 24322;
// Keys with no menu item.
inline constexpr unsigned NoteCut = 24323;
inline constexpr unsigned NoteCopy = 24324;
inline constexpr unsigned NotePaste = 24325;
inline constexpr unsigned PlayOrStop = 24360;
inline constexpr unsigned FirstBar = 24361;
inline constexpr unsigned PreviousPage = 24362;
inline constexpr unsigned NextPage = 24363;
inline constexpr unsigned EditEvents = 1005;
inline constexpr unsigned EditLyric = 1011;
inline constexpr unsigned EditPgm = 1006;
inline constexpr unsigned EditTempo = 1001;
inline constexpr unsigned CopyRight = 1012;
inline constexpr unsigned TrackVelocity = 1007;
inline constexpr unsigned CopyTrack = 1009;
inline constexpr unsigned CutTrack = 1008;
inline constexpr unsigned PasteTrack = 1010;
inline constexpr unsigned SetConnections = 1002;
inline constexpr unsigned SetTime = 1003;
inline constexpr unsigned Lock = 1004;
inline constexpr unsigned HelpContents = 2010;
inline constexpr unsigned HelpAbout = 2009;
}  // namespace tw::cm

namespace tw {
inline constexpr int kMainMenu = 100;
inline constexpr int kAppIcon = 1001;
inline constexpr int kAboutDialog = 11;
}  // namespace tw
