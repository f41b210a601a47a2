#pragma once

// What a backup or a restore tells the operator when it cannot finish. A reason from the
// step that failed follows the first part of each text.
namespace hv::backup_texts {

inline constexpr char kBackupNotMade[] = "The backup was not made: ";
inline constexpr char kArchiveDamaged[] = "The backup file is damaged: ";
inline constexpr char kNoUsableDatabase[] = "The backup does not hold a usable database: ";
inline constexpr char kCannotExtract[] = "The backup could not be unpacked: ";
inline constexpr char kCannotReplace[] = "The database could not be replaced: ";
inline constexpr char kNoDatabaseFolder[] = "The database folder is missing: ";
inline constexpr char kDatabaseInUse[] =
    "The database is in use by another program. Close that program and restore again.";
// Ends every restore failure: whatever went wrong, the live database is as it was.
inline constexpr char kDatabaseUnchanged[] = " The database has not been changed.";

// Stands for the reason when a test makes the file system refuse a step.
inline constexpr char kRefused[] = "the file system refused the operation";

} // namespace hv::backup_texts
