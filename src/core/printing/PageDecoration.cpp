#include "printing/PageDecoration.h"

#include "data/OperatorTexts.h"

#include <algorithm>

namespace hv {
namespace {

// About a centimetre of paper around everything printed.
constexpr double kMinimumMargin = 28;

constexpr double kTextPoints = 9;   // header and footer texts
constexpr double kTextLine = 12;    // their line
constexpr double kNumberPoints = 8; // "Page n of N"
constexpr double kNumberWidth = 90;
constexpr double kNoticePoints = 6.5; // the line about the values, small
constexpr double kNoticeBlock = 16;   // room for it to break into two lines
constexpr double kNoticeLine = 8;     // its first line, which the page number stands beside
constexpr double kLineGap = 2;
constexpr double kBodyGap = 6; // between the bands and the body

constexpr double kHeadBand = kTextLine + kBodyGap;
constexpr double kFootBand = kTextLine + kLineGap + kNoticeBlock + kBodyGap;

TextBox::Align AlignOf(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Center:
        return TextBox::Align::Center;
    case TextAlignment::Right:
        return TextBox::Align::Right;
    case TextAlignment::Left:
    case TextAlignment::None:
        break;
    }
    return TextBox::Align::Left;
}

} // namespace

PageMargins DecorationMargins(const PageMargins& printer) {
    return {std::max(printer.left, kMinimumMargin), std::max(printer.top, kMinimumMargin),
            std::max(printer.right, kMinimumMargin), std::max(printer.bottom, kMinimumMargin)};
}

PageMargins BodyMargins(const PageMargins& printer) {
    PageMargins body = DecorationMargins(printer);
    body.top += kHeadBand;
    body.bottom += kFootBand;
    return body;
}

std::vector<TextBox> PageDecoration(const PaperLayout& paper, const PageTexts& texts, int page,
                                    int pages) {
    const PageMargins m = DecorationMargins(paper.margins);
    const double left = m.left;
    const double width = std::max(0.0, paper.width - m.left - m.right);
    const double bottom = paper.height - m.bottom;
    const double noticeTop = bottom - kNoticeBlock;
    const double footTop = noticeTop - kLineGap - kTextLine;
    const double noticeWidth = std::max(0.0, width - kNumberWidth - kBodyGap);

    std::vector<TextBox> boxes;
    if (!texts.head.text.empty())
        boxes.push_back({TextBox::Role::Head, AlignOf(texts.head.alignment), left, m.top, width,
                         kTextLine, kTextPoints, false, texts.head.text});
    if (!texts.foot.text.empty())
        boxes.push_back({TextBox::Role::Foot, AlignOf(texts.foot.alignment), left, footTop, width,
                         kTextLine, kTextPoints, false, texts.foot.text});
    boxes.push_back({TextBox::Role::Notice, TextBox::Align::Left, left, noticeTop, noticeWidth,
                     kNoticeBlock, kNoticePoints, true,
                     std::string(texts::kGeneratedValuesNotice)});
    boxes.push_back(
        {TextBox::Role::PageNumber, TextBox::Align::Right, left + width - kNumberWidth, noticeTop,
         kNumberWidth, kNoticeLine, kNumberPoints, false,
         texts::FillText(texts::kPageOfPages, {std::to_string(page), std::to_string(pages)})});
    return boxes;
}

} // namespace hv
