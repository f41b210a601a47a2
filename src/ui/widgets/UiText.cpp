#include "ui/widgets/UiText.h"

#include "common/Version.h"
#include "data/DatabaseLocation.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"

QString UiText(int stringId) {
    return UiText(hv::LoadString(stringId));
}

QString UiText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString VersionLine() {
    return UiText(hv::texts::kVersionWord) + UiText(hv::ProgramVersion());
}

QString RegisterLine() {
    return UiText(hv::texts::FillText(hv::texts::kRegisterInUse,
                                      {hv::DescribeDatabase(hv::ConfiguredDatabase())}));
}
