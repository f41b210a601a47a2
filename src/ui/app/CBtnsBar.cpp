#include "ui/app/CBtnsBar.h"

#include "data/StringTable.h"
#include "ui/app/CClrTitle.h"
#include "ui/app/ControlIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"

#include <QPainter>
#include <array>

namespace {

struct ButtonFace {
    int id;
    int normalBitmap;
    int hoverBitmap; // also shown while the button is pressed
    const char* caption;
};

// The command row, left to right, then the two window signs.
constexpr std::array kButtons{
    ButtonFace{ctl::Home, 232, 242, "Home"},        ButtonFace{ctl::Dossier, 231, 241, "Dossier"},
    ButtonFace{ctl::Testing, 237, 247, "Testing"},  ButtonFace{ctl::Suggest, 236, 246, "Suggest"},
    ButtonFace{ctl::PageSet, 233, 243, "Page Set"}, ButtonFace{ctl::Backup, 230, 240, "Backup"},
    ButtonFace{ctl::Restore, 234, 244, "Restore"},  ButtonFace{ctl::Setting, 235, 245, "Setting"},
    ButtonFace{ctl::Help, 239, 249, "Help"},        ButtonFace{ctl::About, 238, 248, "About"},
    ButtonFace{ctl::Exit, 254, 255, "Exit"},        ButtonFace{ctl::Minimise, 250, 251, "Minimise"},
    ButtonFace{ctl::CloseSign, 252, 253, "Close"},
};
constexpr int kCommandCount = 11;

// Command row geometry in pixels.
constexpr int kRowLeft = 14;
constexpr int kRowTop = 24;
constexpr int kRowPitch = 86;
constexpr QSize kCommandSize(80, 72);

// Window signs, measured from the right edge.
constexpr int kMinimiseFromRight = 70;
constexpr int kCloseFromRight = 42;
constexpr QSize kMinimiseSize(28, 20);
constexpr QSize kCloseSize(42, 20);

constexpr QRect kTitleRect(2, 5, 180, 16);
constexpr int kTitleHeight = 16;
constexpr int kTitleWeight = 100;

constexpr int kBackgroundBitmap = 185;
constexpr int kEmblemBitmap = 134;
constexpr QSize kEmblemSize(253, 95);

} // namespace

CBtnsBar::CBtnsBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("btnsBar"));
    setFixedHeight(kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    CreateTitle();
    CreateButtons();
}

CBtnIcon* CBtnsBar::Button(int id) const {
    auto it = m_buttons.find(id);
    return it != m_buttons.end() ? it->second : nullptr;
}

void CBtnsBar::CreateTitle() {
    m_pTitle = new CClrTitle(this);
    m_pTitle->setObjectName(QStringLiteral("stc%1").arg(ctl::Title));
    m_pTitle->SetText(UiText(hv::ids::MainTitle));
    m_pTitle->SetTextHeight(kTitleHeight);
    m_pTitle->SetTextColor(Qt::white);
    m_pTitle->SetTextWeight(kTitleWeight);
    m_pTitle->setGeometry(kTitleRect);
}

void CBtnsBar::CreateButtons() {
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonFace& face = kButtons[i];
        auto* button = new CBtnIcon(this);
        button->setObjectName(QStringLiteral("btn%1").arg(face.id));
        button->SetBitmaps(face.normalBitmap, face.hoverBitmap, face.hoverBitmap);
        const QString caption = QString::fromUtf8(face.caption);
        button->setToolTip(caption);
        button->setAccessibleName(caption);
        if (i < kCommandCount)
            button->setGeometry(
                QRect(QPoint(kRowLeft + kRowPitch * static_cast<int>(i), kRowTop), kCommandSize));
        m_buttons.emplace(face.id, button);
    }
    PlaceWindowSigns();
}

void CBtnsBar::PlaceWindowSigns() {
    Button(ctl::Minimise)
        ->setGeometry(QRect(QPoint(width() - kMinimiseFromRight, 0), kMinimiseSize));
    Button(ctl::CloseSign)->setGeometry(QRect(QPoint(width() - kCloseFromRight, 0), kCloseSize));
}

void CBtnsBar::resizeEvent(QResizeEvent* event) {
    PlaceWindowSigns();
    QWidget::resizeEvent(event);
}

void CBtnsBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap background = BitmapPicture(kBackgroundBitmap);
    if (background.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawPixmap(rect(), background);
    painter.drawPixmap(QRect(QPoint(width() - kEmblemSize.width(), 0), kEmblemSize),
                       BitmapPicture(kEmblemBitmap));
}
