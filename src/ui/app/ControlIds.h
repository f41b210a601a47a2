#pragma once

// Control ids of the main frame's toolbar and status strip. Other windows look toolbar
// buttons up by these ids to connect their commands.
namespace ctl {
inline constexpr int Home = 1000;
inline constexpr int Dossier = 1001;
inline constexpr int Testing = 1002;
inline constexpr int Suggest = 1003;
inline constexpr int PageSet = 1004;
inline constexpr int Backup = 1005;
inline constexpr int Restore = 1006;
inline constexpr int Setting = 1007;
inline constexpr int Help = 1008;
inline constexpr int About = 1009;
inline constexpr int Exit = 1010;
inline constexpr int Minimise = 1166;
inline constexpr int CloseSign = 1167;
inline constexpr int StatusText = 1168;
inline constexpr int Title = 1169;
} // namespace ctl
