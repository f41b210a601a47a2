#pragma once

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// Controls the person editor and the search dialog both build.

// A line edit that tests and the dialog's own code find by its object name.
QLineEdit* NamedLineEdit(const char* name, QWidget* parent);

// A label whose mnemonic moves the focus to its buddy.
QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent);

// "Male" and "Female" as one exclusive choice, side by side in a row.
struct SexChoice {
    QRadioButton* male = nullptr;
    QRadioButton* female = nullptr;
    QButtonGroup* group = nullptr;
    QHBoxLayout* row = nullptr;
};
SexChoice MakeSexChoice(QWidget* parent);
