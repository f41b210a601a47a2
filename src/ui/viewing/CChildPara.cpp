#include "ui/viewing/CChildPara.h"

#include "ui/viewing/CExplorer.h"
#include "ui/viewing/ViewingFonts.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/ControlLookup.h"
#include "ui/widgets/Pictures.h"
#include "viewing/ContrastPage.h"

#include <QFrame>
#include <QLabel>
#include <QResizeEvent>

namespace {

constexpr int kSidePicture = 220;
// The faces of the three buttons: normal, under the mouse, pressed.
constexpr int kButtonFace = 224;
constexpr int kButtonHoverFace = 225;
constexpr int kButtonPressedFace = 226;
constexpr QSize kSidePictureSize(129, 59);
// Bold text in cells 16 and 13 pixels high: the captions and the dates.
constexpr int kCaptionPixelSize = 12;
constexpr int kDatePixelSize = 11;
const QColor kLabelColour(255, 255, 255);
const QColor kDateColour(255, 0, 0);

} // namespace

CChildPara::CChildPara(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("comparePane"));
    setAutoFillBackground(true);
    CreateControls();
}

void CChildPara::CreateControls() {
    m_pUpper = new CExplorer1(this);
    m_pUpper->setObjectName(QStringLiteral("upperBrowser"));
    m_pLower = new CExplorer1(this);
    m_pLower->setObjectName(QStringLiteral("lowerBrowser"));

    m_pFrame = new QFrame(this);
    m_pFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);

    // The pictures lie beneath the labels and dates drawn over them.
    for (QLabel** picture : {&m_pUpperPicture, &m_pLowerPicture}) {
        *picture = new QLabel(this);
        (*picture)->setPixmap(BitmapPicture(kSidePicture));
        (*picture)->setScaledContents(true);
    }
    const QString caption = QStringLiteral("Test datetime:");
    m_pUpperLabel = AddLabel(ctl::view::UpperLabel, caption, kCaptionPixelSize, kLabelColour);
    m_pLowerLabel = AddLabel(ctl::view::LowerLabel, caption, kCaptionPixelSize, kLabelColour);
    m_pUpperDate = AddLabel(ctl::view::UpperDate, QString(), kDatePixelSize, kDateColour);
    m_pLowerDate = AddLabel(ctl::view::LowerDate, QString(), kDatePixelSize, kDateColour);

    AddButton(ctl::view::ComparePrint, QStringLiteral("Print(&P)"), 221, &CChildPara::OnPrint);
    AddButton(ctl::view::CompareSave, QStringLiteral("Save(&S)"), 222, &CChildPara::OnSave);
    AddButton(ctl::view::CompareReturn, QStringLiteral("Return(&E)"), 223, &CChildPara::OnReturn);
}

QLabel* CChildPara::AddLabel(int id, const QString& text, int pixelHeight, const QColor& colour) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("label%1").arg(id));
    label->setFont(BoldFont(font(), pixelHeight));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

CBtnIcon* CChildPara::AddButton(int id, const QString& text, int icon,
                                void (CChildPara::*handler)()) {
    auto* button = new CBtnIcon(this);
    TagControl(button, id);
    button->setText(text);
    button->SetIcons(icon, 0);
    button->SetBitmaps(kButtonFace, kButtonHoverFace, kButtonPressedFace);
    button->SetPlacement(CBtnIcon::IconTop);
    connect(button, &QAbstractButton::clicked, this, handler);
    m_buttons.append(button);
    return button;
}

CBtnIcon* CChildPara::Button(int id) const {
    return FindControl(m_buttons, id);
}

void CChildPara::Compare(int firstMeasId, int secondMeasId) {
    m_nFirstMeasID = firstMeasId;
    m_nSecondMeasID = secondMeasId;
    ShowSide(firstMeasId, 1);
    ShowSide(secondMeasId, 2);
}

// A side whose page could not be built shows an empty page; its date changes only when the
// test's date was read.
void CChildPara::ShowSide(int measId, int side) {
    const hv::ContrastPage page = hv::BuildContrastPage(measId, side);
    if (!page.testTime.empty())
        DateLabel(side)->setText(QString::fromStdString(page.testTime));
    CExplorer1* browser = side == 1 ? m_pUpper : m_pLower;
    if (page.path.empty())
        browser->Clear();
    else
        browser->Navigate(QUrl::fromLocalFile(QString::fromStdString(page.path.string())));
}

// Both pages in turn, each with its own dialog.
void CChildPara::OnPrint() {
    m_pUpper->ExecWB(CExplorer::Print, CExplorer::PromptUser);
    m_pLower->ExecWB(CExplorer::Print, CExplorer::PromptUser);
}

void CChildPara::OnSave() {
    m_pUpper->ExecWB(CExplorer::SaveAs, CExplorer::PromptUser);
    m_pLower->ExecWB(CExplorer::SaveAs, CExplorer::PromptUser);
}

void CChildPara::OnReturn() {
    if (m_onReturn)
        m_onReturn();
}

void CChildPara::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = event->size().width();
    const int cy = event->size().height();
    const int q = (cy - 2) / 4;
    const int r = (3 * cy - 6) / 4;
    const int h = (cy - 4) / 2;
    m_pUpperPicture->setGeometry(10, q - 30, kSidePictureSize.width(), kSidePictureSize.height());
    m_pLowerPicture->setGeometry(10, r - 30, kSidePictureSize.width(), kSidePictureSize.height());
    m_pUpperLabel->setGeometry(20, q - 20, 100, 20);
    m_pLowerLabel->setGeometry(20, r - 20, 100, 20);
    m_pUpperDate->setGeometry(23, q + 3, 120, 20);
    m_pLowerDate->setGeometry(23, r + 3, 120, 20);
    m_pUpper->setGeometry(150, 1, cx - 240, h);
    m_pLower->setGeometry(150, h + 4, cx - 240, h);
    m_pFrame->setGeometry(cx - 84, 10, 81, 276);
    int y = 22;
    for (CBtnIcon* button : m_buttons) {
        button->setGeometry(cx - 76, y, 65, 73);
        y += 88;
    }
}
