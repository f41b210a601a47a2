#include "ui/persons/CEditGroup.h"

#include "data/MessageSink.h"
#include "persons/PersonRules.h"
#include "persons/PersonStore.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CEditGroup::CEditGroup(QWidget* parent) : LoadingDialog(parent) {
    setObjectName(QStringLiteral("editGroup"));
    setWindowTitle(QStringLiteral("Group Info"));

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("groupName"));
    m_remarkEdit = new QPlainTextEdit(this);
    m_remarkEdit->setObjectName(QStringLiteral("groupRemark"));
    m_remarkEdit->setTabChangesFocus(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Group &Name:"), m_nameEdit);
    form->addRow(QStringLiteral("&Remark:"), m_remarkEdit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save =
        buttons->addButton(QStringLiteral("Save(&S)"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setDefault(true);
    QPushButton* exit =
        buttons->addButton(QStringLiteral("Exit(&E)"), QDialogButtonBox::RejectRole);
    exit->setObjectName(QStringLiteral("exitButton"));
    connect(save, &QPushButton::clicked, this, &CEditGroup::OnSave);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(380, 220);
}

bool CEditGroup::LoadEntry() {
    if (m_GroupID != 0) {
        hv::GroupRecord group;
        switch (hv::LoadGroup(m_GroupID, group)) {
        case hv::ReadStatus::Failed:
            return false;
        case hv::ReadStatus::Found:
            m_nameEdit->setText(QString::fromStdString(group.name));
            m_remarkEdit->setPlainText(QString::fromStdString(group.description));
            break;
        case hv::ReadStatus::NotFound:
            break;
        }
    }
    m_nameEdit->setFocus();
    return true;
}

void CEditGroup::OnSave() {
    hv::GroupRecord group{m_GroupID, m_nameEdit->text().toStdString(),
                          m_remarkEdit->toPlainText().toStdString()};
    if (const auto problem = hv::CheckGroupEntry(group)) {
        hv::ShowMessage(*problem);
        m_nameEdit->setFocus();
        return;
    }
    if (!hv::SaveGroup(group))
        return;
    m_GroupID = group.groupId;
    m_Name = QString::fromStdString(group.name);
    accept();
}
