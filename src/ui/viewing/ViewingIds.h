#pragma once

// Control ids of the report view, the full page view and the comparison view. Tests find
// the controls by these ids.
namespace ctl::view {
// Report view.
inline constexpr int ReportFrame = 1102;
inline constexpr int ReportTitle = 1103;
inline constexpr int ReportTree = 1104;
inline constexpr int Composite = 1105;
inline constexpr int FullPage = 1106;
inline constexpr int Print = 1107;
inline constexpr int SaveReport = 1108;
inline constexpr int Return = 1109;
inline constexpr int PrintAll = 1110;
inline constexpr int SavePdf = 1111;
inline constexpr int ExportResults = 1119;
inline constexpr int Browser = 1112;
// Full page view.
inline constexpr int FullPageBrowser = 1113;
inline constexpr int FullPagePrint = 1115;
inline constexpr int FullPagePreview = 1116;
inline constexpr int FullPageSave = 1117;
inline constexpr int FullPagePageSet = 1118;
inline constexpr int Cancel = 2;
// Comparison view.
inline constexpr int UpperBrowser = 1112;
inline constexpr int LowerBrowser = 1113;
inline constexpr int CompareFrame = 1148;
inline constexpr int ComparePrint = 1149;
inline constexpr int CompareSave = 1150;
inline constexpr int CompareReturn = 1151;
inline constexpr int UpperPicture = 1154;
inline constexpr int LowerPicture = 1155;
inline constexpr int UpperLabel = 1156;
inline constexpr int LowerLabel = 1157;
inline constexpr int UpperDate = 1158;
inline constexpr int LowerDate = 1159;
} // namespace ctl::view
