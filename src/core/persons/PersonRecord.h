#pragma once

#include <optional>
#include <string>

namespace hv {

// One row of Examer as the editor and the detail page see it. A NULL text column reads as
// an empty text; a NULL Sex reads as male, which is how every reader treats it.
struct PersonRecord {
    int examerId = 0; // 0 for a person not saved yet
    int groupId = 0;
    std::string name;
    bool male = true;
    std::optional<double> birthday; // automation date
    std::string height;             // as typed, centimetres
    std::string weight;             // as typed, kilograms
    std::string result;             // weight class text
    std::string telephone;
    std::string mobile;
    std::string email;
    std::string company;
    std::string job;
    std::string address;
    std::string remark;
    int bzY = 0;      // year of the birthday
    int bzM = 0;      // month of the birthday, 1..12
    std::string bzHW; // height class code
};

// One row of GroupList.
struct GroupRecord {
    int groupId = 0; // 0 for a group not saved yet
    std::string name;
    std::string description;
};

} // namespace hv
