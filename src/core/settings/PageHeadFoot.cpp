#include "settings/PageHeadFoot.h"

namespace hv {
namespace {

bool StartsWithMarker(std::string_view s) {
    return s.starts_with(kAlignmentMarker);
}
bool EndsWithMarker(std::string_view s) {
    return s.ends_with(kAlignmentMarker);
}

AlignedText ReadColumn(const CAdoDb& db, std::string_view column) {
    if (db.IsNull(column))
        return {};
    return DecodeAlignedText(db.GetText(column));
}

} // namespace

std::string EncodeAlignedText(const AlignedText& value) {
    if (value.text.empty())
        return {};
    const std::string marker(kAlignmentMarker);
    switch (value.alignment) {
    case TextAlignment::Left:
        return value.text + marker;
    case TextAlignment::Center:
        return marker + value.text + marker;
    case TextAlignment::Right:
    case TextAlignment::None:
        break;
    }
    return marker + value.text;
}

AlignedText DecodeAlignedText(std::string_view stored) {
    const std::size_t m = kAlignmentMarker.size();
    if (StartsWithMarker(stored) && EndsWithMarker(stored)) {
        // "&b" alone, or "&b&b", is a centred empty text.
        const std::string_view inner =
            stored.size() <= 2 * m ? std::string_view() : stored.substr(m, stored.size() - 2 * m);
        return {TextAlignment::Center, std::string(inner)};
    }
    if (EndsWithMarker(stored))
        return {TextAlignment::Left, std::string(stored.substr(0, stored.size() - m))};
    if (StartsWithMarker(stored))
        return {TextAlignment::Right, std::string(stored.substr(m))};
    return {TextAlignment::None, std::string(stored)};
}

PageTexts LoadPageTexts() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("select PageHead,PageFoot from SetValue") || db.IsEOF())
        return {};
    return {ReadColumn(db, "PageHead"), ReadColumn(db, "PageFoot")};
}

SaveResult SavePageTexts(const PageTexts& texts) {
    return UpdateSettingsRow("PageHead=?,PageFoot=?",
                             {EncodeAlignedText(texts.head), EncodeAlignedText(texts.foot)});
}

} // namespace hv
