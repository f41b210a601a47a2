#pragma once

#include <string>
#include <string_view>

namespace hv {

// Ids of the program's fixed texts. The texts themselves live in StringTable.cpp.
namespace ids {
inline constexpr int OleInitFailed = 100;
inline constexpr int DatabaseConnectionError = 102;
inline constexpr int MainTitle = 128;
inline constexpr int AppTitle = 57344; // caption of every message box
inline constexpr int ExitQuestion = 57665;
inline constexpr int SelectPersonBeforeTesting = 61204;
inline constexpr int Male = 61205;
inline constexpr int Female = 61206;
inline constexpr int TabBasicInfo = 61207;
inline constexpr int TabTestedRecord = 61208;
inline constexpr int DeletePersonQuestion = 61209;
inline constexpr int GroupHasPersons = 61210;
inline constexpr int DeleteGroupQuestion = 61211;
inline constexpr int NameEmpty = 61214;
inline constexpr int BirthdayError = 61215;
inline constexpr int HeightEmpty = 61216;
inline constexpr int WeightEmpty = 61217;
inline constexpr int SevereUnderweight = 61218;
inline constexpr int MildUnderweight = 61219;
inline constexpr int StandardWeight = 61220;
inline constexpr int SlightlyHeavier = 61221;
inline constexpr int SeverePartialFat = 61222;
inline constexpr int ColName = 61223;
inline constexpr int ColSex = 61224;
inline constexpr int ColBirthday = 61225;
inline constexpr int ColHeight = 61226;
inline constexpr int ColWeight = 61227;
inline constexpr int ColMobile = 61228;
inline constexpr int SexLetterMale = 61229;
inline constexpr int SexLetterFemale = 61230;
inline constexpr int ColSelect = 61231;
inline constexpr int ColTestDate = 61232;
inline constexpr int ColTestTime = 61233;
inline constexpr int ColAge = 61234;
inline constexpr int SelectRecordForReport = 61235;
inline constexpr int SelectRecordsToDelete = 61236;
inline constexpr int DeleteRecordsQuestion = 61237;
inline constexpr int TestingComplete = 61238;
inline constexpr int HardwareNotFound = 61239;
inline constexpr int ColSystem = 61240;
inline constexpr int ColExpertAdvice = 61241;
inline constexpr int BackupFinished = 61242;
inline constexpr int BackupFileTo = 61243;
inline constexpr int OpenBackupFile = 61244;
inline constexpr int BackupDatabaseNotFound = 61245;
inline constexpr int DatabaseWillBeReplaced = 61246;
inline constexpr int RestoreFinished = 61247;
inline constexpr int ColNo = 61248;
inline constexpr int ColReportName = 61249;
inline constexpr int ColIndicate = 61250;
inline constexpr int SaveSuccessfully = 61251;
inline constexpr int SensitivityDescription = 61252;
inline constexpr int SelectTwoRecords = 61253;
} // namespace ids

// The text of a string id (UTF-8); an empty view for an id the table does not hold.
std::string_view LoadString(int id);

// Replaces every occurrence of "%s" in text by value, as plain text: whatever value holds,
// including "%s" or "%d", is inserted literally and never read as a format.
std::string SubstitutePercentS(std::string_view text, std::string_view value);

} // namespace hv
