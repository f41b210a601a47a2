#include "ui/testing/CTestTip.h"

#include "ui/widgets/Pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kPicture = 141;
}

CTestTip::CTestTip(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CTestTip"));
    setStyleSheet(QStringLiteral("#CTestTip { border: 1px solid #5c80b0; }"));

    auto* picture = new QLabel(this);
    picture->setPixmap(BitmapPicture(kPicture));
    picture->setAlignment(Qt::AlignCenter);

    auto* text = new QLabel(
        QStringLiteral("Place your pulse on the silver buttons to start the test"), this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);

    m_pStart = new QPushButton(QStringLiteral("Start Test(&Y)"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel Test(&N)"), this);
    m_pStart->setDefault(true);
    connect(m_pStart, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pStart);
    buttons->addWidget(m_pCancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addLayout(buttons);
    m_pStart->setFocus();
}
