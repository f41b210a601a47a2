#include "data/StringTable.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hv {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id.
constexpr std::array kStrings{
    Entry{ids::OleInitFailed,
          "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    Entry{ids::DatabaseConnectionError, "Database connection error!"},
    Entry{ids::MainTitle, "Halvoret"},
    Entry{ids::AppTitle, "Pelmora"},
    Entry{ids::ExitQuestion, "Are you sure you want to exit the system?"},
    Entry{ids::SelectPersonBeforeTesting,
          "Please select the tested person, And then point 'testing' button!"},
    Entry{ids::Male, "Male"},
    Entry{ids::Female, "Female"},
    Entry{ids::TabBasicInfo, "Basic Info"},
    Entry{ids::TabTestedRecord, "Tested Record"},
    Entry{ids::DeletePersonQuestion,
          "Whether to delete the name:<<%s>>?\r\n(Note:Test data will also be deleted!)"},
    Entry{ids::GroupHasPersons, "Has tested person under the current group, Please delete all "
                                "of\r\ntested person, And then delete the group!"},
    Entry{ids::DeleteGroupQuestion, "Whether to delete the group of:<<%s>>?"},
    Entry{ids::NameEmpty, "The name can not be null!"},
    Entry{ids::BirthdayError, "The birthday is error(less than 1 years old can not be tested)!"},
    Entry{ids::HeightEmpty, "The height can not be null!"},
    Entry{ids::WeightEmpty, "The weight can not be null!"},
    Entry{ids::SevereUnderweight, "Severe underweight"},
    Entry{ids::MildUnderweight, "Mild underweight"},
    Entry{ids::StandardWeight, "Standard body weight"},
    Entry{ids::SlightlyHeavier, "Slightly heavier than the standard"},
    Entry{ids::SeverePartialFat, "Severe partial fat"},
    Entry{ids::ColName, "Name"},
    Entry{ids::ColSex, "Sex"},
    Entry{ids::ColBirthday, "Birthday"},
    Entry{ids::ColHeight, "Height"},
    Entry{ids::ColWeight, "Weight"},
    Entry{ids::ColMobile, "Mobile"},
    Entry{ids::SexLetterMale, "M"},
    Entry{ids::SexLetterFemale, "F"},
    Entry{ids::ColSelect, "Select"},
    Entry{ids::ColTestDate, "Test date"},
    Entry{ids::ColTestTime, "Test time"},
    Entry{ids::ColAge, "Age"},
    Entry{ids::SelectRecordForReport,
          "Please select the appropriate detection of the tested person's\r\nrecord, And then "
          "point 'Get Report' button!"},
    Entry{ids::SelectRecordsToDelete, "Please select the records you want to delete!"},
    Entry{ids::DeleteRecordsQuestion, "Whether to delete the selected records?"},
    Entry{ids::TestingComplete, "Testing complete.Please save the record."},
    Entry{ids::HardwareNotFound,
          "Sorry, Did not find your hardware\r\nVerify that you have inserted the USB port "
          "detector!"},
    Entry{ids::ColSystem, "System"},
    Entry{ids::ColExpertAdvice, "Expert Advice"},
    Entry{ids::BackupFinished, "Backup finished!"},
    Entry{ids::BackupFileTo, "Backup file to"},
    Entry{ids::OpenBackupFile, "Open backup file"},
    Entry{ids::BackupDatabaseNotFound, "Can not find the backup database"},
    Entry{ids::DatabaseWillBeReplaced, "The database will be replaced, do you want to go on?"},
    Entry{ids::RestoreFinished,
          "Restore finished! The application will exit after you click the 'OK' button and "
          "restart the application please"},
    Entry{ids::ColNo, "No."},
    Entry{ids::ColReportName, "Report Name"},
    Entry{ids::ColIndicate, "Indicate"},
    Entry{ids::SaveSuccessfully, "Save Successfully!"},
    Entry{ids::SensitivityDescription,
          "Sensitivity adjustment refers to the adjustment device detection rod sensitivity. For "
          "example: the special sensitive instrument will automatically take the value that can "
          "be properly lowered sensitivity; be detected for some people more difficult to detect "
          "when the apparatus may be appropriately increased sensitivity."},
    Entry{ids::SelectTwoRecords,
          "Comparative analysis of two test records to be selected, please re-select!"},
};

static_assert(std::is_sorted(kStrings.begin(), kStrings.end(),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }),
              "the string table is kept sorted by id");

} // namespace

std::string_view LoadString(int id) {
    auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                               [](const Entry& e, int key) { return e.id < key; });
    return it != kStrings.end() && it->id == id ? it->text : std::string_view{};
}

std::string SubstitutePercentS(std::string_view text, std::string_view value) {
    std::string out;
    out.reserve(text.size() + value.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "%s") == 0) {
            out.append(value);
            i += 2;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

} // namespace hv
