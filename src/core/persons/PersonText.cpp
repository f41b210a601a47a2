#include "persons/PersonText.h"

#include "common/OleDate.h"
#include "data/StringTable.h"

namespace hv {

std::string FormatOleDate(double oleDate) {
    return FormatDate(FromOleDate(oleDate));
}

std::string FormatOleTime(double oleDate) {
    return FormatTimeOfDay(FromOleDate(oleDate));
}

std::string SexText(bool male) {
    return std::string(LoadString(male ? ids::Male : ids::Female));
}

BasicInfoTexts FormatBasicInfo(const PersonRecord& person) {
    BasicInfoTexts texts;
    texts.name = person.name;
    texts.sex = SexText(person.male);
    if (person.birthday)
        texts.birthday = FormatOleDate(*person.birthday);
    if (!person.height.empty())
        texts.height = person.height + " cm";
    if (!person.weight.empty())
        texts.weight = person.weight + "Kg(" + person.result + ")";
    texts.mobile = person.mobile;
    texts.telephone = person.telephone;
    texts.email = person.email;
    texts.company = person.company;
    texts.job = person.job;
    texts.address = person.address;
    texts.remark = person.remark;
    return texts;
}

} // namespace hv
