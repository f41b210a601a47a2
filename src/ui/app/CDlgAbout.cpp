#include "ui/app/CDlgAbout.h"

#include "data/OperatorTexts.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kProgramIcon = 128;
constexpr int kIconSide = 48;
constexpr int kNoticeWidth = 320;

QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

CDlgAbout::CDlgAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About %1").arg(UiText(hv::texts::kProductName)));

    auto* icon = MakeLabel(QString(), QStringLiteral("programIcon"), this);
    icon->setPixmap(
        IconPicture(kProgramIcon)
            .scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAlignment(Qt::AlignTop);

    auto* product = MakeLabel(UiText(hv::texts::kProductName), QStringLiteral("productName"), this);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* version = MakeLabel(VersionLine(), QStringLiteral("versionLine"), this);
    auto* notice = MakeLabel(UiText(hv::texts::kAboutNotice), QStringLiteral("noticeLine"), this);
    notice->setWordWrap(true);
    notice->setFixedWidth(kNoticeWidth);
    auto* registerLine = MakeLabel(RegisterLine(), QStringLiteral("registerLine"), this);
    registerLine->setWordWrap(true);
    registerLine->setFixedWidth(kNoticeWidth);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addWidget(notice);
    texts->addWidget(registerLine);

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
