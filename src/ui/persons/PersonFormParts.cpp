#include "ui/persons/PersonFormParts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

QLineEdit* NamedLineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

SexChoice MakeSexChoice(QWidget* parent) {
    SexChoice choice;
    choice.male = new QRadioButton(QStringLiteral("Male"), parent);
    choice.male->setObjectName(QStringLiteral("male"));
    choice.female = new QRadioButton(QStringLiteral("Female"), parent);
    choice.female->setObjectName(QStringLiteral("female"));
    choice.group = new QButtonGroup(parent);
    choice.group->addButton(choice.male);
    choice.group->addButton(choice.female);
    choice.row = new QHBoxLayout;
    choice.row->addWidget(choice.male);
    choice.row->addWidget(choice.female);
    choice.row->addStretch();
    return choice;
}
