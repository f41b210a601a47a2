#pragma once

#include "persons/PersonRecord.h"

#include <string>

namespace hv {

// An automation date as "YYYY-MM-DD" and its time of day as "HH:MM:SS".
std::string FormatOleDate(double oleDate);
std::string FormatOleTime(double oleDate);

// "Male" or "Female" from the string table.
std::string SexText(bool male);

// The value labels of the person's "Basic Info" page. A column without a value leaves its
// label empty.
struct BasicInfoTexts {
    std::string name;
    std::string sex;
    std::string birthday;
    std::string height; // "170 cm"
    std::string weight; // "60Kg(Standard body weight)"
    std::string mobile;
    std::string telephone;
    std::string email;
    std::string company;
    std::string job;
    std::string address;
    std::string remark;
};

BasicInfoTexts FormatBasicInfo(const PersonRecord& person);

} // namespace hv
